#include "shell/USarCON.h"

#include "access/Login.h"
#include "platform/ProgramHalt.h"
#include "shell/NumText.h"
#include "shell/WinLSys.h"
#include "support/TestSession.h"
#include "start/Startup.h"
#include "period/PeriodFiles.h"

#include <gtest/gtest.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;
namespace fs = std::filesystem;

namespace {

const std::string kPeriodFile = "C:\\A_Run\\PomSoub\\ObdobiSarW.Txt";

// A data disk D: with SarInic.TXT and the current period.
void install(test::TestSession& t, const std::string& inic, const std::string& period) {
    fs::create_directories(t.root / "D");
    t->dataDisk = "D:";
    t.write("D:\\LSarW\\PomSoub\\SarInic.TXT", inic);
    t.write(kPeriodFile, period + "\r\n");
}

} // namespace

TEST(USarCON, PeriodTableNamesForTheCurrentAndAGivenPeriod) {
    test::TestSession t;
    install(t, "01 Podnik\r\n22 Sprava\r\n333 Stredisko\r\nC:\\DOS DATA\r\n", "17 01");
    EXPECT_EQ(stateFileName(*t), "D:\\LSarW\\Data\\170001SarS.Cds");
    EXPECT_EQ(turnoverFileName(*t), "D:\\LSarW\\Data\\170101SarO.Cds");
    EXPECT_EQ(transferFileName(*t), "D:\\LSarW\\Prevody\\17010122335301SarWUctPr.Cds");
    EXPECT_EQ(stateFileName(*t, "17 05"), "D:\\LSarW\\Data\\170401SarS.Cds");
    EXPECT_EQ(turnoverFileName(*t, "1705"), "D:\\LSarW\\Data\\170501SarO.Cds");
    EXPECT_EQ(transferFileName(*t, "1712"), "D:\\LSarW\\Prevody\\17120122335301SarWUctPr.Cds");
    EXPECT_EQ(t->startup.enterprise, "01 Podnik");
    EXPECT_EQ(t->startup.costCentre, "333 Stredisko");
    EXPECT_EQ(t->startup.dosDataDir, "C:\\DOSDATA");

    // The period file and SarInic.TXT are read afresh for every name.
    t.write(kPeriodFile, "18 03\r\n");
    t.write("D:\\LSarW\\PomSoub\\SarInic.TXT", "7\r\n");
    EXPECT_EQ(stateFileName(*t), "D:\\LSarW\\Data\\18027SarS.Cds");
    EXPECT_EQ(transferFileName(*t), "D:\\LSarW\\Prevody\\180375301SarWUctPr.Cds");
    t.write("D:\\LSarW\\PomSoub\\SarInic.TXT", "\r\n");
    EXPECT_EQ(turnoverFileName(*t), "D:\\LSarW\\Data\\1803SarO.Cds");
    EXPECT_TRUE(t.dialogs.boxes.empty());

    EXPECT_EQ(codebookName(*t, "Mater"), "D:\\LSarW\\Cisel\\Mater.Cds");
    EXPECT_EQ(customerCodebookName(*t), "D:\\LOrbW\\Cisel\\Odber.Cds");
    EXPECT_EQ(supplierCodebookName(*t), "D:\\LOrbW\\Cisel\\Dodav.Cds");
    EXPECT_EQ(accessFileName(), "C:\\A_Run\\PristPr\\LSar.H");
}

TEST(USarCON, MissingInitialisationFileEndsTheApplication) {
    test::TestSession t;
    fs::create_directories(t.root / "D");
    t->dataDisk = "D:";
    EXPECT_FALSE(readInic(*t));
    EXPECT_TRUE(t->terminateRequested);
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_TRUE(t.dialogs.saw("SarInic.TXT"));
}

TEST(USarCON, YearCodebookIsCopiedFromThePreviousYear) {
    test::TestSession t;
    install(t, "01\r\n", "18 03");
    t.write("D:\\LSarW\\Cisel\\17MatSk.Cds", "groups of 17");
    EXPECT_EQ(yearCodebookName(*t, "MatSk"), "D:\\LSarW\\Cisel\\18MatSk.Cds");
    EXPECT_EQ(t.read("D:\\LSarW\\Cisel\\18MatSk.Cds"), "groups of 17");
    // An existing one stays as it is.
    t.write("D:\\LSarW\\Cisel\\18MatSk.Cds", "groups of 18");
    yearCodebookName(*t, "MatSk");
    EXPECT_EQ(t.read("D:\\LSarW\\Cisel\\18MatSk.Cds"), "groups of 18");
    // Year 00 takes year 99's; a given period names its own year.
    t.write("D:\\LSarW\\Cisel\\99Ucto.Cds", "u");
    EXPECT_EQ(yearCodebookName(*t, "Ucto", "0001"), "D:\\LSarW\\Cisel\\00Ucto.Cds");
    EXPECT_TRUE(t.exists("D:\\LSarW\\Cisel\\00Ucto.Cds"));
    EXPECT_TRUE(t.dialogs.boxes.empty());

    EXPECT_THROW(yearCodebookName(*t, "Konta"), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("17Konta.Cds"));
    EXPECT_FALSE(t.exists("D:\\LSarW\\Cisel\\18Konta.Cds"));
}

