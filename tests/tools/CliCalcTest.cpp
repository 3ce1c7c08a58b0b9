#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

TEST(CliCalc, PrintsTheValueOrRefusesWithTheMessage) {
    test::TestSession t;
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"2+3*4"}, 0, "14,00000\n", ""},
        {{"(2", "+", "3)", "*", "4"}, 0, "20,00000\n", ""}, // split by the shell
        {{"--decimals", "2", "1/3"}, 0, "0,33\n", ""},
        {{"1/3", "--decimals", "0"}, 0, "0\n", ""}, // zero at no decimals
        {{"0-2*3"}, 0, "-6,00000\n", ""},
        {{"-2*3"}, 0, "-6,00000\n", ""}, // a leading minus is no option
        {{"-(2)", "*", "3"}, 0, "-6,00000\n", ""},
        {{"5/0"}, 1, "", "Delit nulou nelze.\n"},
        {{"SQRT(-4)"}, 1, "", "Odmocninu nelze pocitat ze zaporneho cisla.\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"calc"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
        EXPECT_EQ(r.status, c.status) << args[1] << r.err;
        EXPECT_EQ(r.out, c.out) << args[1];
        if (c.status != 0) EXPECT_EQ(r.err, c.err) << args[1];
    }
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"calc"}, {"calc", "--decimals", "16", "1+1"}}) {
        const auto r = test::runCli(bad, {{"SARW_DRIVES", t.root.string()}});
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
