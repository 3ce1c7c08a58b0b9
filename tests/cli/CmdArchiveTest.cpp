#include "support/RunCli.h"
#include "support/TestSession.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

test::CliResult run(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}, {"SARW_TODAY", "17.05.2017"}});
}

void install(test::TestSession& t) {
    fs::create_directories(t.root / "D");
    t.write("D:\\LSarW\\PomSoub\\SarInic.TXT", "01\r\n");
    t.write("C:\\A_Run\\PomSoub\\ObdobiSarW.Txt", "17 05\r\n");
}

void writeTable(test::TestSession& t, const std::string& name, const std::string& month,
                const std::string& text) {
    Table table;
    for (const char* f : {"Rok", "Mes", "Text"}) {
        FieldInfo fi;
        fi.name = f;
        fi.size = 20;
        table.fields.push_back(fi);
    }
    table.appendTexts({"17", month, text});
    std::string error;
    fs::create_directories(t.path(name).parent_path());
    ASSERT_TRUE(writeTableFile(t.path(name), table, TableFormat::Binary, error)) << error;
}

} // namespace

TEST(CmdArchive, ArchiveAndStartupArchive) {
    test::TestSession t;
    install(t);
    t.write("D:\\LSarW\\Data\\170401SarS.Cds", "states");
    test::CliResult r = run(t, {"--data-disk", "D:", "archive", "--startup"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Archiv\\170401SarS_001.Cds\n");
    EXPECT_NE(r.err.find("SarW:  Probiha archivace databasi !"), std::string::npos);

    t.write("D:\\LSarW\\Data\\170501SarO.Cds", "turnovers");
    r = run(t, {"--data-disk", "D:", "archive"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Archiv\\170501SarO_001.Cds\n");
    EXPECT_EQ(run(t, {"--data-disk", "D:", "archive"}).out, "");
    // Without --data-disk the command works on D:, as the desktop program is started.
    r = run(t, {"archive"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(CmdArchive, RestoreLast) {
    test::TestSession t;
    install(t);
    writeTable(t, "D:\\LSarW\\Data\\170501SarO.Cds", "05", "damaged");
    writeTable(t, "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds", "05", "last document");
    test::CliResult r = run(t, {"--data-disk", "D:", "restore-last"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("D:\\LSarW\\Data\\170501SarO.Cds: Prekontrolujte data !"),
              std::string::npos)
        << r.err;
    r = run(t, {"table", "cat", t.path("D:\\LSarW\\Data\\170501SarO.Cds").string()});
    EXPECT_NE(r.out.find("last document"), std::string::npos) << r.out << r.err;

    writeTable(t, "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds", "04", "April");
    EXPECT_EQ(run(t, {"--data-disk", "D:", "restore-last"}).status, 1);
    r = run(t, {"table", "cat", t.path("D:\\LSarW\\Data\\170501SarO.Cds").string()});
    EXPECT_NE(r.out.find("last document"), std::string::npos) << r.out << r.err;
}

TEST(CmdArchive, RestoreFromAGeneration) {
    test::TestSession t;
    install(t);
    const std::string target = "D:\\LSarW\\Data\\170501SarO.Cds";
    writeTable(t, "D:\\LSarW\\Archiv\\170501SarO_001.Cds", "05", "archived");
    writeTable(t, "D:\\LSarW\\Archiv\\170401SarO_001.Cds", "04", "April");
    writeTable(t, target, "05", "damaged");
    const std::string before = t.read(target);

    test::CliResult r = run(t, {"--data-disk", "D:", "restore", "turnovers"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Archiv\\170501SarO_001.Cds\n");

    // Another period's generation, a missing one and the answer "Ne" change nothing.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--yes", "restore", "turnovers", "170401SarO_001.Cds"},
             {"--yes", "restore", "turnovers", "170501SarO_002.Cds"},
             {"--no", "restore", "turnovers", "170501SarO_001.Cds"}}) {
        std::vector<std::string> a{"--data-disk", "D:"};
        a.insert(a.end(), args.begin(), args.end());
        r = run(t, a);
        EXPECT_EQ(r.status, 1) << args[3];
        EXPECT_FALSE(r.err.empty()) << args[3];
        EXPECT_EQ(t.read(target), before) << args[3];
    }
    r = run(t, {"--data-disk", "D:", "--yes", "restore", "turnovers", "170501SarO_001.Cds"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(t.read(target), t.read("D:\\LSarW\\Archiv\\170501SarO_001.Cds"));
}