TEST(USarCON, ShowStepMakesTheTreesCopiesMissingFilesAndReadsThePeriod) {
    test::TestSession t;
    install(t, "01 Firma\r\nSprava\r\nStr\r\n\r\n", "17 05");
    t.write("D:\\LSarW\\PomSoub\\SarObd.Txt", "disk");
    t.write("D:\\LSarW\\PomSoub\\Sar.Jpg", "new picture");
    t.write("D:\\LSarW\\Dokum\\SarObn.Rtf", "help");
    t.write("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\Sar.Jpg", "local picture");

    ASSERT_TRUE(showStep(*t));
    for (const char* dir :
         {"C:\\A_Run\\Archiv", "C:\\A_Run\\Uzivatele", "C:\\A_Run\\Work",
          "C:\\A_Run\\Aplikace\\LSarW\\Cisel", "C:\\A_Run\\Aplikace\\LSarW\\Dokum",
          "D:\\LSarW\\Programy", "D:\\LSarW\\Prevody", "D:\\LSarW\\Archiv"})
        EXPECT_TRUE(fs::is_directory(t.path(dir))) << dir;
    EXPECT_EQ(t.read("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\SarObd.Txt"), "disk");
    EXPECT_EQ(t.read("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\Sar.Jpg"), "local picture");
    EXPECT_EQ(t.read("C:\\A_Run\\Aplikace\\LSarW\\Dokum\\SarObn.Rtf"), "help");
    EXPECT_EQ(t.read(kDiskMarkerFile), "D:\r\n");
    EXPECT_EQ(t->platform().currentDir(), "D:\\LSarW");
    EXPECT_TRUE(t.dialogs.boxes.empty());

    const MainLabels l = mainLabels(*t);
    EXPECT_EQ(l.period, "Ucetni obdobi: 17 05");
    EXPECT_EQ(l.enterprise, "Podnik:     01 Firma");
    EXPECT_EQ(l.managementUnit, "Sprava:     Sprava");
    EXPECT_EQ(l.costCentre, "Stredisko:  Str");
}

TEST(USarCON, FirstActivationRefusesUnknownStatusesAndRunsOnce) {
    test::TestSession t;
    install(t, "01\r\n", "17 05");
    t->login.status = "HCis";
    EXPECT_FALSE(firstActivation(*t));
    EXPECT_TRUE(t->terminateRequested);
    EXPECT_TRUE(t.dialogs.boxes.empty());

    test::TestSession u;
    install(u, "01\r\n", "17 05");
    u.write("D:\\LSarW\\Data\\170501SarO.Cds", "turnovers");
    showStep(*u);
    ASSERT_TRUE(login(*u, "Zenit", "Zenit"));
    u.dialogs.clear();
    ASSERT_TRUE(firstActivation(*u));
    EXPECT_TRUE(u.exists("D:\\LSarW\\Archiv\\170501SarO_001.Cds"));
    ASSERT_EQ(u.dialogs.count(Kind::Information), 1);
    const auto& msg = u.dialogs.boxes.back();
    EXPECT_EQ(msg.title, "Aplikace spustena");
    EXPECT_EQ(msg.text, "Prihlasen:     Zenit\r\rStatus:           Zenit\r\rLokalni disk:  C:\r"
                        "Pracovni disk:  D:");
    EXPECT_EQ(u->platform().currentDir(), "D:\\LSarW\\Data");

    // Later activations repeat nothing.
    u.dialogs.clear();
    u.write("D:\\LSarW\\Data\\170501SarO.Cds", "changed");
    EXPECT_TRUE(firstActivation(*u));
    EXPECT_TRUE(u.dialogs.boxes.empty());
    EXPECT_FALSE(u.exists("D:\\LSarW\\Archiv\\170501SarO_002.Cds"));
}

TEST(USarCON, UnmeasurableDataDiskHalts) {
    test::TestSession t;
    t->dataDisk = (t.root / "gone").string();
    EXPECT_THROW(checkFreeSpace(*t), ProgramHalt);
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Na disku \"" + upperCase(t->dataDisk) +
                                           "\" je mene nez 500 MB volneho mista !\r\r"
                                           "Program bude ukoncen.");
}

TEST(USarCON, EndOfProgramOnlyAfterYes) {
    test::TestSession t;
    t.write("C:\\A_Run\\Work\\SarWork.Cds", "w");
    t.write("C:\\A_Run\\Sestavy\\Inv.Ses", "s");
    t.write(kDiskMarkerFile, "D:\r\n");

    EXPECT_FALSE(endProgram(*t));
    ASSERT_EQ(t.dialogs.count(Kind::Question), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Ukoncit program ?");
    EXPECT_EQ(t.dialogs.boxes[0].title, "SarW");
    EXPECT_TRUE(t.exists("C:\\A_Run\\Work\\SarWork.Cds"));
    EXPECT_TRUE(t.exists("C:\\A_Run\\Sestavy\\Inv.Ses"));

    t.dialogs.answers.push_back(Dialogs::Answer::Yes);
    EXPECT_TRUE(endProgram(*t));
    EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\SarWork.Cds"));
    EXPECT_FALSE(t.exists("C:\\A_Run\\Sestavy\\Inv.Ses"));
    EXPECT_FALSE(t.exists(kDiskMarkerFile));
    EXPECT_TRUE(fs::is_directory(t.path("C:\\A_Run\\Work")));
}
