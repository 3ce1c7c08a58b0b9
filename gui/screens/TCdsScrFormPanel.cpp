// The table screen's top panel, main menu and window keys.
#include "screens/ScrGrid.h"
#include "screens/TCdsScrForm.h"

#include "shell/QtText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace sarw {

QPushButton* TCdsScrForm::addButton(const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromLatin1(caption), panel_);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(hint));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    buttons_[name] = b;
    return b;
}

namespace {

struct ButtonDef {
    const char* name;
    const char* caption;
    const char* hint;
};

QHBoxLayout* row(QVBoxLayout* panel) {
    auto* r = new QHBoxLayout;
    r->setSpacing(3);
    panel->addLayout(r);
    return r;
}

} // namespace

void TCdsScrForm::buildPanel() {
    panel_ = new QWidget(this);
    panel_->setFixedHeight(153);
    auto* layout = new QVBoxLayout(panel_);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    const ButtonDef top[] = {
        {"oprava", "  Oprava", "Povoli nebo zakaze provadeni oprav"},
        {"param", "  Param", "Doplneni mezisouctu a strankovani"},
        {"tiskOkna", " Tisk okna", "Vytiskne se prave zobrazene okno"},
        {"sestava1", "  Sestava I", "Vytvori se sestava v textovem ASCII tvaru"},
        {"sestava2", "  Sestava II", "Vytvori se oramovana sestava v textovem UNICODE tvaru"},
        {"sestava3", "  Sestava III", "Vytvori se oramovana sestava v grafickem rezimu"},
        {"excel", "  Excel", "Prevod tabulky do MS Excel"},
        {"word", "  Word", "Prevod tabulky do MS Word"},
        {"schranka", "  Schranka", "Vlozeni tabulky do schranky windows"},
        {"konec", "  Konec", "Uzavreni okna"},
    };
    QHBoxLayout* r = row(layout);
    for (const ButtonDef& s : top) r->addWidget(addButton(s.name, s.caption, s.hint));
    r->addStretch();
    buttons_["oprava"]->setCheckable(true);

    r = row(layout);
    search_ = new QLineEdit(panel_);
    search_->setObjectName("hledany");
    search_->setToolTip(QStringLiteral("Pole pro vlozeni hledaneho klice nebo retezce."));
    r->addWidget(new QLabel(QStringLiteral("Hledany retezec:"), panel_));
    r->addWidget(search_, 1);
    r->addWidget(addButton("najitKlic", "  Najit klic",
                           "Hleda se veta, ktera ve zvolenem sloupci zacina zadanym slovem."));
    r->addWidget(
        addButton("najitRet", "  Najit ret.", "Hleda se veta, ktera obsahuje zadany retezec."));
    rows_ = new QLineEdit(panel_);
    rows_->setReadOnly(true);
    rows_->setObjectName("radku");
    rows_->setFixedWidth(40);
    r->addWidget(rows_);
    r->addWidget(addButton("font", "Font",
                           "Vychozi font pro zobrazeni a tisk sestav, pocet radku na jedne "
                           "strance sestavy"));
    minimal_ = new QCheckBox(QStringLiteral("Minimalni sirka sestavy"), panel_);
    minimal_->setObjectName("minimalni");
    r->addWidget(minimal_);

    r = row(layout);
    heading1_ = new QLineEdit(panel_);
    heading2_ = new QLineEdit(panel_);
    heading1_->setToolTip(
        QStringLiteral("Uvodni hlavicka kazde stranky vytvarenych sestav I, II, III "));
    heading2_->setToolTip(QStringLiteral("Hlavicka kazde stranky vytvarenych sestav I, II, III"));
    r->addWidget(new QLabel(QStringLiteral("Hlavicka I: "), panel_));
    r->addWidget(heading1_, 1);
    time_ = new QCheckBox(QStringLiteral("Cas"), panel_);
    time_->setToolTip(QStringLiteral("Vlozeni datumu a casu do hlavicky"));
    r->addWidget(time_);
    auto* nonEmpty = new QRadioButton(QStringLiteral("Pouze neprazdne sloupce"), panel_);
    auto* all = new QRadioButton(QStringLiteral("Vsechny sloupce"), panel_);
    nonEmpty->setObjectName("neprazdne");
    all->setObjectName("vsechny");
    for (QRadioButton* b : {nonEmpty, all}) {
        b->setToolTip(QStringLiteral("Do sestavy vybere jen neprazdne sloupce nebo vsechny"));
        buttons_[cp(b->objectName())] = b;
        r->addWidget(b);
    }
    nonEmpty->setChecked(true);
    r = row(layout);
    r->addWidget(new QLabel(QStringLiteral("Hlavicka II:"), panel_));
    r->addWidget(heading2_, 1);

    const ButtonDef small[] = {
        {"prvni", "|<", ""},
        {"predchozi", "<", ""},
        {"dalsi", ">", ""},
        {"posledni", ">|", ""},
        {"vlozit", "+", "Vlozeni vety"},
        {"zrusit", "-", "Zruseni vety"},
        {"ulozit", "Ulozit", "Ulozeni bunky"},
        {"schrankaCti", "Cti", "Cteni retezce ze schranky windows a ulozeni do vybrane bunky"},
        {"schrankaUloz", "Uloz", "Ulozeni obsahu vybrane bunky do schranky windows"},
        {"vyprazdnit", "Vyprazdnit", "Vyprazdneni tabulky"},
        {"vyraz", "Vyraz", "Aritmeticky vyraz"},
        {"kalkulacka", "Kalk.", "Kalkulacka"},
        {"hodiny", "Hod.", "Hodiny"},
        {"kalendar", "Kal.", "Kalendar"},
        {"textZacatek", "T-Z", "Text na zacatku stranky"},
        {"textKonec", "T-K", "Text na konci stranky"},
        {"textVpravo", "T-V", "Text vpravo"},
    };
    r = row(layout);
    for (const ButtonDef& s : small) {
        QPushButton* b = addButton(s.name, s.caption, s.hint);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);
        r->addWidget(b);
    }
    r->addStretch();
    columnLabel_ = new QLabel(panel_);
    recordLabel_ = new QLabel(panel_);
    r->addWidget(columnLabel_);
    r->addWidget(recordLabel_);

    // Not part of the program yet: present, disabled, saying so.
    for (const char* name : {"sestava2"}) {
        buttons_[name]->setEnabled(false);
        buttons_[name]->setToolTip(QString::fromLatin1(kNotYet));
    }
}

