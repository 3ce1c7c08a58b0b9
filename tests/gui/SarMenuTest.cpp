#include "GuiTest.h"

#include "access/THesloG.h"
#include "access/THesloP.h"
#include "editors/TRtfEdit.h"
#include "period/Period.h"
#include "period/TObd.h"
#include "period/TObd12.h"
#include "screens/TCdsScrForm.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/SarPicture.h"
#include "shell/TSar.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/StockTables.h"
#include "period/PeriodFiles.h"
#include "tools/VTime.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

constexpr const char* kRefusal = "Pro tuto oblast nemate opravneni !";

// Runs the action and tells whether a window of type T came up modally meanwhile (it is closed).
template <class T> bool opens(const std::function<void()>& run) {
    bool opened = false;
    QPointer<QTimer> waiting = whenModal<T>(
        [&opened](T* w) {
            opened = true;
            w->reject();
        },
        400);
    run();
    // Only once the timer is gone may `opened` go out of scope.
    if (!QTest::qWaitFor([&] { return waiting.isNull(); }, 10000)) qFatal("the timer stayed");
    return opened;
}

} // namespace

// What the menu does for users of different statuses.
class SarMenuTest : public QObject {
    Q_OBJECT
    std::vector<int> ends;

private slots:
    void init() {
        ends.clear();
        recordProgramEnd(ends);
    }

    void viewerGetsNoUpkeep() {
        DemoDisk d;
        writeUsers(d.t, {{"Petr", "p", "Prohl"}});
        auto main = startMain(d, "Petr", "p");
        QCOMPARE(d.t->login.status, std::string("Prohl"));
        QVERIFY(!main->dosMenu()->menuAction()->isVisible());
        d.t.dialogs.clear();

        // The period: a silent status gate, from the menu and from the toolbar.
        QVERIFY(!opens<TObd>([&] { main->command("NObdobi")->trigger(); }));
        QVERIFY(!opens<TObd>([&] { main->toolButton("Zmena ucetniho obdobi")->click(); }));
        QVERIFY(d.t.dialogs.boxes.empty());

        // Area checks: the refusal, and nothing done.
        const std::string turnovers = turnoverFileName(*d.t);
        d.t.write(kWorkingTurnoverCopy, "not a table");
        const std::string before = d.t.read(turnovers);
        d.t.dialogs.clear();
        main->command("ObnovaDatPoslDokl")->trigger();
        QCOMPARE(d.t.read(turnovers), before);
        main->command("DefInic")->trigger();
        main->command("DefDokl")->trigger();
        QCOMPARE(d.t.dialogs.count(Kind::Warning), 3);
        for (const auto& box : d.t.dialogs.boxes) QCOMPARE(box.text, std::string(kRefusal));
        QVERIFY(ends.empty());
    }

