#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

struct CliNumDate : ::testing::Test {
    test::CliResult run(const std::vector<std::string>& args) {
        return test::runCli(args, {{"SARW_DRIVES", t.root.string()}, {"SARW_TODAY", "17.05.2017"}});
    }
    test::TestSession t;
};

} // namespace

TEST_F(CliNumDate, NumFormatWritesTheFieldText) {
    struct Case {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"15", "2", "1234.5"}, "[        1234,50]\n"},
        {{"15", "2", "0.004"}, "[               ]\n"},
        {{"15", "2", "-0.005"}, "[          -0,01]\n"},
        {{"15", "2", "1 234,56 Kc"}, "[        1234,56]\n"},
        {{"15", "2", "1", "234,56"}, "[        1234,56]\n"}, // a value split by the shell
        {{"6", "2", "12345.678"}, "[ 12346]\n"},             // too wide for the decimals
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"num", "format"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"num", "format", "x", "2", "1"},
          {"num", "format", "15", "-1", "1"},
          {"num", "format", "15", "2"},
          {"num", "round", "15", "2", "1"}}) {
        auto r = run(bad);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(CliNumDate, DateCompleteUsesTodayAndWarnsOnABadDate) {
    struct Case {
        const char* typed;
        const char* out;
        int status;
    } cases[] = {
        {"3", "[03.05.2017]\n", 0},         {"3.4.99", "[03.04.1999]\n", 0},
        {"29.2.2016", "[29.02.2016]\n", 0}, {"", "[          ]\n", 0},
        {"29.2.2017", "[          ]\n", 1},
    };
    for (const auto& c : cases) {
        auto r = run({"date", "complete", c.typed});
        EXPECT_EQ(r.out, c.out) << c.typed;
        EXPECT_EQ(r.status, c.status) << c.typed;
    }
    EXPECT_NE(run({"date", "complete", "29.2.2017"}).err.find("Chybne uvedene Datum !"),
              std::string::npos);
}

TEST_F(CliNumDate, TheDataDiskOptionIsResolvedOrHalts) {
    fs::create_directories(t.root / "D" / "ucto");
    auto ok = run({"--data-disk", "d:\\ucto", "date", "complete", "1"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    auto missing = run({"--data-disk", "d:\\none", "date", "complete", "1"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("nebyl nalezen"), std::string::npos);
    EXPECT_EQ(missing.out, "");
}
