#include "support/DefText.h"
#include "support/InstallData.h"
#include "support/RunCli.h"
#include "support/TestSession.h"
#include "support/ZipEntry.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

test::CliResult cli(const test::TestSession& t, const std::vector<std::string>& args) {
    return test::runCli(args, {{"SARW_DRIVES", t.root.string()}});
}

const std::string kSamples = SARW_SAMPLES_DIR;

} // namespace

TEST(CmdTable, FromTsvCatInfoAndConvertKeepEveryByte) {
    test::TestSession t;
    t.write("C:\\Def\\Mat.Def", test::defText({{5, "Kod", "LN", 1}, {30, "Nazev"}, {10, "Pozn", "ME"}}));
    // UTF-8 in, Windows-1250 inside; escapes for backslash, TAB, CR and LF; blanks kept.
    const std::string rows = "00012\tŠroub M8 žárově zinkovaný\tpoznámka\\r\\nřádek 2\n"
                             "00007\t  mezery  \tcesta C:\\\\x\\ttab\n"
                             "00003\t\t\n";
    t.write("C:\\In\\mat.tsv", rows);
    std::filesystem::create_directories(t.path("C:\\Out"));
    auto r = cli(t, {"table", "from-tsv", "C:\\Def\\Mat.Def", "C:\\In\\mat.tsv", "C:\\Out\\Mat.Cds"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(t.read("C:\\Out\\Mat.Cds").find("\x8aroub M8"), std::string::npos)
        << "text is stored as Windows-1250";

    r = cli(t, {"table", "cat", "C:\\Out\\Mat.Cds"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Kod\tNazev\tPozn\n" + rows);

    r = cli(t, {"table", "info", "C:\\Out\\Mat.Cds"});
    EXPECT_EQ(r.out, "format: binary\nrecords: 3\n1\tKod\tstring\t5\n2\tNazev\tstring\t30\n"
                     "3\tPozn\tmemo\t10\nindex: \n");

    r = cli(t, {"table", "convert", "C:\\Out\\Mat.Cds", "C:\\Out\\Mat.xml"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli(t, {"table", "info", "C:\\Out\\Mat.xml"}).out.substr(0, 12), "format: xml\n");
    EXPECT_EQ(cli(t, {"table", "cat", "C:\\Out\\Mat.xml"}).out, "Kod\tNazev\tPozn\n" + rows);

    r = cli(t, {"table", "cat", "--raw", "C:\\Out\\Mat.xml"});
    EXPECT_NE(r.out.find("\x8aroub M8 \x9e\xe1rov\xec"), std::string::npos);
}

TEST(CmdTable, ForeignFilesShowTheirValuesAsTheXmlFormatWritesThem) {
    test::TestSession t;
    auto r = cli(t, {"table", "cat", kSamples + "/employee.cds"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1)),
              "EmpNo\tLastName\tFirstName\tPhoneExt\tHireDate\tSalary\n"
              "2\tNelson\tRoberto\t250\t19881228\t40000");
    r = cli(t, {"table", "info", kSamples + "/country.xml"});
    EXPECT_NE(r.out.find("format: xml\nrecords: 18\n"), std::string::npos);
    EXPECT_NE(r.out.find("index: Name\n"), std::string::npos);
}

TEST(CmdTable, BadInputFailsWithAMessageNamingTheFile) {
    test::TestSession t;
    t.write("C:\\Bad.Cds", std::string("\x96\x19\xe0\xbd\x01\x00", 6));
    auto r = cli(t, {"table", "cat", "C:\\Bad.Cds"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("C:\\Bad.Cds"), std::string::npos) << r.err;
    r = cli(t, {"table", "cat", "C:\\Missing.Cds"});
    EXPECT_EQ(r.status, 1);
    t.write("C:\\Def\\Two.Def", test::defText({{5, "A"}}));
    t.write("C:\\In\\two.tsv", "a\tb\n");
    r = cli(t, {"table", "from-tsv", "C:\\Def\\Two.Def", "C:\\In\\two.tsv", "C:\\Two.Cds"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Radek 1"), std::string::npos) << r.err;
    EXPECT_EQ(cli(t, {"table", "frob"}).status, 2);
}

// Refused input never costs the table already there: it stays byte for byte, and the message
// names what was wrong (the definition, or the row and field) rather than the output file.
TEST(CmdTable, RefusedTsvLeavesTheExistingTableAsItWas) {
    test::TestSession t;
    t.write("C:\\Def\\Q.Def", test::defText({{5, "Kod", "PM"}, {10, "Mnoz", "N3"}}));
    t.write("C:\\Def\\Empty.Def", "");
    t.write("C:\\Def\\Junk.Def", std::string(80, '#') + "\r\n");
    t.write("C:\\In\\good.tsv", "A\t4,000\n");
    t.write("C:\\In\\wide.tsv", "A\t1\tx\n");
    t.write("C:\\In\\bad.tsv", "B\t1\nA\t4\xC3\x87,000\n");
    ASSERT_EQ(cli(t, {"table", "from-tsv", "C:\\Def\\Q.Def", "C:\\In\\good.tsv", "C:\\Out.Cds"})
                  .status,
              0);
    const std::string old = t.read("C:\\Out.Cds");
    const struct {
        const char* def;
        const char* tsv;
        const char* named;
    } cases[] = {
        {"C:\\Def\\Missing.Def", "C:\\In\\good.tsv", "C:\\Def\\Missing.Def"},
        {"C:\\Def\\Empty.Def", "C:\\In\\good.tsv", "C:\\Def\\Empty.Def"},
        {"C:\\Def\\Junk.Def", "C:\\In\\good.tsv", "C:\\Def\\Junk.Def"},
        {"C:\\Def\\Q.Def", "C:\\In\\wide.tsv", "Radek 1 ma vice hodnot (3)"},
        {"C:\\Def\\Q.Def", "C:\\In\\bad.tsv", "Radek 2, pole 2 (Mnoz)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        auto r = cli(t, {"table", "from-tsv", c.def, c.tsv, "C:\\Out.Cds"});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("C:\\Out.Cds"), std::string::npos) << r.err;
        EXPECT_EQ(t.read("C:\\Out.Cds"), old);
    }
}

TEST(CmdTable, ClipTextAndSearchesOfTheTableScreen) {
    test::TestSession t;
    t.write("C:\\Def\\Mat.Def", test::defText({{4, "Kod"}, {8, "Nazev"}}));
    t.write("C:\\In\\mat.tsv", "0001\tšroub\n ABC\tmatka\n0003\tpodložka\n");
    std::filesystem::create_directories(t.path("C:\\Out"));
    const std::string table = "C:\\Out\\Mat.Cds";
    ASSERT_EQ(cli(t, {"table", "from-tsv", "C:\\Def\\Mat.Def", "C:\\In\\mat.tsv", table}).status,
              0);

    auto r = cli(t, {"table", "clip", table});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Kod  Nazev   \r\n\r\n0001 šroub    \r\n ABC matka    \r\n"
                     "0003 podložka \r\n");

    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, message;
    } cases[] = {
        {{"--key", "  ab"}, 0, "2\n", ""},
        {{"--key", "000", "--from", "1"}, 0, "3\n", ""},
        {{"--key", "MAT", "--column", "2"}, 0, "2\n", ""},
        {{"--string", "LOŽ"}, 0, "3\n", ""},
        {{"--key", "0001", "--from", "1"},
         1,
         "",
         "Soubor:  C:\\Out\\Mat.Cds\n\n0001     -Udaj nebyl nalezen !"},
        {{"--string", "xyz"}, 1, "", "Retezec:  xyz\n\n     -Udaj nebyl nalezen !"},
        {{"--string"}, 2, "", ""},
        {{"--key", "a", "--column", "0"}, 2, "", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"table", "search", table};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
        r = cli(t, args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CmdTable, XlsxWritesTheDemoStatesWithNumbers) {
    test::TestSession t;
    const auto demo = test::installData();
    std::filesystem::create_directories(t.path("C:\\Out"));
    auto r = cli(t, {"table", "xlsx", (demo / "demo/LSarW/Data/260101SarS.Cds").string(),
                     (demo / "LSarW/DefSoub/SarS.Def").string(), "C:\\Out\\SarS.xlsx"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto file = t.path("C:\\Out\\SarS.xlsx");
    const std::string sheet = test::zipEntry(file, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<t>Hodnota</t>"), std::string::npos);
    const auto at = sheet.find("<c r=\"M3\"");
    ASSERT_NE(at, std::string::npos) << "the value of the first state";
    const std::string m3 = sheet.substr(at, sheet.find("</c>", at) - at);
    EXPECT_NE(m3.find("<v>"), std::string::npos) << m3;
    EXPECT_EQ(m3.find("inlineStr"), std::string::npos) << m3;
    EXPECT_NE(test::zipEntry(file, "xl/styles.xml").find("formatCode=\"###########0.00\""),
              std::string::npos);

    r = cli(t, {"table", "xlsx", "C:\\None.Cds", (demo / "LSarW/DefSoub/SarS.Def").string(),
                "C:\\Out\\None.xlsx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(t.exists("C:\\Out\\None.xlsx"));
}
