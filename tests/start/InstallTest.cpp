// A new data disk from the installation data: fresh, refused, with the demo data.
#include "period/Period.h"
#include "start/Install.h"
#include "support/InstallData.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using namespace sarw::test;
namespace fs = std::filesystem;

namespace {

bool sameFile(const fs::path& a, const fs::path& b) {
    return readFile(a) == readFile(b);
}

TEST(Install, TargetTexts) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c : {Case{"d", "D:"}, Case{"d:", "D:"}, Case{"D:\\ucto\\", "D:\\ucto"},
                          Case{"e:\\sar\\ucto", "E:\\sar\\ucto"}, Case{"/srv/sar/", "/srv/sar"},
                          Case{"", ""}, Case{"1:", ""}, Case{"D:ucto", ""}, Case{"ucto", ""}})
        EXPECT_EQ(installTarget(c.in), c.out) << c.in;
}

TEST(Install, FreshDataDiskStartsInThisMonth) {
    TestSession ts;
    ts->platform().setFixedDate(DateTime{2027, 3, 15});
    InstallResult r;
    ASSERT_TRUE(installDataDisk(*ts, "d:\\ucto", installData(), false, r));
    EXPECT_TRUE(ts.dialogs.boxes.empty());
    EXPECT_EQ(r.dataDisk, "D:\\ucto");
    EXPECT_EQ(r.period, "27 03");
    EXPECT_GT(r.files, 30);
    const std::string disk = "D:\\ucto\\";
    EXPECT_TRUE(sameFile(ts.path(disk + "LSarW\\DefSoub\\SarO.Def"),
                         installData() / "LSarW/DefSoub/SarO.Def"));
    for (const char* dir :
         {"Programy", "TbuSoub", "RidSoub", "Xml", "Dbf", "Csv", "Prevody", "Archiv", "Data"})
        EXPECT_TRUE(fs::is_directory(ts.path(disk + "LSarW\\" + dir))) << dir;
    EXPECT_TRUE(ts.exists(disk + "LOrbW\\Cisel\\Odber.Cds"));
    EXPECT_EQ(ts.read(disk + "LSarW\\PomSoub\\SarObd.Txt"), "27 03\r\n");
    // The year codebooks of the starting year exist, seeded from the delivered year.
    for (const char* kind : {"MatSk", "Ucto", "Cinn", "Konta"})
        EXPECT_TRUE(sameFile(ts.path(disk + "LSarW\\Cisel\\27" + kind + ".Cds"),
                             installData() / ("LSarW/Cisel/26" + std::string(kind) + ".Cds")))
            << kind;
    EXPECT_TRUE(fs::is_empty(ts.path(disk + "LSarW\\Data")));
    EXPECT_FALSE(ts.exists(disk + "SarDos"));
    EXPECT_FALSE(ts.exists(periodFileName(*ts)));
    EXPECT_FALSE(ts.exists(disk + "LSarW.instalace"));
}

TEST(Install, RefusesADiskThatHoldsAnInstallation) {
    TestSession ts;
    ts.write("D:\\lsarw\\PomSoub\\SarInic.TXT", "01 Nase data\r\n");
    InstallResult r;
    EXPECT_FALSE(installDataDisk(*ts, "D:", installData(), true, r));
    ASSERT_EQ(ts.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(ts.dialogs.saw("jiz je instalace SarW"));
    EXPECT_TRUE(ts.dialogs.saw("Instalace nebude provedena !"));
    EXPECT_EQ(ts.read("D:\\lsarw\\PomSoub\\SarInic.TXT"), "01 Nase data\r\n");
    EXPECT_FALSE(ts.exists("D:\\LOrbW"));
    EXPECT_FALSE(ts.exists(periodFileName(*ts)));

    ts.dialogs.clear();
    EXPECT_FALSE(installDataDisk(*ts, "D:\\novy", installData() / "chybi", false, r));
    EXPECT_TRUE(ts.dialogs.saw("Instalacni data nebyla nalezena"));
    EXPECT_FALSE(ts.exists("D:\\novy\\LSarW"));
    EXPECT_FALSE(installDataDisk(*ts, "ucto", installData(), false, r));
    EXPECT_TRUE(ts.dialogs.saw("Chybne zadany datovy disk: ucto"));
}

TEST(Install, DemoDataKeepTheFinanceProgramsCodebooks) {
    TestSession ts;
    ts.write("D:\\LOrbW\\Cisel\\Odber.Cds", "finance");
    // What an interrupted installation left behind is not taken over.
    ts.write("D:\\LSarW.instalace\\Data\\zbytek.Cds", "x");
    InstallResult r;
    ASSERT_TRUE(installDataDisk(*ts, "D:", installData(), true, r));
    EXPECT_EQ(r.period, "26 02");
    EXPECT_EQ(ts.read("D:\\LOrbW\\Cisel\\Odber.Cds"), "finance");
    EXPECT_TRUE(sameFile(ts.path("D:\\LOrbW\\Cisel\\Dodav.Cds"),
                         installData() / "demo/LOrbW/Cisel/Dodav.Cds"));
    EXPECT_TRUE(sameFile(ts.path("D:\\LSarW\\Cisel\\Mater.Cds"),
                         installData() / "demo/LSarW/Cisel/Mater.Cds"));
    for (const char* f : {"260001SarS.Cds", "260101SarO.Cds", "260101SarS.Cds", "260201SarO.Cds"})
        EXPECT_TRUE(ts.exists(std::string("D:\\LSarW\\Data\\") + f)) << f;
    EXPECT_FALSE(ts.exists("D:\\LSarW\\Data\\zbytek.Cds"));
    EXPECT_FALSE(ts.exists("D:\\LSarW.instalace"));
    const auto inic = textLines(ts.path("D:\\LSarW\\PomSoub\\SarInic.TXT"));
    ASSERT_GE(inic.size(), 4u);
    EXPECT_EQ(inic[3], "D:\\SarDos");
    EXPECT_TRUE(ts.exists("D:\\SarDos\\SarS2600.Dat"));
    EXPECT_TRUE(ts.exists("D:\\SarDos\\PomSoub\\Mater.Dat"));
    EXPECT_EQ(ts.read("D:\\LSarW\\PomSoub\\SarObd.Txt"), "26 02\r\n");
    ReadPeriod(*ts);
    EXPECT_EQ(ts->period.Period, "26 02");
}

TEST(Install, NativeFolder) {
    TestSession ts;
    const fs::path folder = ts.root / "sdilene" / "sarw";
    InstallResult r;
    ASSERT_TRUE(installDataDisk(*ts, folder.string() + "/", installData(), true, r));
    EXPECT_EQ(r.dataDisk, folder.string());
    EXPECT_TRUE(fs::is_regular_file(folder / "LSarW/DefSoub/SarS.Def"));
    EXPECT_EQ(textLines(folder / "LSarW/PomSoub/SarInic.TXT")[3], folder.string() + "/SarDos");
}

} // namespace
