#include "support/RunCli.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>


using namespace sarw;
namespace fs = std::filesystem;

namespace {

const std::string kDefs = std::string(SARW_TEST_DATA) + "/defs/";

// Runs sarw-cli on the session's drives with a fixed date.
test::CliResult runCli(const test::TestSession& t, const std::vector<std::string>& args,
                       const std::string& cwd = "") {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}, {"SARW_TODAY", "17.05.2017"}},
                        "", cwd);
}

} // namespace

TEST(CmdDef, ShowsTheDefinitionAsRead) {
    test::TestSession t;
    test::CliResult r = runCli(t, {"def", "show", kDefs + "Document.Def"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string fields[] = {
        "1\tDruh pohybu\t2\t1\tLN\tC\t \t0\t0\t0\t\tPoh",
        "2\tCislo dokladu\t6\t3\tLN\tC\t \t0\t0\t0\t\tDoklad ",
        "3\tDatum\t10\t19\tDT\tN\t \t0\t0\t0\t\tDatum      ",
        "4\tStredisko\t8\t29\tPM\tV\t \t0\t0\t0\t\tStredisko",
        "5\tMaterial\t13\t37\tPM\tV\tP\t3\t2\t6\t@CisMat.Cds\tMaterial      ",
        "6\tNázev materiálu\t30\t50\tPM\t \tK\t1\t1\t7\tC:\\Data.1\\Ceny.Cds\tNázev" +
            std::string(26, ' '),
        "7\tMnožství\t12\t80\tN3\tN\t \t0\t0\t0\t\tMnožství     ",
        "8\tPoznamka\t200\t92\tME\t\t \t0\t0\t0\t\tPoznamka k polozce" + std::string(33, ' '),
        "9\tKod\t5\t292\tPN\t\t \t0\t0\t0\t\tKod   ",
    };
    std::string expected = "FieldCount: 9\nRecLen: 286\nHeadCount: 4\nItemCount: 5\n"
                           "KeyList: 1,2\nMemoFlag: 1\n";
    for (const auto& f : fields) expected += f + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
}

TEST(CmdDef, WindowsFormNamesAndFailures) {
    test::TestSession t;
    t.write("C:\\LSarW\\DefSoub\\Columns.Def", test::readFile(kDefs + "Columns.Def"));
    test::CliResult r = runCli(t, {"def", "show", "c:\\lsarw\\DEFSOUB\\columns.def"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("1\tRad")),
              "FieldCount: 13\nRecLen: 138\nHeadCount: 0\nItemCount: 13\nKeyList: 1\n"
              "MemoFlag: 0\n");

    // A name relative to the shell's working directory.
    r = runCli(t, {"def", "show", "Columns.Def"}, kDefs);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 15), "FieldCount: 13\n");

    r = runCli(t, {"def", "show", "C:\\LSarW\\DefSoub\\Chybi.Def"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Soubor nebyl nalezen"), std::string::npos) << r.err;

    t.write("C:\\Empty.Def", ""); // read, but without fields
    r = runCli(t, {"def", "show", "C:\\Empty.Def"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "FieldCount: 0\nRecLen: 0\nHeadCount: 0\nItemCount: 0\nKeyList: \n"
                     "MemoFlag: 0\n");

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"def"},
                                               {"def", "list", "C:\\Empty.Def"},
                                               {"check", kDefs + "Document.Def", "1", "C"},
                                               {"check", kDefs + "Document.Def", "x", "C", "1"},
                                               {"check", kDefs + "Document.Def", "1", "CC", "1"}})
        EXPECT_EQ(runCli(t, args).status, 2) << args.back();
}

TEST(CmdDef, ChecksAValue) {
    test::TestSession t;
    const std::string def = kDefs + "Document.Def";
    struct Case {
        const char* field;
        const char* mode;
        const char* value;
        const char* out;
    } cases[] = {
        {"1", "X", "7", "valid\t[07]\n"},
        {"3", "C", "5.3.17", "valid\t[05.03.2017]\n"},
        {"3", "X", "5", "valid\t[05.05.2017]\n"},
        {"6", "v", "název", "valid\t[NÁZEV                         ]\n"},
        {"7", "X", "3,4567", "valid\t[       3,457]\n"},
        {"2", "C", "12a", "invalid\t[00012a]\n"},
        {"10", "C", "12", "invalid\t[12]\n"}, // no such field
    };
    for (const auto& c : cases) {
        test::CliResult r = runCli(t, {"check", def, c.field, c.mode, c.value});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.field << " " << c.value;
    }
    test::CliResult r = runCli(t, {"check", def, "3", "C", "31.2.2017"});
    EXPECT_EQ(r.out, "valid\t[          ]\n");
    EXPECT_NE(r.err.find("Chybne uvedene Datum !"), std::string::npos) << r.err;
    EXPECT_EQ(runCli(t, {"check", kDefs + "Chybi.Def", "1", "C", "1"}).status, 1);
}
