#include "GuiTest.h"

#include "platform/InstanceLock.h"
#include "shell/ProgramEnd.h"
#include "shell/SarPicture.h"
#include "shell/SarWProgram.h"
#include "shell/TSar.h"
#include "shell/USarCON.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

int generations(const std::filesystem::path& dir, const std::string& suffix) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename().string().ends_with(suffix)) ++n;
    return n;
}

} // namespace

// The program from its start on an installed data disk to its end.
class SarStartTest : public QObject {
    Q_OBJECT
    std::vector<int> ends;

private slots:
    void init() {
        ends.clear();
        recordProgramEnd(ends);
    }

    void fullStartOnDemoDisk() {
        DemoDisk d;
        QImage jpg(64, 48, QImage::Format_RGB32);
        jpg.fill(Qt::darkGreen);
        QVERIFY(jpg.save(QString::fromStdString(d.t.path("D:\\LSarW\\PomSoub\\Sar.Jpg").string()),
                         "JPG"));
        auto main = startMain(d, "Zenit", "Zenit");
        QVERIFY(ends.empty());
        QCOMPARE(d.t->login.status, std::string("Zenit"));
        QVERIFY(main->picture().hasOwnPicture());
        QVERIFY(!d.t->startup.firstActivation);

        // Trees, the disk marker and the access file made with its default entry.
        for (const char* dir : {"C:\\A_Run\\Work", "C:\\A_Run\\Sestavy", "C:\\A_Run\\Uzivatele",
                                "C:\\A_Run\\Aplikace\\LSarW\\Dokum", "D:\\LSarW\\Xml",
                                "D:\\LSarW\\Archiv", "D:\\LSarW\\Prevody"})
            QVERIFY2(std::filesystem::is_directory(d.t.path(dir)), dir);
        QCOMPARE(d.t.read(kDiskMarkerFile), std::string("D:\r\n"));
        QVERIFY(d.t.exists(kAccessFileName));
        QVERIFY(d.t.exists("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\SarInic.TXT"));

        // The start-up archive wrote the first generation of the period's tables.
        const auto archive = d.t.path("D:\\LSarW\\Archiv");
        QCOMPARE(generations(archive, "SarS_001.Cds"), 1);
        QCOMPARE(generations(archive, "SarO_001.Cds"), 1);

        // The information window during the archive, then the start message: nothing else.
        QCOMPARE(int(d.t.dialogs.boxes.size()), 2);
        QVERIFY(d.t.dialogs.boxes.front().kind == Kind::Info);
        QVERIFY(d.t.dialogs.saw("SarW:  Probiha archivace databasi !"));
        const auto& box = d.t.dialogs.boxes.back();
        QCOMPARE(box.title, std::string("Aplikace spustena"));
        QCOMPARE(box.text, std::string("Prihlasen:     Zenit\r\rStatus:           Zenit\r\r"
                                       "Lokalni disk:  C:\rPracovni disk:  D:"));

        // The labels show the company's texts with their diacritics.
        SarPicture& p = main->picture();
        QCOMPARE(p.enterprise()->text(),
                 QString::fromUtf8("Podnik:     01 Strojírny Morava, a.s."));
        QCOMPARE(p.costCentre()->text(), QString::fromUtf8("Stredisko:  01 Hlavní sklad Brno"));
        QCOMPARE(p.period()->text(), QString("Ucetni obdobi: " + QString::fromStdString(d.period)));
        QCOMPARE(main->systemLabel()->text(), QString("WIN 32"));
        QCOMPARE(p.enterprise()->pos(), QPoint(16, 14));
        QCOMPARE(p.costCentre()->pos(), QPoint(16, 62));
        const QRect period = p.period()->geometry();
        QVERIFY(period.left() > p.width() / 3 && period.right() <= p.width() - 16);
        QVERIFY(period.bottom() < p.height() && period.top() > p.height() / 2);
        QCOMPARE(main->size(), QSize(632, 508));
        if (main->logicalDpiX() >= 96) // every run of ten or more blanks shortened to nine
            QCOMPARE(main->windowTitle(), "SarW" + QString(9, ' ') + "Verze 1.1" + QString(4, ' ') +
                                              "01.02.2012" + QString(9, ' ') +
                                              "Vsechna prava vyhrazena");
        QVERIFY(main->dosMenu()->menuAction()->isVisible());

        // A second start the same day adds no generation.
        main.reset();
        d.t->startup.firstActivation = true;
        main = startMain(d, "Zenit", "Zenit");
        QCOMPARE(generations(archive, "SarO_001.Cds"), 1);
        QCOMPARE(generations(archive, "SarO_002.Cds"), 0);
    }