    void periodCommandUpdatesLabel() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        whenModal<TObd>([](TObd* w) {
            QTest::keyClicks(w->field(), "2604");
            QTest::keyClick(w->field(), Qt::Key_Return);
        });
        main->toolButton("Zmena ucetniho obdobi")->click();
        QCOMPARE(main->picture().period()->text(), QString("Ucetni obdobi: 26 04"));
        ReadPeriod(*d.t);
        QCOMPARE(d.t->period.Period, std::string("26 04"));
    }

    void saveDataAddsGeneration() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const auto archive = d.t.path("D:\\LSarW\\Archiv");
        const std::string turnovers = turnoverFileName(*d.t);
        const std::string name = std::filesystem::path(d.t.path(turnovers)).stem().string();
        QVERIFY(std::filesystem::exists(archive / (name + "_001.Cds")));
        // Unchanged: no generation; changed since the archived copy: a new one.
        d.t.dialogs.clear();
        main->command("ArchFile")->trigger();
        QVERIFY(!std::filesystem::exists(archive / (name + "_002.Cds")));
        QCOMPARE(d.t.dialogs.boxes.back().text,
                 std::string("Archiv je aktualni, zadny soubor nebylo treba ukladat."));
        const auto file = d.t.path(turnovers);
        std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                                   std::chrono::seconds(5));
        main->command("ArchFile")->trigger();
        QVERIFY(std::filesystem::exists(archive / (name + "_002.Cds")));
        QCOMPARE(d.t.dialogs.boxes.back().title, std::string("Ulozeni dat"));
        QCOMPARE(d.t.dialogs.boxes.back().text,
                 "Do archivu byly ulozeny soubory:\r\rD:\\LSarW\\Archiv\\" + name + "_002.Cds");
    }

    void laterCommandsDisabledWithHint() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        for (const char* h :
             {"DosPrevStavy", "DosPrevCis", "TabStavy", "TabObratyOdDo", "TabAktStavy", "NObdobi",
              "ArchFile", "ObnovaDatPoslDokl", "DefInic", "DefDoklP", "DefInvZ", "EditAt",
              "ProhlObr", "PrehrMedii", "ProgClose", "DataStavy", "ACinn", "AMater", "AUcto",
              "UzavMes", "ObnovaDat", "SesInv", "SesReg", "SesSklK", "Ucto", "DataObraty"}) {
            QAction* a = main->command(h);
            QVERIFY2(a && a->isEnabled(), h);
        }
        QVERIFY(main->toolButton("Zpracovani ucetnich dokladu")->isEnabled());
        QCOMPARE(main->toolButton("Zpracovani ucetnich dokladu")->toolTip(),
                 QString("Zpracovani ucetnich dokladu"));
        QVERIFY(main->toolButton("Zmena ucetniho obdobi")->isEnabled());
        // Every toolbar button has its hint.
        for (const char* hint : {"Kalendar", "Hodiny", "Napoveda"}) {
            QVERIFY2(main->toolButton(hint)->isEnabled(), hint);
            QCOMPARE(main->toolButton(hint)->toolTip(), QString(hint));
        }
        main->toolButton("Hodiny")->click();
        QVERIFY(main->findChild<VTime*>() && main->findChild<VTime*>()->isVisible());
        QCOMPARE(main->toolButton("Ukonceni programu")->toolTip(), QString("Ukonceni programu"));
    }

    void stockTablesInOwnView() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        // Without the table tool the result is shown read-only in the table screen.
        QString title;
        int rows = 0, columns = 0;
        QString firstHeading;
        whenModal<TCdsScrForm>([&](TCdsScrForm* v) {
            title = v->windowTitle();
            rows = v->model().rowCount();
            columns = v->model().columnCount();
            firstHeading = v->model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
            v->accept();
        });
        main->command("TabAktStavy")->trigger();
        QVERIFY2(title.startsWith("  Prehled aktualnich stavu v obdobi " +
                                  QString::fromStdString(d.period) + "          "),
                 qPrintable(title));
        QVERIFY(rows > 0);
        QCOMPARE(columns, 13);
        QVERIFY(!firstHeading.isEmpty());
        QVERIFY(d.t.dialogs.progressShows >= 1);
        QCOMPARE(d.t.dialogs.progressShows, d.t.dialogs.progressCloses);
        QVERIFY(d.t.exists(kTabuloControlFile)); // the hand-over was written all the same

        // The turnovers: the sign question first.
        d.t.dialogs.clear();
        whenModal<TCdsScrForm>([&](TCdsScrForm* v) {
            title = v->windowTitle();
            v->accept();
        });
        main->command("TabObraty")->trigger();
        QVERIFY2(title.startsWith("  Prehled obratu          "), qPrintable(title));
        QVERIFY(d.t.dialogs.saw("Zmenit znamenka u vydajov ?"));

        // Escape in the from/to dialog: nothing is computed or shown.
        d.t.dialogs.clear();
        d.t.write(kSarWork, "stale");
        whenModal<TObd12>([](TObd12* w) { QTest::keyClick(w->fromField(), Qt::Key_Escape); });
        QVERIFY(!opens<TCdsScrForm>([&] { main->command("TabObratyOdDo")->trigger(); }));
        QCOMPARE(d.t.read(kSarWork), std::string("stale"));
        QVERIFY(d.t.dialogs.boxes.empty());
    }

    void initialisationFileEdited() {
        for (bool save : {true, false}) {
            DemoDisk d;
            auto main = startMain(d, "Zenit", "Zenit");
            const std::string inic = inicFileName(*d.t);
            const std::string before = d.t.read(inic);
            d.t.dialogs.clear();
            d.t.dialogs.answers = {save ? Dialogs::Answer::Yes : Dialogs::Answer::No};
            bool readOnlyFirst = false;
            whenModal<TRtfEdit>([&](TRtfEdit* w) {
                readOnlyFirst = w->text()->isReadOnly();
                QTest::keyClick(w->text(), Qt::Key_E, Qt::ControlModifier); // "Povolit"
                w->text()->selectAll();
                QTest::keyClicks(w->text(), "02 Nov"); // typing replaces the selection
                w->text()->insertPlainText(
                    QString::fromUtf8("á firma\n04 Sklad\n05 Dílna\nD:\\SarDos\n"));
                w->findChild<QPushButton*>("Konec")->click();
            });
            main->command("DefInic")->trigger();
            QVERIFY(readOnlyFirst);
            QCOMPARE(d.t.dialogs.boxes.front().text,
                     inic + "\r\rSoubor byl zmenen. Ma byt ulozen ?");
            SarPicture& p = main->picture();
            if (save) {
                QCOMPARE(
                    d.t.read(inic),
                    std::string("02 Nov\xe1 firma\r\n04 Sklad\r\n05 D\xedlna\r\nD:\\SarDos\r\n"));
                // The labels show the new texts with their captions at once.
                QCOMPARE(p.enterprise()->text(), QString::fromUtf8("Podnik:     02 Nová firma"));
                QCOMPARE(p.costCentre()->text(), QString::fromUtf8("Stredisko:  05 Dílna"));
                // A new show repeats the show step, not the first activation.
                d.t.dialogs.clear();
                main->hide();
                QVERIFY(!opens<THesloG>([&] { main->show(); }));
                QCOMPARE(p.enterprise()->text(), QString::fromUtf8("Podnik:     02 Nová firma"));
                QVERIFY(d.t.dialogs.boxes.empty());
            } else {
                QCOMPARE(d.t.read(inic), before);
                // Closed without a change: the captions stay.
                QCOMPARE(p.enterprise()->text(),
                         QString::fromUtf8("Podnik:     01 Strojírny Morava, a.s."));
                QCOMPARE(p.managementUnit()->text().left(8), QString("Sprava: "));
            }
        }
    }

    void layoutFilesOpenInTextWindow() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::pair<const char*, const char*> commands[] = {
            {"DefDoklP", "DoklP.Def"}, {"DefDokl", "Dokl.Def"}, {"DefDoklZ", "DoklZ.Def"},
            {"DefInvP", "InvP.Def"},   {"DefInvR", "InvR.Def"}, {"DefInvZ", "InvZ.Def"}};
        for (const auto& [handler, file] : commands) {
            const std::string name = "D:\\LSarW\\DefSoub\\" + std::string(file);
            const std::string before = d.t.read(name);
            QString title, shown;
            whenModal<TRtfEdit>([&](TRtfEdit* w) {
                title = w->windowTitle();
                shown = w->text()->toPlainText();
                w->accept();
            });
            main->command(handler)->trigger();
            QVERIFY2(title.contains(QString::fromStdString(name)), handler);
            QVERIFY2(!shown.isEmpty() && shown == boxText(before), handler);
            QCOMPARE(d.t.read(name), before); // nothing changed, nothing written
        }
        QVERIFY(d.t.dialogs.count(Kind::Question) == 0);
    }

    void programStarts() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        // A stand-in editor that notes its parameters.
        const auto noted = d.t.root / "noted.txt";
        d.t.write("D:\\LSarW\\Programy\\Opisovac.Exe",
                  "#!/bin/sh\necho \"$@\" > '" + noted.string() + "'\n");
        std::filesystem::permissions(d.t.path("D:\\LSarW\\Programy\\Opisovac.Exe"),
                                     std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        d.t.dialogs.clear();
        main->command("EditAt")->trigger();
        QTRY_VERIFY(std::filesystem::exists(noted) && !readFile(noted).empty());
        QCOMPARE(readFile(noted), std::string("D:\\LSarW\n"));
        QVERIFY(d.t.dialogs.boxes.empty());
        // A missing one has its stand-in (StandInsTest), never the not-found warning.
        QVERIFY(opens<QFileDialog>([&] { main->command("ProhlObr")->trigger(); }));
        QVERIFY(d.t.dialogs.boxes.empty());
    }

    void dosImportFromMenu() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        QVERIFY(!d.t.exists("D:\\LSarW\\Data\\250901SarS.Cds"));
        // The demo's opening states exist: one question lists them; "Ne" changes nothing.
        const std::string existing = d.t.read("D:\\LSarW\\Data\\260001SarS.Cds");
        d.t.dialogs.answers = {Dialogs::Answer::No};
        main->command("DosPrevStavy")->trigger();
        QCOMPARE(d.t.dialogs.count(Kind::Question), 1);
        QVERIFY(d.t.dialogs.saw("Prevod prepise tyto soubory:"));
        QVERIFY(d.t.dialogs.saw("D:\\LSarW\\Data\\260001SarS.Cds"));
        QVERIFY(!d.t.exists("D:\\LSarW\\Data\\250901SarS.Cds"));
        QCOMPARE(d.t.read("D:\\LSarW\\Data\\260001SarS.Cds"), existing);
        d.t.dialogs.clear();
        d.t.dialogs.answers = {Dialogs::Answer::Yes};
        main->command("DosPrevStavy")->trigger();
        QCOMPARE(d.t.dialogs.count(Kind::Question), 1);
        QVERIFY(d.t.exists("D:\\LSarW\\Data\\250901SarS.Cds"));
        QVERIFY(d.t.exists("D:\\LSarW\\Data\\251101SarS.Cds"));
        QVERIFY(d.t.dialogs.progressShows > 0);
        QCOMPARE(d.t.dialogs.progressShows, d.t.dialogs.progressCloses);
    }

    void keysOpenLoginAndRights() {
        DemoDisk d;
        writeUsers(d.t, {{"Zenit", "Zenit", "Zenit"}, {"Eva", "e", "HObr"}});
        auto main = startMain(d, "Zenit", "Zenit");
        QVERIFY(opens<THesloP>([&] {
            QTest::keyClick(main.get(), Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
        }));
        // A new login replaces user and status; the menu stays as it was.
        answerLogin("Eva", "e");
        QTest::keyClick(main.get(), Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(d.t->login.user, std::string("Eva"));
        QCOMPARE(d.t->login.status, std::string("HObr"));
        QVERIFY(main->dosMenu()->menuAction()->isVisible());
    }
};

SARW_GUI_TEST(SarMenuTest);
#include "SarMenuTest.moc"
