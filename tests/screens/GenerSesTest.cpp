#include "screens/ReportFixture.h"

#include "screens/ColumnGeometry.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace sarw;
using sarw::test::reportText;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Two plants, two cost centres in plant 01; the last two columns are empty everywhere.
const Rows kRows = {
    {"01", "100", "ABC", "   1,500", "    100,00", "", ""},
    {"01", "100", "DEF", "   2,000", "     50,50", "", ""},
    {"01", "200", "GHI", "", "     10,00", "", ""},
    {"02", "100", "JKL", "   3,000", "    200,00", "", ""},
};

const std::string kTitles = "Zav Str  Materia Mno\x9Estvi     Hodnota";
const std::string kLine1 = "01  100  ABC        1,500      100,00";
const std::string kLine2 = "01  100  DEF        2,000       50,50";
const std::string kLine3 = "01  200  GHI                    10,00";
const std::string kLine4 = "02  100  JKL        3,000      200,00";
const std::string kTotal = "Celkem              6,500      360,50";

std::string head(int page) {
    return "Stav skladu                 STR:" + std::string(5 - std::to_string(page).size(), ' ') +
           std::to_string(page);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        out.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return out;
}

std::string lineStarting(const std::string& report, const std::string& start) {
    for (const auto& l : lines(report))
        if (l.rfind(start, 0) == 0) return l;
    return "(none)";
}

class GenerSes : public ::testing::Test {
protected:
    test::ReportFixture f;
    ScriptedDialogs& dialogs() { return f.t.dialogs; }
};

TEST_F(GenerSes, PlainReportHasHeadTitlesLinesAndGrandTotal) {
    f.writeRows(kRows);
    EXPECT_EQ(f.generate(f.request()), reportText({"", head(1), "", kTitles, "", "", kLine1, kLine2,
                                                   kLine3, kLine4, "", kTotal}));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(GenerSes, AllColumnsKeepsEmptyOnesAndTheWorkDefinitionFollows) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.allColumns = true;
    const std::string report = f.generate(r);
    EXPECT_EQ(lines(report)[3], kTitles + "    Nula  Pozn");
    EXPECT_EQ(lines(report)[6], kLine1 + "              ");
    // Titles end where the page number ends.
    EXPECT_EQ(lines(report)[1].size(), lines(report)[3].size());

    const std::string def = f.t.read(kSesWorkDef);
    EXPECT_EQ(lines(def).size(), 7u);
    f.generate(f.request());
    const auto printed = lines(f.t.read(kSesWorkDef));
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_EQ(printed[4], lines(def)[4]);
    EXPECT_EQ(printed[4].substr(0, 12), " 10 5. Hodno");
}

TEST_F(GenerSes, SubtotalPerGroupWithNewPageAndNextPageNumber) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Sum[1] = r.Str[1] = true;
    const std::string sub01 = "Zav                 3,500      160,50";
    const std::string sub02 = "Zav                 3,000      200,00";
    EXPECT_EQ(
        f.generate(r),
        reportText({"",   head(1), "", kTitles, "", "", kLine1, kLine2, kLine3, sub01, "",
                    "\f", head(2), "", kTitles, "", "", kLine4, sub02,  "",     "",    kTotal}));
}

TEST_F(GenerSes, DeeperSubtotalsAreLabelledWithSAndAsterisks) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Sum[1] = r.Sum[2] = true;
    EXPECT_EQ(f.generate(r), reportText({"", head(1), "", kTitles, "", "", kLine1, kLine2,
                                         "S * Str             3,500      150,50", kLine3,
                                         "S * Str                         10,00",
                                         "Zav                 3,500      160,50", kLine4,
                                         "S * Str             3,000      200,00", "",
                                         "Zav                 3,000      200,00", "", "", kTotal}));
}

TEST_F(GenerSes, LabelOfALevelBehindSeveralColumns) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Sum[3] = true;
    // Zav and Str take 4 + 5 columns: "S " and seven asterisks, then the title of field 3.
    EXPECT_EQ(lineStarting(f.generate(r), "S "), "S ****** Materia    1,500      100,00");
}

