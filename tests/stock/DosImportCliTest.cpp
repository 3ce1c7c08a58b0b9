// sarw-cli dos-import on a demo data disk.
#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

TEST(DosImportCli, ImportsIntoTheDemoDisk) {
    test::TestSession t;
    auto run = [&](const std::vector<std::string>& args) {
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
    };
    ASSERT_EQ(run({"install", "D:", "--demo"}).status, 0);

    test::CliResult r = run({"--data-disk", "D:", "dos-import", "states"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Data\\250901SarS.Cds\nD:\\LSarW\\Data\\251001SarS.Cds\n"
                     "D:\\LSarW\\Data\\251101SarS.Cds\nD:\\LSarW\\Data\\260001SarS.Cds\n");
    EXPECT_NE(r.err.find("Prevedeno souboru: 4 z 4"), std::string::npos) << r.err;

    r = run({"--data-disk", "D:", "dos-import", "turnovers"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("D:\\LSarW\\Data\\251201SarO.Cds\n"), std::string::npos) << r.out;

    r = run({"--data-disk", "D:", "dos-import", "codebooks"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D:\\LSarW\\Cisel\\DP.Cds\nD:\\LSarW\\Cisel\\26MatSk.Cds\n"
                     "D:\\LSarW\\Cisel\\Mater.Cds\n");

    r = run({"--data-disk", "D:", "period", "show"});
    EXPECT_EQ(r.out, "26 02\n");

    // Without DOS data the command fails with its message.
    std::filesystem::remove_all(t.path("D:\\SarDos"));
    r = run({"--data-disk", "D:", "dos-import", "codebooks"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nebyl nalezen"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    EXPECT_EQ(run({"--data-disk", "D:", "dos-import", "vse"}).status, 2);
    EXPECT_EQ(run({"--data-disk", "D:", "dos-import"}).status, 2);
    // Without --data-disk the command imports into D:, as the desktop program is started.
    r = run({"dos-import", "states"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nebyl nalezen"), std::string::npos) << r.err;
}
