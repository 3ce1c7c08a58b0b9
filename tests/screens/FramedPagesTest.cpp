#include "screens/FramedPages.h"

#include "shell/Definition.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using sarw::test::TestSession;

namespace {

// Every character 10 pixels wide.
int tenEach(std::string_view t) {
    return static_cast<int>(t.size()) * 10;
}

ColumnGeometry twoColumns() {
    ColumnGeometry g;
    g.columns = {{1, 8, 0, false}, {10, 8, 0, false}};
    g.headLines = 2; // one heading and one upper text line
    g.headingLines = 1;
    g.titleLines = 1;
    g.lowerLines = 1;
    g.rowsPerPage = 20;
    return g;
}

// Two pages as the table report writes them.
const char* kReport = "\r\n"
                      "HEADING          STR:    1\r\n"
                      "\r\n"
                      "upper\r\n"
                      "Nazev    Cena\r\n"
                      "\r\n"
                      "\r\n"
                      "Sroub       12.50\r\n"
                      "\r\n"
                      "Matice       3.00\r\n"
                      "lower\r\n"
                      "\f\r\n"
                      "HEADING          STR:    2\r\n"
                      "\r\n"
                      "upper\r\n"
                      "Nazev    Cena\r\n"
                      "\r\n"
                      "\r\n"
                      "Celkem    1115.50\r\n"
                      "lower\r\n";

} // namespace

TEST(FramedPages, ColumnEdgesFollowTheCellWidths) {
    const FramedColumns c = framedColumnEdges({50, 20, 30});
    EXPECT_EQ(c.left, (std::vector<int>{31, 87, 111}));
    EXPECT_EQ(c.right, (std::vector<int>{87, 111, 145}));
    EXPECT_EQ(c.pictureWidth, 177);
    EXPECT_EQ(c.headingLimit, 119);
}

TEST(FramedPages, CellsAreTrimmedButTheRightTextKeepsLeadingBlanks) {
    const GeometryColumn field{3, 6, 0, false}, right{3, 6, 0, true};
    EXPECT_EQ(framedCell("ab  cd  ef", field), "cd");
    EXPECT_EQ(framedCell("ab  cd  ef", right), "  cd");
    EXPECT_EQ(framedCell("ab", field), "");
    EXPECT_EQ(framedCell("abcdefghijkl", field), "cdefgh");
}

TEST(FramedPages, NumericColumnsComeFromTheTypeCodes) {
    Definition def;
    def.fields.resize(3);
    def.fields[0].type = "C ";
    def.fields[1].type = "N2";
    def.fields[2].type = "L ";
    ColumnGeometry g;
    g.columns = {{1, 5}, {7, 5}, {13, 5}, {19, 5, 30, true}};
    EXPECT_EQ(numericColumns(def, g), (std::vector<bool>{false, true, true, false}));
}

TEST(FramedPages, PagesDropEmptyLinesUntilTheBodyStarts) {
    TestSession t;
    t.write("C:\\S.Ses", kReport);
    const ColumnGeometry g = twoColumns();
    ReportPageReader in = framedPageReader(t.path("C:\\S.Ses"), g);
    std::vector<std::string> lines;
    ASSERT_TRUE(in.next(lines));
    // The empty line inside the body stays as a blank row.
    const FramedPage first = splitFramedPage(lines, g);
    EXPECT_EQ(first.head, (std::vector<std::string>{"HEADING          STR:    1", "upper"}));
    EXPECT_EQ(first.titles, (std::vector<std::string>{"Nazev    Cena"}));
    EXPECT_EQ(first.body, (std::vector<std::string>{"Sroub       12.50", "", "Matice       3.00"}));
    EXPECT_EQ(first.lower, (std::vector<std::string>{"lower"}));
    ASSERT_TRUE(in.next(lines));
    EXPECT_EQ(splitFramedPage(lines, g).body, (std::vector<std::string>{"Celkem    1115.50"}));
    EXPECT_FALSE(in.next(lines));
}

TEST(FramedPages, WidestCellsSkipTheHeadAndCountTheTotalAsS) {
    TestSession t;
    t.write("C:\\S.Ses", kReport);
    // The heading is wider than any cell but is not measured; "Celkem" counts as "S".
    EXPECT_EQ(widestCells(t.path("C:\\S.Ses"), twoColumns(), tenEach), (std::vector<int>{60, 70}));
    EXPECT_TRUE(widestCells(t.path("C:\\None.Ses"), twoColumns(), tenEach).empty());
}

TEST(FramedPages, NominalHeightNeverCountsNegativeRows) {
    ColumnGeometry g = twoColumns();
    EXPECT_EQ(framedNominalHeight(g, 15, 12), 31 + 2 * 18 + 7 + 15 + 6 + 17 * 16 + 30);
    g.rowsPerPage = 1;
    EXPECT_EQ(framedNominalHeight(g, 15, 12), 31 + 2 * 18 + 7 + 15 + 6 + 30);
}

TEST(FramedPages, TotalWordBecomesARunOfS) {
    EXPECT_EQ(framedTotalRow("Celkem    1115.50", 45, tenEach), "SSSS      1115.50");
    EXPECT_EQ(framedTotalRow("Celkem    1115.50", 75, tenEach), "SSSSSSS   1115.50");
    EXPECT_EQ(framedTotalRow("Sroub  1", 45, tenEach), "Sroub  1");
}

TEST(FramedPages, HeadingIsFittedToTheTable) {
    // Spread before "STR:" until the page number reaches the limit.
    EXPECT_EQ(fitHeading("ABC  STR:  1", 150, tenEach), "ABC     STR:  1");
    // Too wide: runs of three blanks give up one blank at a time.
    EXPECT_EQ(fitHeading("A     B", 50, tenEach), "A   B");
    // A width that no blank changes still ends.
    EXPECT_EQ(fitHeading("A    B", 10, [](std::string_view) { return 0; }).substr(0, 1), "A");
}