TEST_F(GenerSes, LevelFlagsBeyondTheLastFieldChangeNothing) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Sum[200] = r.Str[200] = r.Rad[200] = true;
    EXPECT_EQ(f.generate(r), f.generate(f.request()));
}

TEST_F(GenerSes, BlankLinesOnGroupChangeButNotBeforeANewPage) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Str[1] = true;
    r.Rad[2] = true;
    EXPECT_EQ(f.generate(r),
              reportText({"", head(1), "", kTitles, "", "", kLine1, kLine2, "", kLine3, "\f",
                          head(2), "", kTitles, "", "", kLine4, "", kTotal}));
}

TEST_F(GenerSes, GroupWithZeroSumsWritesNoSubtotalButStillBreaksThePage) {
    f.writeRows({{"01", "100", "ABC", "", "", "", ""},
                 {"02", "100", "DEF", "   2,000", "     50,50", "", ""}});
    SesRequest r = f.request();
    r.Sum[1] = r.Str[1] = true;
    const auto l = lines(f.generate(r));
    ASSERT_GE(l.size(), 9u);
    EXPECT_EQ(l[6], "01  100  ABC" + std::string(25, ' '));
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[8], "\f");
    EXPECT_EQ(l[9], head(2));
}

TEST_F(GenerSes, OuterSubtotalStaysOnThePageOfItsGroup) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.Sum[1] = true;
    r.Str[2] = true;
    const auto l = lines(f.generate(r));
    // 01/100 | 01/200, then the subtotal of plant 01 before the page of 02/100.
    const std::vector<std::string> page2 = {kLine3, "Zav                 3,500      160,50", "\f",
                                            head(3)};
    EXPECT_EQ(std::vector<std::string>(l.begin() + 14, l.begin() + 18), page2);
}

TEST_F(GenerSes, SumRulesCaretFFAndFilter) {
    struct Case {
        const char* name;
        Rows rows;
        int filterField;
        std::string filterText;
        std::string total;
    };
    const std::vector<Case> cases = {
        {"caret in a text leaves the record out",
         {{"01", "100", "A^C", "   1,000", "     10,00", "", ""},
          {"01", "100", "DEF", "   2,000", "     20,00", "", ""}},
         0,
         "",
         "Celkem              2,000       20,00"},
        {"y with diaeresis makes its values zero",
         {{"01", "100", "AB\xFF", "   1,000", "     10,00", "", ""},
          {"01", "100", "DEF", "   2,000", "     20,00", "", ""}},
         0,
         "",
         "Celkem              2,000       20,00"},
        {"caret or y with diaeresis deep in a longer text",
         {{"01", "100", "ABC", "   1,000", "  ^  10,00", "", ""},
          {"01", "100", "ABC", "   4,000", "     40,0\xFF", "", ""},
          {"01", "100", "DEF", "   2,000", "     20,00", "", ""}},
         0,
         "",
         "Celkem              2,000       20,00"},
        {"filter counts only records whose field holds the text",
         {{"01", "100", "ABC", "   1,000", "     10,00", "", ""},
          {"01", "100", "DEF", "   2,000", "     20,00", "", ""},
          {"01", "100", "XAB", "   4,000", "     40,00", "", ""}},
         3,
         "AB",
         "Celkem              5,000       50,00"},
    };
    for (const auto& c : cases) {
        f.writeRows(c.rows);
        SesRequest r = f.request();
        r.sumFilterField = c.filterField;
        r.sumFilterText = c.filterText;
        const std::string report = f.generate(r);
        EXPECT_EQ(lineStarting(report, "Celkem"), c.total) << c.name;
        EXPECT_EQ(lines(report).size(), 8 + c.rows.size()) << c.name << ": every record printed";
    }
}

