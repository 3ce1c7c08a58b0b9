#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

TEST(CmdInstall, DemoDiskThenRefusal) {
    test::TestSession t;
    auto run = [&](const std::vector<std::string>& args) {
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
    };
    test::CliResult r = run({"install", "D:", "--demo"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Instalace SarW: D:\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Ucetni obdobi: 26 02"), std::string::npos) << r.out;

    r = run({"--data-disk", "D:", "names"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("state: D:\\LSarW\\Data\\260101SarS.Cds"), std::string::npos) << r.out;
    EXPECT_TRUE(t.exists("D:\\LSarW\\Data\\260101SarS.Cds"));

    r = run({"install", "d:"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("jiz je instalace SarW"), std::string::npos) << r.err;
    EXPECT_EQ(run({"install"}).status, 2);
    EXPECT_EQ(run({"install", "D:", "E:"}).status, 2);
}