void TCdsScrForm::buildMenu() {
    auto* bar = new QMenuBar(this);
    const struct {
        const char* caption;
        int key;
        Qt::KeyboardModifiers modifiers;
    } moves[] = {
        {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier},
        {"Ctrl+End", Qt::Key_End, Qt::ControlModifier},
        {"Home", Qt::Key_Home, Qt::NoModifier},
        {"End", Qt::Key_End, Qt::NoModifier},
        {"PgDn", Qt::Key_PageDown, Qt::NoModifier},
        {"PgUp", Qt::Key_PageUp, Qt::NoModifier},
        {"Row+", Qt::Key_Down, Qt::NoModifier},
        {"Row-", Qt::Key_Up, Qt::NoModifier},
        {"Col+", Qt::Key_Right, Qt::NoModifier},
        {"Col-", Qt::Key_Left, Qt::NoModifier},
    };
    for (const auto& m : moves) {
        QAction* a = bar->addAction(QString::fromLatin1(m.caption));
        a->setObjectName(QString::fromLatin1(m.caption));
        connect(a, &QAction::triggered, this, [this, m] {
            grid_->setFocus();
            QKeyEvent press(QEvent::KeyPress, m.key, m.modifiers);
            QCoreApplication::sendEvent(grid_, &press);
            updateLabels();
        });
    }
    layout()->setMenuBar(bar);
}

void TCdsScrForm::buildShortcuts() {
    auto shortcut = [this](QKeySequence keys, auto f) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, f);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_U), [this] {
        grid_->finishEditing();
        scr_.toggleEditingAllowed();
        reloadTable();
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F2), [this] { saveCopy(false); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2), [this] { saveCopy(true); });
}

} // namespace sarw