// The report is normalised as it is written: control characters in the data become blanks.
TEST_F(GenerSes, ControlCharactersInTheDataArePrintedAsBlanks) {
    Rows rows = kRows;
    rows[0][2] = "A\x01\x1f";
    rows[1][2] = "\tEF";
    f.writeRows(rows);
    const std::string report = f.generate(f.request());
    EXPECT_EQ(lineStarting(report, "01  100  A"), "01  100  A          1,500      100,00");
    EXPECT_EQ(lineStarting(report, "01  100   EF"), "01  100   EF        2,000       50,50");
    for (char c : report) {
        const auto b = static_cast<unsigned char>(c);
        EXPECT_TRUE(b >= 32 || b == '\r' || b == '\n' || b == '\f') << static_cast<int>(b);
    }
}

TEST_F(GenerSes, CaretRecordAddsToNoSubtotal) {
    f.writeRows({{"01", "100", "ABC", "   1,000", "     10,00", "", ""},
                 {"01", "100", "^^^", "   5,000", "     50,00", "", ""},
                 {"02", "100", "DEF", "   2,000", "     20,00", "", ""}});
    SesRequest r = f.request();
    r.Sum[1] = true;
    EXPECT_EQ(lineStarting(f.generate(r), "Zav  "), "Zav                 1,000       10,00");
}

TEST_F(GenerSes, TableWithoutNumbersHasNoGrandTotal) {
    test::writeStringTable(f.t, "C:\\Data\\Txt.Cds", {{"A", 3}, {"B", 2}},
                           {{"abc", "xy"}, {"def", ""}});
    f.t.write("C:\\Data\\Txt.Def", test::defText({{3, "Kod"}, {2, "Xy"}}));
    SesRequest r;
    r.tableFile = "C:\\Data\\Txt.Cds";
    r.defFile = "C:\\Data\\Txt.Def";
    r.pageLength = 60;
    r.heading1 = "T";
    const std::string report = generateTableReport(*f.t, r);
    ASSERT_EQ(report, "C:\\A_Run\\Sestavy\\STxt.Ses");
    EXPECT_EQ(f.t.read(report),
              reportText({"", "T  STR:    1", "", "Kod  Xy", "", "", "abc  xy", "def    "}));
}

TEST_F(GenerSes, FullPageHoldsExactlyThePageLength) {
    Rows rows;
    for (int i = 0; i < 120; ++i)
        rows.push_back({"01", "100", "M" + std::to_string(i), "", "      1,00", "", ""});
    f.writeRows(rows);
    f.t.write("C:\\Txt\\Hor.Def", "Horni 1\r\nHorni 2\r\nHorni 3\r\n");
    f.t.write("C:\\Txt\\Dol.Def", "Dolni 1\r\nDolni 2\r\n");
    struct Case {
        std::string heading2;
        std::size_t bodyLines;
    };
    for (const Case& c : {Case{"", 49}, Case{"Druha", 47}}) {
        SesRequest r = f.request(60);
        r.upperText = "C:\\Txt\\Hor.Def";
        r.lowerText = "C:\\Txt\\Dol.Def";
        r.heading2 = c.heading2;
        const auto l = lines(f.generate(r));
        const auto ff = std::find(l.begin(), l.end(), "\f");
        ASSERT_NE(ff, l.end());
        EXPECT_EQ(ff - l.begin(), 60) << "page 1 of \"" << c.heading2 << "\"";
        EXPECT_EQ(*(ff - 1), "Dolni 2");
        std::string last = "M" + std::to_string(c.bodyLines - 1);
        last.resize(6, ' ');
        EXPECT_EQ(*(ff - 3), "01  100  " + last + "        1,00");
        const auto ff2 = std::find(ff + 1, l.end(), "\f");
        ASSERT_NE(ff2, l.end());
        EXPECT_EQ(ff2 - ff, 60) << "page 2";
        EXPECT_EQ(*(ff + 1), "Stav skladu       STR:    2") << "no Mnozstvi column";
        EXPECT_EQ(l.back(), "Dolni 2") << "the lower text closes the report";
    }
}