    void endQuestion() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::string work = "C:\\A_Run\\Work\\SarWork.Cds";
        const std::string reports = "C:\\A_Run\\Sestavy\\Sestava.Ses";
        d.t.write(work, "x");
        d.t.write(reports, "y");
        d.t.dialogs.clear();

        d.t.dialogs.answers = {Dialogs::Answer::No};
        QVERIFY(!main->close());
        QVERIFY(main->isVisible());
        QCOMPARE(d.t.dialogs.boxes.back().text, std::string("Ukoncit program ?"));
        QCOMPARE(d.t.dialogs.boxes.back().title, std::string("SarW"));
        QVERIFY(d.t.exists(work) && d.t.exists(reports) && d.t.exists(kDiskMarkerFile));

        d.t.dialogs.answers = {Dialogs::Answer::Yes};
        QVERIFY(main->close());
        QVERIFY(!d.t.exists(work) && !d.t.exists(reports) && !d.t.exists(kDiskMarkerFile));
        QVERIFY(std::filesystem::is_directory(d.t.path("C:\\A_Run\\Work")));
        QVERIFY(ends.empty());
    }

    void refusedLoginsEnd() {
        struct Case {
            const char* user;
            const char* password;
            const char* why;
        };
        const Case cases[] = {
            {"Zenit", "zenit", "wrong password"},
            {"zenit", "Zenit", "the name is compared case-sensitively"},
            {"Zen_Zen", "", "no name is special"},
            {"Prazdny", "x", "an empty password admits only an empty typed one"},
            {"Host", "Host", "a status that may not log in"},
        };
        for (const Case& c : cases) {
            ends.clear();
            recordProgramEnd(ends);
            DemoDisk d;
            writeUsers(
                d.t,
                {{"Zenit", "Zenit", "Zenit"}, {"Prazdny", "", "Sprav"}, {"Host", "Host", "HCis"}});
            auto main = startMain(d, c.user, c.password);
            QVERIFY2(ends == std::vector<int>{kEndNormal}, c.why);
            QVERIFY2(d.t->login.status != "Zenit" && d.t->login.status != "Sprav", c.why);
            const auto archive = d.t.path("D:\\LSarW\\Archiv");
            QVERIFY2(!std::filesystem::exists(archive) || generations(archive, ".Cds") == 0, c.why);
        }
        // The empty password does admit the empty typed one.
        ends.clear();
        recordProgramEnd(ends);
        DemoDisk d;
        writeUsers(d.t, {{"Prazdny", "", "Sprav"}});
        auto main = startMain(d, "Prazdny", "");
        QVERIFY(ends.empty());
        QCOMPARE(d.t->login.status, std::string("Sprav"));
        QVERIFY(!main->dosMenu()->menuAction()->isVisible());
    }

    void secondInstanceRefused() {
        TestSession t;
        qputenv("SARW_DRIVES", QByteArray::fromStdString(t.root.string()));
        InstanceLock first(t->platform());
        QVERIFY(first.acquired());
        QString title, text;
        whenModal<QMessageBox>([&](QMessageBox* b) {
            title = b->windowTitle();
            text = b->text();
            b->buttons().front()->click();
        });
        QCOMPARE(runSarW(*qApp, {"D:"}), kEndNormal);
        qunsetenv("SARW_DRIVES");
        QCOMPARE(title, QString("Jmeno programu:  SarW.Exe"));
        QCOMPARE(text, QString("Program je jiz na tomto pocitaci spusten !"));
        QVERIFY(!t.exists("D:\\LSarW")); // no window, no start-up step
    }

    void missingParameterHalts() {
        DemoDisk d;
        TSar main(*d.t);
        QVERIFY_THROWS_EXCEPTION(ProgramHalt, main.createStep({}));
        QCOMPARE(d.t.dialogs.boxes.back().text, std::string("Nedostatecny pocet parametru"));
        QCOMPARE(d.t.dialogs.boxes.back().title, std::string("SarW"));
    }
};

SARW_GUI_TEST(SarStartTest);
#include "SarStartTest.moc"
