#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

const std::string kFile = "C:\\A_Run\\PomSoub\\ObdobiSarW.Txt";

test::CliResult run(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}, {"SARW_TODAY", "17.05.2017"}});
}

} // namespace

TEST(CmdPeriod, ShowSetAndStep) {
    test::TestSession t;
    test::CliResult r = run(t, {"period", "show"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "17 05\n");
    EXPECT_NE(r.err.find("Vygenerovano obdobi: 17 05"), std::string::npos) << r.err;

    r = run(t, {"period", "set", "1701"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "17 01\n");
    EXPECT_EQ(t.read(kFile), "17 01\r\n");

    struct Step {
        const char* cmd;
        const char* period;
    };
    for (const auto& s : {Step{"prev", "16 12"}, Step{"next", "17 01"}, Step{"next", "17 02"}}) {
        r = run(t, {"period", s.cmd});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(s.period) + "\n");
        EXPECT_EQ(t.read(kFile), std::string(s.period) + "\r\n");
    }

    // Refused entries leave the file as it was.
    for (const char* bad : {"17a5", "175", "1721"}) {
        r = run(t, {"period", "set", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("Obdobie: " + std::string(bad) + ": Chybne zadane obdobie !"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_EQ(t.read(kFile), "17 02\r\n");

    // A malformed file is shown as read, with its warning and a failure status.
    t.write(kFile, "1705\r\n");
    r = run(t, {"period", "show"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "1705\n");
    EXPECT_NE(r.err.find("Chybne zadane obdobie: 1705"), std::string::npos) << r.err;
}

TEST(CmdPeriod, CalcAndSpan) {
    test::TestSession t;
    struct Calc {
        const char* dir;
        const char* in;
        const char* out;
    };
    for (const auto& c : {Calc{"prev", "1701", "1700\n"}, Calc{"prev", "0000", "9912\n"},
                          Calc{"next", "17 12", "1801\n"}, Calc{"next", "1700", "1701\n"}}) {
        test::CliResult r = run(t, {"period", "calc", c.dir, c.in});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.in;
    }
    EXPECT_EQ(run(t, {"period", "calc", "prev", "17x1"}).status, 1);
    EXPECT_EQ(run(t, {"period", "calc", "back", "1701"}).status, 2);

    test::CliResult r = run(t, {"period", "span"});
    EXPECT_EQ(r.out, "0201-2012\n");
    r = run(t, {"period", "span", "1701", "1714"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Obdobi: 1714: Chybne zadane obdobi !"), std::string::npos) << r.err;
    EXPECT_FALSE(t.exists("C:\\A_Run\\PomSoub\\Obdobi12.Txt"));
    r = run(t, {"period", "span", "1701", "1713"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(t.read("C:\\A_Run\\PomSoub\\Obdobi12.Txt"), "1701-1713\r\n");
    EXPECT_EQ(run(t, {"period", "span"}).out, "1701-1713\n");
}
