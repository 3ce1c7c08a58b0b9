#include "platform/DiskLock.h"
#include "support/DefText.h"
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

test::CliResult cli(const fs::path& root, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", root.string()}});
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Names and contents of every file under the folder.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) files[e.path().string()] = test::readFile(e.path());
    return files;
}

} // namespace

TEST(CmdLine, EverySubcommandAnswersHelpWithItsOwnUsage) {
    test::TestSession t;
    struct Case {
        std::vector<std::string> args;
        const char* shown;
        const char* notShown;
    } cases[] = {
        {{"--help"}, "3  the program halted", nullptr},
        {{"table", "--help"}, "table from-tsv DEF TSV OUT", "period show"},
        {{"table", "cat", "--help"}, "table cat FILE [--raw]", "table info"},
        {{"period", "next", "-h"}, "period next|prev", "period calc"},
        {{"tables", "current", "--help"}, "tables opening", nullptr},
        {{"report", "cards", "--help"}, "report cards [--from YYMM]", "report inventory"},
        {{"sort", "--help"}, "sort IN OUT DEF --keys", "sum IN"},
        {{"convert", "to-csv", "--help"}, "convert to-dat|to-txt|to-csv|to-tbu", "from-ses"},
    };
    for (const auto& c : cases) {
        const auto r = cli(t.root, c.args);
        EXPECT_EQ(r.status, 0) << c.args[0];
        EXPECT_TRUE(has(r.out, c.shown)) << c.args[0] << "\n" << r.out;
        if (c.notShown) {
            EXPECT_FALSE(has(r.out, c.notShown)) << c.args[0] << "\n" << r.out;
        }
    }
    EXPECT_EQ(cli(t.root, {}).status, 2);
    EXPECT_EQ(cli(t.root, {"nonsense"}).status, 2);
    EXPECT_EQ(cli(t.root, {"--data-disk"}).status, 2);
    // Words after the command reach it as typed, even those that look like commands or options.
    const auto r = cli(t.root, {"num", "format", "10", "2", "-5,3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[     -5,30]\n");
}

TEST(CmdLine, ACommandOnAFreshMachineMakesTheLocalTrees) {
    const fs::path root = fs::temp_directory_path() /
                          ("sarw-fresh-" + std::to_string(::testing::UnitTest::GetInstance()
                                                               ->random_seed()) +
                           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(root / "E");
    {
        std::ofstream(root / "E" / "Mat.Def", std::ios::binary)
            << test::defText({{2, "Sklad"}, {5, "Kod"}});
        std::ofstream(root / "E" / "mat.tsv", std::ios::binary) << "02\tB\n01\tA\n";
    }
    auto r = cli(root, {"table", "from-tsv", "E:\\Mat.Def", "E:\\mat.tsv", "E:\\Mat.Cds"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli(root, {"sort", "E:\\Mat.Cds", "E:\\Srt.Cds", "E:\\Mat.Def", "--keys", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_directory(root / "C" / "A_Run" / "Work"));
    EXPECT_TRUE(fs::is_directory(root / "C" / "A_Run" / "Aplikace" / "LSarW" / "Data"));
    EXPECT_EQ(cli(root, {"table", "cat", "E:\\Srt.Cds"}).out, "Sklad\tKod\n01\tA    \n02\tB    \n");
    fs::remove_all(root);
}

TEST(CmdLine, ASecondWriterIsRefusedWhileReadersRun) {
    test::TestSession t;
    ASSERT_EQ(cli(t.root, {"install", "D:", "--demo"}).status, 0);
    {
        // Another writer (this test process) holds the data disk.
        const DiskLock first(t.path("D:\\LSarW\\SarW.lock"), std::chrono::milliseconds(0));
        ASSERT_EQ(first.state(), DiskLock::State::Acquired);
        const auto before = snapshot(t.path("D:\\LSarW"));
        auto r = cli(t.root, {"--data-disk", "D:", "close-month"});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(has(r.err, "jiny program")) << r.err;
        EXPECT_TRUE(snapshot(t.path("D:\\LSarW")) == before) << "the refused writer changed files";
        r = cli(t.root, {"--data-disk", "D:", "names"});
        EXPECT_EQ(r.status, 0) << r.err;
        r = cli(t.root, {"table", "cat", "D:\\LSarW\\Data\\260101SarS.Cds"});
        EXPECT_EQ(r.status, 0) << r.err;
    }
    // Without --data-disk the command takes D:, as the desktop program is started.
    const auto r = cli(t.root, {"close-month"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "260201SarS.Cds")) << r.out;
}
