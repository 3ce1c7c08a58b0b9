#include "reports/TSarReg.h"

#include "reports/OrgLevelBox.h"
#include "reports/USarReg.h"
#include "shell/ProgramEnd.h"

#include <QGridLayout>
#include <QPushButton>

namespace sarw {

TSarReg::TSarReg(Session& s, QWidget* parent) : ListWindow(s, "TSarReg", "  Regleta", parent) {
    regWindowOpened(s_);
    level_ = new OrgLevelBox(this);
    fields()->addWidget(level_, 0, 0);

    connect(addButton("Proved", "  Proved"), &QPushButton::clicked, this,
            [this] { guarded([this] { title_ = RegProved(s_, level_->level()); }); });
    connect(addButton("Zobraz", "  Zobraz"), &QPushButton::clicked, this, [this] {
        guarded([this] {
            regScreenParams(s_, level_->level(), title_);
            showList();
        });
    });
    connect(addButton("Tabulka", "  Tabulka"), &QPushButton::clicked, this,
            [this] { guarded([this] { handToTableTool(title_); }); });
    connect(addButton("Konec", "  Konec"), &QPushButton::clicked, this, &QDialog::accept);
}

TSarReg::~TSarReg() { regWindowClosed(s_); }

} // namespace sarw
