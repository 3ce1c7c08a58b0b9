#include "support/RunCli.h"
#include "support/TestSession.h"
#include "tables/CopyTestTables.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult cli(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

class CmdCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeTable(t, "C:\\D\\A.Cds", {{"Druh", 2}, {"Kod", 6}},
                         {{"P", "A100"},
                          {"V", "B200"},
                          {"P", "C300"},
                          {"P", "\xe8"
                                "1"}});
    }
    test::TestSession t;
};

} // namespace

TEST_F(CmdCopyTest, AppendMakesTheTargetThenAddsToIt) {
    auto r = cli(t, {"append", "C:\\D\\A.Cds", "C:\\D\\R.Cds"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\D\\R.Cds\t4\n");
    r = cli(t, {"append", "C:\\D\\A.Cds", "C:\\D\\R.Cds"});
    EXPECT_EQ(r.out, "C:\\D\\R.Cds\t8\n");
    r = cli(t, {"table", "cat", "C:\\D\\R.Cds"});
    EXPECT_EQ(r.out.substr(0, 24), "Druh\tKod\nP\tA100\nV\tB200\nP");

    r = cli(t, {"append", "C:\\D\\None.Cds", "C:\\D\\R.Cds"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nebyl nalezen"), std::string::npos) << r.err;
    EXPECT_EQ(cli(t, {"append", "C:\\D\\A.Cds"}).status, 2);
}

TEST_F(CmdCopyTest, ExtractKeepsRecordsWhoseFieldsBeginWithAValue) {
    auto r = cli(t, {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "2", "--values",
                     "A,\xc4\x8d", "--field", "1", "--values", "P"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\D\\E.Cds\t2\n");
    EXPECT_EQ(cli(t, {"table", "cat", "C:\\D\\E.Cds"}).out, "Druh\tKod\nP\tA100\nP\t\xc4\x8d"
                                                            "1\n");

    r = cli(t, {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "3", "--values", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Tabulka nema pole cislo 3 !"), std::string::npos) << r.err;

    t.write("C:\\D\\Empty.Cds", "");
    r = cli(t, {"extract", "C:\\D\\Empty.Cds", "C:\\D\\E.Cds", "--field", "1", "--values", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Soubor neobsahuje tabulku !"), std::string::npos) << r.err;

    const std::vector<std::vector<std::string>> bad = {
        {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds"},
        {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "2"},
        {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "0", "--values", "A"},
        {"extract", "C:\\D\\A.Cds", "--field", "1", "--values", "A"},
        {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "1", "--values",
         "1,2,3,4,5,6,7,8,9,10,11"},
        {"extract", "C:\\D\\A.Cds", "C:\\D\\E.Cds", "--field", "1", "--vals", "A"},
    };
    for (const auto& args : bad) EXPECT_EQ(cli(t, args).status, 2) << args.back();
}
