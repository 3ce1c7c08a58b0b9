#include "reports/TSarInv.h"

#include "reports/OrgLevelBox.h"
#include "reports/USarInv.h"
#include "shell/ProgramEnd.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

namespace sarw {

TSarInv::TSarInv(Session& s, QWidget* parent)
    : ListWindow(s, "TSarInv", "  Inventurni soupis", parent) {
    level_ = new OrgLevelBox(this);
    groups_ = new QCheckBox(QStringLiteral("Trideni podle materialovych skupin"), this);
    groups_->setObjectName("Skupiny");
    fields()->addWidget(level_, 0, 0);
    fields()->addWidget(groups_, 1, 0);

    connect(addButton("Proved", "  Proved"), &QPushButton::clicked, this, [this] {
        guarded([this] { title_ = InvProved(s_, level_->level(), groups_->isChecked()); });
    });
    connect(addButton("Zobraz", "  Zobraz"), &QPushButton::clicked, this,
            [this] { show(false); });
    connect(addButton("Sestava", "  Sestava"), &QPushButton::clicked, this,
            [this] { show(true); });
    connect(addButton("Tabulka", "  Tabulka"), &QPushButton::clicked, this,
            [this] { guarded([this] { handToTableTool(title_); }); });
    connect(addButton("Konec", "  Konec"), &QPushButton::clicked, this, &QDialog::accept);
}

void TSarInv::show(bool print) {
    guarded([this, print] {
        invScreenParams(s_, level_->level(), groups_->isChecked(), print, title_);
        showList();
        invScreenClosed(s_);
    });
}

} // namespace sarw
