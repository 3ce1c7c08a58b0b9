#include "support/DefText.h"
#include "support/RunCli.h"
#include "support/TestSession.h"
#include "tables/CopyTestTables.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult cli(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

class CmdConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.write("C:\\D\\M.Def",
                test::defText({{4, "Kod", "LN"}, {6, "Naz", "PM"}, {6, "Cena", "N2"}}));
    }
    std::string cat(const std::string& table) { return cli(t, {"table", "cat", table}).out; }

    test::TestSession t;
};

} // namespace

TEST_F(CmdConvertTest, CsvInAndOutWithSeparatorAndCodePage) {
    t.write("C:\\D\\In.Csv", "12,\x9f"
                             "aj,3.5\r\n7,\"x,5\",\r\n");
    auto r = cli(t, {"convert", "from-csv", "C:\\D\\In.Csv", "C:\\D\\M.Cds", "C:\\D\\M.Def",
                     "--sep", ",", "--codepage", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\D\\M.Cds\n");
    EXPECT_EQ(cat("C:\\D\\M.Cds"), "Kod\tNaz\tCena\n"
                                   "  12\t\xc4\x8d"
                                   "aj   \t           3,50\n"
                                   "   7\tx     \t           5,00\n");
    r = cli(
        t, {"convert", "to-csv", "C:\\D\\M.Cds", "C:\\D\\Out.Csv", "C:\\D\\M.Def", "--sep", "tab"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(t.read("C:\\D\\Out.Csv"), "12\t\xe8"
                                        "aj\t3,50\r\n7\tx\t5,00\r\n");
}

TEST_F(CmdConvertTest, FixedTextRecordFilesAndTbuFiles) {
    test::writeTable(t, "C:\\D\\T.Cds", {{"Kod", 4}, {"Naz", 6}, {"Cena", 15}},
                     {{"0012",
                       "\xe8"
                       "aj   ",
                       "           3,50"},
                      {"0007", "b     ", std::string(15, ' ')}});
    for (const auto& [to, from] :
         {std::pair<std::string, std::string>{"to-txt", "from-txt"}, {"to-tbu", "from-fixed"}}) {
        auto r = cli(
            t, {"convert", to, "C:\\D\\T.Cds", "C:\\D\\Flat", "C:\\D\\M.Def", "--codepage", "3"});
        ASSERT_EQ(r.status, 0) << to << r.err;
        EXPECT_EQ(r.out, "C:\\D\\Flat\n");
        r = cli(t, {"convert", from, "C:\\D\\Flat", "C:\\D\\Back.Cds", "C:\\D\\M.Def", "--codepage",
                    "3"});
        ASSERT_EQ(r.status, 0) << from << r.err;
        EXPECT_EQ(cat("C:\\D\\Back.Cds"), cat("C:\\D\\T.Cds")) << from;
    }
    // The program's own record files: a table of the definition's widths and back.
    test::writeTable(t, "C:\\D\\W.Cds", {{"Kod", 4}, {"Naz", 6}, {"Cena", 6}},
                     {{"0012",
                       "\xe8"
                       "aj   ",
                       "  3,50"}});
    auto r = cli(t, {"convert", "to-dat", "C:\\D\\W.Cds", "C:\\D\\W.Dat", "C:\\D\\M.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(t.read("C:\\D\\W.Dat"), "0012\xe8"
                                      "aj     3,50");
    r = cli(t, {"convert", "from-dat", "C:\\D\\W.Dat", "C:\\D\\W2.Cds", "C:\\D\\M.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cat("C:\\D\\W2.Cds"), "Kod\tNaz\tCena\n0012\t\xc4\x8d"
                                    "aj   \t  3,50\n");
    // A Tbu file: header record, then data.
    std::string tbu = "HEADER......";
    tbu += std::string("\x10\x00", 2) + std::string(2, '\0');
    tbu += "  12\x87"
           "aj     2,5";
    t.write("C:\\D\\Old.Dat", tbu);
    r = cli(t, {"convert", "from-tbu", "C:\\D\\Old.Dat", "C:\\D\\Old.Cds", "C:\\D\\M.Def",
                "--codepage", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cat("C:\\D\\Old.Cds"), "Kod\tNaz\tCena\n  12\t\xc4\x8d"
                                     "aj   \t           2,50\n");
}

TEST_F(CmdConvertTest, ReportTextThroughItsParameterFile) {
    t.write("C:\\D\\Ses.Def", test::defText({{4, "Kod", "PM"}}));
    t.write("C:\\D\\P.Txt", "C:\\D\\R.Ses *\r\nC:\\D\\S.Cds *\r\nC:\\D\\Ses.Def *\r\n"
                            "         1\r\n         1         4\r\n");
    t.write("C:\\D\\R.Ses", "Head\r\nAB12\r\n");
    auto r = cli(t, {"convert", "from-ses", "C:\\D\\P.Txt", "C:\\D\\Other.Cds", "C:\\D\\Ses.Def"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(t.exists("C:\\D\\Other.Cds"));
    r = cli(t, {"convert", "from-ses", "C:\\D\\P.Txt", "c:\\d\\s.cds", "C:\\D\\Ses.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\D\\S.Cds\n");
    EXPECT_EQ(cat("C:\\D\\S.Cds"), "Kod\nAB12\n");
}

TEST_F(CmdConvertTest, RecolsizeAndBadArguments) {
    test::writeTable(t, "C:\\D\\T.Cds", {{"Kod", 4}, {"Naz", 6}, {"Cena", 15}},
                     {{"0012", "ab", "         600,00"}, {"0007", "b", "         634,50"}});
    auto r = cli(t, {"recolsize", "C:\\D\\T.Cds", "C:\\D\\M.Def", "C:\\D\\N.Cds", "C:\\D\\N.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C:\\D\\N.Cds\tC:\\D\\N.Def\n");
    EXPECT_EQ(cat("C:\\D\\N.Cds"), "Kod\tNaz\tCena\n0012\tab\t 600,00\n0007\tb \t 634,50\n");
    r = cli(t, {"recolsize", "C:\\D\\None.Cds", "C:\\D\\M.Def", "C:\\D\\N.Cds", "C:\\D\\N.Def"});
    EXPECT_EQ(r.status, 1);

    const std::vector<std::vector<std::string>> bad = {
        {"convert"},
        {"convert", "from-xls", "a", "b", "c"},
        {"convert", "from-csv", "a", "b"},
        {"convert", "from-csv", "a", "b", "c", "--codepage", "4"},
        {"convert", "from-csv", "a", "b", "c", "--sep", ";;"},
        {"convert", "from-txt", "a", "b", "c", "--sep", ";"},
        {"convert", "to-csv", "a", "b", "c", "--quote", "'"},
        {"convert", "to-dat", "a", "b", "c", "--codepage", "1"},
        {"convert", "from-ses"},
        {"recolsize", "a", "b", "c"},
    };
    for (const auto& args : bad) EXPECT_EQ(cli(t, args).status, 2) << args.size();
}

// A conversion that refuses its input writes nothing: the old table stays byte for byte.
TEST_F(CmdConvertTest, RefusedImportLeavesTheExistingTableAsItWas) {
    t.write("C:\\D\\In.Csv", "12;ab;3,5\r\n");
    ASSERT_EQ(cli(t, {"convert", "from-csv", "C:\\D\\In.Csv", "C:\\D\\M.Cds", "C:\\D\\M.Def"})
                  .status,
              0);
    const std::string old = t.read("C:\\D\\M.Cds");
    t.write("C:\\D\\Bad.Csv", "12;ab;3,5\r\n13;cd;4\x80,5\r\n");
    t.write("C:\\D\\Bad.Txt", "  12ab       3,5\r\n  13cd    4x,500\r\n");
    const struct {
        const char* mode;
        const char* source;
        const char* def;
        const char* named;
    } cases[] = {
        {"from-csv", "C:\\D\\In.Csv", "C:\\D\\Missing.Def", "C:\\D\\Missing.Def"},
        {"from-csv", "C:\\D\\Bad.Csv", "C:\\D\\M.Def", "Radek 2, pole 3 (Cena)"},
        {"from-txt", "C:\\D\\Bad.Txt", "C:\\D\\M.Def", "Radek 2, pole 3 (Cena)"},
        {"from-dat", "C:\\D\\Missing.Dat", "C:\\D\\M.Def", "C:\\D\\Missing.Dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.source + " " + c.def);
        auto r = cli(t, {"convert", c.mode, c.source, "C:\\D\\M.Cds", c.def});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(t.read("C:\\D\\M.Cds"), old);
    }
}
