#include "GuiTest.h"

#include "codebooks/TCdsCis.h"
#include "reports/OrgLevelBox.h"
#include "reports/TSarInv.h"
#include "reports/TSarReg.h"
#include "reports/TSarSklK.h"
#include "reports/TSarUct.h"
#include "screens/TCdsScrForm.h"
#include "shell/TSar.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

// What the table screen was given when it opened, and how many rows it showed.
struct Screen {
    CdsScrParams params;
    int rows = -1;
};

void noteScreen(Screen& seen, Session& s) {
    whenModal<TCdsScrForm>([&seen, &s](TCdsScrForm* w) {
        seen.params = s.scr;
        seen.rows = w->model().rowCount();
        w->reject();
    });
}

} // namespace

// The windows of "Prehlady" and "Prevody" on the demo disk, through the main window's menu.
class ReportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void inventoryList() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        Screen shown, print;
        QString period;
        whenModal<TSarInv>([&](TSarInv* w) {
            period = w->findChild<QLabel*>("Obdobi")->text();
            w->levelBox()->setLevel(OrgLevel::Stredisko);
            w->groupsBox()->setChecked(true);
            w->button("Proved")->click();
            noteScreen(shown, *d.t);
            w->button("Zobraz")->click();
            noteScreen(print, *d.t);
            w->button("Sestava")->click();
            w->button("Konec")->click();
        });
        main->command("SesInv")->trigger();
        QCOMPARE(period, QString("Obdobi:  26 02"));
        QVERIFY(shown.rows > 0);
        QCOMPARE(shown.params.heading2,
                 std::string("Inventurni soupis podle stredisek v obdobi 26 02"));
        QVERIFY(!shown.params.editAllowed);
        // Viewing: a subtotal and a page per unit, no material group level, no texts.
        for (int lv : {1, 2, 3}) QVERIFY(shown.params.Sum[lv] && shown.params.Str[lv]);
        QVERIFY(!shown.params.Sum[4]);
        QVERIFY(shown.params.upperText.empty());
        // Printing: the group subtotal without a page, and the three inventory texts.
        QVERIFY(print.params.Sum[4] && !print.params.Str[4]);
        QVERIFY(print.params.upperText.ends_with("InvP.Def"));
        QVERIFY(print.params.rightText.ends_with("InvR.Def"));
        QVERIFY(print.params.lowerText.ends_with("InvZ.Def"));
        QCOMPARE(d.t->scr.deepestLevel(), 0);
        QVERIFY(d.t->scr.upperText.empty());
    }

    void regletaFiltersSumsWhileOpen() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        Screen shown;
        whenModal<TSarReg>([&](TSarReg* w) {
            w->levelBox()->setLevel(OrgLevel::Zavod);
            w->button("Proved")->click();
            noteScreen(shown, *d.t);
            w->button("Zobraz")->click();
            w->button("Konec")->click();
        });
        main->command("SesReg")->trigger();
        QVERIFY(shown.rows > 0);
        QCOMPARE(shown.params.heading2, std::string("Regleta podle zavodu v obdobi 26 02"));
        QVERIFY(shown.params.Sum[1] && shown.params.Str[1] && shown.params.Rad[3]);
        QCOMPARE(shown.params.sumFilterText, std::string("Akt.stav"));
        // Closed: no filter left for the next report.
        QVERIFY(d.t->scr.sumFilterText.empty());
        QCOMPARE(d.t->scr.sumFilterField, 0);
    }

    void stockCards() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        Screen shown;
        QString picked, plant, from;
        bool refusedShowsNothing = false;
        whenModal<TSarSklK>([&](TSarSklK* w) {
            from = w->field("od")->text();
            plant = w->field("zavod")->text();
            // A management unit without its plant is refused.
            w->field("zavod")->setText(" ");
            w->button("Proved")->click();
            refusedShowsNothing = d.t.dialogs.saw("Chybne zadane organizacni jednotky !");
            w->field("zavod")->setText(plant);
            // Ctrl+F1 offers the materials of the period range; Enter takes the first.
            whenModal<TCdsCis>([](TCdsCis* c) { QTest::keyClick(c->grid(), Qt::Key_Return); });
            QTest::keyClick(w->field("material"), Qt::Key_F1, Qt::ControlModifier);
            picked = w->field("material")->text();
            w->button("Proved")->click();
            noteScreen(shown, *d.t);
            w->button("Zobraz")->click();
            w->button("Konec")->click();
        });
        main->command("SesSklK")->trigger();
        QCOMPARE(from, QString("0000"));
        QCOMPARE(plant, QString("01"));
        QVERIFY(refusedShowsNothing);
        QVERIFY(!picked.isEmpty());
        QVERIFY(shown.rows > 0);
        QCOMPARE(shown.params.heading2, std::string("Skladove karty"));
        QVERIFY(shown.params.Sum[6]); // all three units given: the last material key field
    }

    void transferToAccounting() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        // A user of status HObr may not transfer.
        d.t->login.status = "HObr";
        d.t.dialogs.clear();
        bool opened = false;
        whenModal<TSarUct>([&](TSarUct* w) { opened = true; w->reject(); }, 300);
        main->command("Ucto")->trigger();
        QTest::qWait(400);
        QVERIFY(!opened);
        d.t->login.status = "Zenit";
        d.t.dialogs.clear();
        Screen bookings;
        QString month;
        bool badMonth = false;
        whenModal<TSarUct>([&](TSarUct* w) {
            month = w->monthField()->text();
            w->monthField()->setText("13");
            w->button("Kopirovat")->setFocus(Qt::TabFocusReason);
            badMonth = d.t.dialogs.saw("Chybne zadany mesic!") && w->monthField()->hasFocus();
            w->monthField()->setText("02");
            noteScreen(bookings, *d.t);
            w->button("Vytvoreni")->click();
            // Copying the transfer file onto itself is refused (after the dialog's own question
            // about replacing an existing file).
            whenModal<QFileDialog>([](QFileDialog* f) {
                whenModal<QMessageBox>([](QMessageBox* b) {
                    if (QAbstractButton* yes = b->button(QMessageBox::Yes)) yes->click();
                });
                static_cast<QDialog*>(f)->accept();
            });
            w->button("Kopirovat")->click();
            w->button("Konec")->click();
        });
        main->command("Ucto")->trigger();
        QCOMPARE(month, QString("02"));
        QVERIFY(badMonth);
        // Two bookings per turnover; no table tool installed, so the table screen shows them.
        QVERIFY(bookings.rows > 0 && bookings.rows % 2 == 0);
        QVERIFY(bookings.params.DefFile.ends_with("UctO.Def"));
        QVERIFY(d.t.dialogs.saw("Vstupni a vystupni soubor se rovnaji !"));
    }
};

SARW_GUI_TEST(ReportWindowsTest);
#include "ReportWindowsTest.moc"
