#include "GuiTest.h"

#include "period/PeriodFiles.h"
#include "screens/TCdsScrForm.h"
#include "shell/SarPicture.h"
#include "shell/TSar.h"
#include "stock/TSarMesU.h"
#include "stock/TSarObn.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

// The monthly closing and the restore from the archive, from the main window's menu.
class StockWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void monthlyClosing() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::string newStates = "D:\\LSarW\\Data\\260201SarS.Cds";
        QVERIFY(!d.t.exists(newStates));

        // "Ne" to the question: no window, nothing written.
        d.t.dialogs.clear();
        d.t.dialogs.answers = {Dialogs::Answer::No};
        bool opened = false;
        auto never = whenModal<TSarMesU>([&](TSarMesU* w) { opened = true; w->reject(); }, 300);
        main->command("UzavMes")->trigger();
        QTest::qWait(400);
        QVERIFY(!opened);
        QCOMPARE(d.t.dialogs.boxes.back().text, std::string("Skutecne chceme uzavrit mesic ?"));
        QCOMPARE(d.t.dialogs.boxes.back().title, std::string("Aktualni obdobi:  26 02"));
        QVERIFY(!d.t.exists(newStates));

        // "Ano": the window proposes the next month; a bad target is refused, a good one
        // closes, and the main window's label follows while the window stays open.
        d.t.dialogs.clear();
        d.t.dialogs.answers = {Dialogs::Answer::Yes};
        QString current, proposed, labelAfter;
        bool refusedWrote = true;
        whenModal<TSarMesU>([&](TSarMesU* w) {
            current = w->currentField()->text();
            proposed = w->nextField()->text();
            w->nextField()->setText(" 26 21");
            w->runButton()->click();
            refusedWrote = d.t.exists(newStates);
            w->nextField()->setText("26 03");
            w->runButton()->click();
            labelAfter = main->picture().period()->text();
            QVERIFY(w->isVisible());
            w->accept();
        });
        main->command("UzavMes")->trigger();
        QCOMPARE(current, QString("2602"));
        QCOMPARE(proposed, QString("2603"));
        QVERIFY(d.t.dialogs.saw("Chybne zadane obdobi !"));
        QVERIFY(!refusedWrote);
        QVERIFY(d.t.exists(newStates));
        QCOMPARE(d.t->period.Period, std::string("26 03"));
        QCOMPARE(labelAfter, QString("Ucetni obdobi: 26 03"));
    }

    void restoreFromArchive() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::string turnovers = turnoverFileName(*d.t);
        const auto archive = d.t.path("D:\\LSarW\\Archiv");
        const std::string name = std::filesystem::path(d.t.path(turnovers)).stem().string();
        const std::string archived = d.t.read("D:\\LSarW\\Archiv\\" + name + "_001.Cds");
        const std::string damaged = d.t.read("D:\\LSarW\\Data\\260101SarO.Cds");
        d.t.write(turnovers, damaged);

        for (bool yes : {false, true}) {
            d.t.dialogs.clear();
            d.t.dialogs.answers = {yes ? Dialogs::Answer::Yes : Dialogs::Answer::No};
            QStringList filters;
            bool shown = false;
            whenModal<QFileDialog>([&](QFileDialog* f) {
                filters = f->nameFilters();
                // Typed as a user would: selectFile depends on the folder's listing, which
                // Qt fills in on another thread.
                f->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(
                    (archive / (name + "_001.Cds")).string()));
                static_cast<QDialog*>(f)->accept(); // QFileDialog hides it
            });
            // No table tool installed: the table screen shows the archived file.
            whenModal<TCdsScrForm>([&](TCdsScrForm* w) {
                shown = w->model().rowCount() > 0;
                w->reject();
            });
            whenModal<TSarObn>([&](TSarObn* w) {
                w->turnoversButton()->click();
                w->accept();
            });
            main->command("ObnovaDat")->trigger();
            QCOMPARE(filters, QStringList{QString::fromStdString(
                                  "Archivni soubory (" + name.substr(0, 6) + "SarO_*.Cds)")});
            QVERIFY(shown);
            QVERIFY(d.t.dialogs.saw("Chcete soubor " + turnovers + " obnovit ?"));
            QCOMPARE(d.t.dialogs.count(Kind::Warning), 0);
            QCOMPARE(d.t.read(turnovers), yes ? archived : damaged);
        }
    }
};

SARW_GUI_TEST(StockWindowsTest);
#include "StockWindowsTest.moc"