TEST_F(GenerSes, UnpagedHasOneHeadWithoutPageNumbers) {
    Rows rows(70, {"01", "100", "ABC", "", "     1,00", "", ""});
    rows.push_back({"02", "100", "ABC", "", "     1,00", "", ""});
    f.writeRows(rows);
    SesRequest r = f.request(20);
    r.paged = false;
    r.Sum[1] = r.Str[1] = true;
    const std::string report = f.generate(r);
    EXPECT_EQ(report.find('\f'), std::string::npos);
    EXPECT_EQ(report.find("STR:"), std::string::npos);
    const auto l = lines(report);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "Zav Str  Materia    Hodnota");
    // Separator, titles and two blanks; the records; two subtotals and the total with blanks.
    EXPECT_EQ(l.size(), 4u + 71 + 2 + 2 + 2);
}

TEST_F(GenerSes, RightTextFollowsTitlesAndDataButNotSums) {
    f.writeRows(kRows);
    f.t.write("C:\\Txt\\Prava.Def", "Podpis\r\n______\r\nnepouzito\r\n");
    SesRequest r = f.request();
    r.rightText = "C:\\Txt\\Prava.Def";
    r.Sum[2] = true;
    const auto l = lines(f.generate(r));
    EXPECT_EQ(l[3], kTitles + "  Podpis");
    EXPECT_EQ(l[1].size(), l[3].size());
    EXPECT_EQ(l[6], kLine1 + "  ______");
    EXPECT_EQ(l[8], "S * Str             3,500      150,50");
    EXPECT_EQ(l.back(), kTotal);
}

TEST_F(GenerSes, HeaderTextsWithPlaceholdersAndTime) {
    f.writeRows(kRows);
    f.t.write("C:\\Txt\\Hor.Def",
              "Inventura #dat|2|Arial|12|clNavy|BOLD\r\n\r\nObdobi #OBD #cas\r\n");
    SesRequest r = f.request();
    r.upperText = "C:\\Txt\\Hor.Def";
    r.withTime = true;
    SesLayout layout;
    ASSERT_FALSE(generateTableReport(*f.t, r, &layout).empty());
    const auto l = lines(f.t.read("C:\\A_Run\\Sestavy\\SStav.Ses"));
    EXPECT_EQ(l[1], "Stav skladu    17.05.2017  08:30:05  STR:    1");
    EXPECT_EQ(l[3], "Inventura 17.05.2017");
    EXPECT_EQ(l[4], " ");
    EXPECT_EQ(l[5], "Obdobi 2017 05 08:30:05");
    ASSERT_EQ(layout.upper.size(), 3u);
    EXPECT_EQ(layout.upper[0].indent, 2);
    EXPECT_EQ(layout.upper[0].colour, 0x800000u);
    EXPECT_TRUE(layout.upper[0].bold);
}

TEST_F(GenerSes, MissingTextFileIsReportedAndLeftOut) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.lowerText = "C:\\Txt\\Chybi.Def";
    const std::string report = f.generate(r);
    EXPECT_TRUE(dialogs().saw("- nebyl nalezen !"));
    EXPECT_EQ(lines(report).back(), kTotal);
}

TEST_F(GenerSes, FieldListReducesAndReordersTheTable) {
    f.writeRows(kRows);
    SesRequest r = f.request();
    r.fieldList = {1, 5, 3};
    r.Sum[1] = true;
    // Field 2 of the report table is Hodnota (field 2 of the table would be Str).
    r.sumFilterField = 2;
    r.sumFilterText = "50";
    const auto l = lines(f.generate(r));
    EXPECT_EQ(l[3], "Zav    Hodnota  Materi");
    EXPECT_EQ(l[6], "01      100,00  ABC   ");
    EXPECT_EQ(l[9], "Zav      50,50        ");
    EXPECT_EQ(l[10], "02      200,00  JKL   ");
    EXPECT_EQ(l.size(), 13u) << "the zero subtotal of plant 02 is left out";
    EXPECT_EQ(l.back(), "Celkem   50,50        ");
    EXPECT_TRUE(f.t.exists(kSesReducedDef));
}

