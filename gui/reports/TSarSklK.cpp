#include "reports/TSarSklK.h"

#include "codebooks/TCdsCis.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sarw {

TSarSklK::TSarSklK(Session& s, QWidget* parent)
    : ListWindow(s, "TSarSklK", "  Skladove karty", parent) {
    struct Row {
        const char* label;
        const char* name;
        QLineEdit** field;
    };
    const Row rows[] = {{"Obdobi od:", "od", &from_},        {"Do:", "do", &to_},
                        {"Material:", "material", &material_}, {"Zavod:", "zavod", &plant_},
                        {"Sprava:", "sprava", &unit_},         {"Stredisko:", "stredisko", &centre_}};
    int r = 0;
    for (const Row& row : rows) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(row.name));
        fields()->addWidget(new QLabel(QString::fromLatin1(row.label), this), r, 0);
        fields()->addWidget(e, r++, 1);
        *row.field = e;
    }
    material_->installEventFilter(this);
    material_->setToolTip(QStringLiteral("Ctrl+F1 - vyber materialu"));

    connect(addButton("Proved", "  Proved"), &QPushButton::clicked, this, [this] {
        guarded([this] {
            CardSelection sel = selection();
            const bool done = SklKProved(s_, sel);
            showSelection(sel);
            if (done) units_ = cardUnitCount(sel);
        });
    });
    connect(addButton("Zobraz", "  Zobraz"), &QPushButton::clicked, this, [this] {
        guarded([this] {
            cardScreenParams(s_, units_);
            showList();
        });
    });
    // The cards go to the table tool under their own title.
    connect(addButton("Tabulka", "  Tabulka"), &QPushButton::clicked, this,
            [this] { guarded([this] { handToTableTool("Skladove karty"); }); });
    connect(addButton("Konec", "  Konec"), &QPushButton::clicked, this, &QDialog::accept);
}

QLineEdit* TSarSklK::field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

void TSarSklK::showEvent(QShowEvent* e) {
    ListWindow::showEvent(e);
    showSelection(cardDefaults(s_));
    material_->setFocus();
}

bool TSarSklK::eventFilter(QObject* watched, QEvent* e) {
    if (watched == material_ && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::ControlModifier) {
            pickMaterial();
            return true;
        }
    }
    return ListWindow::eventFilter(watched, e);
}

CardSelection TSarSklK::selection() const {
    CardSelection sel;
    sel.from = cp(from_->text());
    sel.to = cp(to_->text());
    sel.material = cp(material_->text());
    sel.plant = cp(plant_->text());
    sel.unit = cp(unit_->text());
    sel.centre = cp(centre_->text());
    return sel;
}

void TSarSklK::showSelection(const CardSelection& sel) {
    from_->setText(qs(sel.from));
    to_->setText(qs(sel.to));
    material_->setText(qs(sel.material));
    plant_->setText(qs(sel.plant));
    unit_->setText(qs(sel.unit));
    centre_->setText(qs(sel.centre));
}

void TSarSklK::pickMaterial() {
    guarded([this] {
        const std::string list = cardPickList(s_, selection());
        if (list.empty()) return;
        cardPickParams(s_, list);
        TCdsCis window(s_, this);
        window.showCodebook();
        const std::string chosen = cardPickChosen(s_);
        if (!chosen.empty()) material_->setText(qs(chosen));
    });
}

} // namespace sarw