TEST_F(GenerSes, MismatchedDefinitionIsReportedAndNoReportWritten) {
    struct Case {
        std::string def;
        std::string message;
    };
    const std::vector<Case> cases = {
        {test::defText({{2, "Zav"},
                        {3, "Str"},
                        {6, "Material"},
                        {8, "Mno", "N3"},
                        {10, "Hodnota", "N2"},
                        {6, "Nula", "N2"}}),
         "C:\\Data\\Stav.Cds:     7\rC:\\Data\\Stav.Def:     6\r\r"
         "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !"},
        {test::defText({{2, "Zav"},
                        {3, "Str"},
                        {6, "Material"},
                        {8, "Mno", "N3"},
                        {10, "Hodnota", "N2"},
                        {6, "Nula", "N2"},
                        {5, "Pozn"}}),
         "C:\\Data\\Stav.Cds:    39\rC:\\Data\\Stav.Def:    40\r\r"
         "Skutecna delka vety se nerovna delce vety vypoctene !"},
    };
    f.writeRows(kRows);
    for (const auto& c : cases) {
        f.t.write(test::ReportFixture::kDef, c.def);
        dialogs().clear();
        EXPECT_EQ(generateTableReport(*f.t, f.request()), "");
        ASSERT_EQ(dialogs().boxes.size(), 1u);
        EXPECT_EQ(dialogs().boxes[0].kind, ScriptedDialogs::Kind::Warning);
        EXPECT_EQ(dialogs().boxes[0].text, c.message);
        EXPECT_FALSE(f.t.exists("C:\\A_Run\\Sestavy\\SStav.Ses"));
    }
}

TEST_F(GenerSes, ColumnGeometryForTheFramedRenderers) {
    f.writeRows(kRows);
    f.t.write("C:\\Txt\\Prava.Def", "Podpis\r\n__\r\n");
    f.t.write("C:\\Txt\\Hor.Def", "H1\r\nH2\r\n");
    SesRequest r = f.request();
    r.rightText = "C:\\Txt\\Prava.Def";
    r.upperText = "C:\\Txt\\Hor.Def";
    r.heading2 = "Druha";
    SesLayout layout;
    ASSERT_FALSE(generateTableReport(*f.t, r, &layout).empty());
    PrintSettings ps;
    ps.fontSize = 9;
    ps.italic = true;
    ps.rowsPerPage = 66;
    using Cols = std::vector<std::array<int, 3>>; // start, width, end
    auto cols = [](const ColumnGeometry& g) {
        Cols out;
        for (const auto& c : g.columns) out.push_back({c.start, c.width, c.end});
        return out;
    };
    // Fields 2, 3, 6, 8 and 10 wide; the right text is 8 wide.
    const ColumnGeometry rich = columnGeometry(layout, SesRenderer::RichText, ps);
    EXPECT_EQ(cols(rich),
              (Cols{{1, 3, 0}, {5, 4, 0}, {10, 7, 0}, {18, 9, 0}, {28, 11, 0}, {36, 7, 0}}));
    EXPECT_EQ(rich.headingLines, 2);
    const ColumnGeometry graphic = columnGeometry(layout, SesRenderer::Graphic, ps);
    EXPECT_EQ(cols(graphic).back(), (std::array<int, 3>{38, 10, 51}));
    EXPECT_TRUE(graphic.columns.back().rightText);
    EXPECT_EQ(graphic.headLines, 4);
    EXPECT_EQ(graphic.workDef, "C:\\A_Run\\Work\\CdsScrW_.Def");
    EXPECT_EQ(graphic.frameColour, 0xFF0000u);
    EXPECT_EQ(graphic.rowsPerPage, 66);
    EXPECT_EQ(graphic.boldFont.name, "Courier New");
    EXPECT_TRUE(graphic.boldFont.bold && graphic.boldFont.italic);
    EXPECT_FALSE(graphic.regularFont.bold);
    EXPECT_EQ(graphic.regularFont.size, 9);
}

} // namespace
