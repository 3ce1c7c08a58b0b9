#include "codebooks/CodebookListing.h"

#include "codebooks/CodebookTestUtil.h"
#include "output/ReportFile.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::kCodebook;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find("\r\n", from);
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

} // namespace

// Pages of 10 rows: the head takes 8 lines, so three rows fit a page; memo fields are left out
// and names longer than their field are cut to the field size + 1.
TEST(CodebookListingTest, PagesHeadsAndColumns) {
    CdsTable table =
        test::stringTable({{"Kod", 2}, {"Pozn", 0}, {"Nazev", 6}},
                          {{"1", "", "Aa"}, {"2", "", "Bb"}, {"3", "", "Cc"}, {"4", "", "Dd"}});
    table.data.fields[1].kind = FieldKind::Memo;
    const auto lines =
        linesOf(listingText(table.data, "D:\\C\\MJ.Cds", "15.02.2026", "10:20:30", 10));
    const std::string title = "  Zobrazeni/opis souboru:  D:\\C\\MJ.Cds     15.02.2026  10:20:30";
    const std::vector<std::string> expected = {
        "",
        "",
        title + "  STR:   1",
        "",
        "  Kod Nazev ",
        "",
        "",
        "  1   Aa    ",
        "  2   Bb    ",
        "  3   Cc    ",
        "\f",
        "",
        title + "  STR:   2",
        "",
        "  Kod Nazev ",
        "",
        "",
        "  4   Dd    ",
    };
    EXPECT_EQ(lines, expected);
}

// A page length of 100 or more still gives the first page its head; a wide table pads the
// title to the column line.
TEST(CodebookListingTest, TheFirstPageAlwaysHasItsHead) {
    CdsTable table = test::stringTable({{"Nazev", 80}}, {{"x"}});
    const auto lines = linesOf(listingText(table.data, "MJ.Cds", "15.02.2026", "10:20:30", 120));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2].size(), 80u + 10u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 10), "  STR:   1");
}

// The listing reads its own definition, but the caller's (a document form's) stays current.
TEST(CodebookListingTest, WritesTheReportAndKeepsTheCallersDefinition) {
    test::TestSession t;
    t->retryDelayMs = 0;
    makePath(*t, "C:\\A_Run\\Work");
    makePath(*t, "C:\\A_Run\\Sestavy");
    ASSERT_TRUE(test::writeCodebook(t, kCodebook, {{"Kod", 4}, {"Nazev", 10}}, {{"10", "Plech"}}));
    t->def.clear();
    t->def.fields.resize(7);
    t->def.headCount = 3;
    const std::string report = codebookListing(*t, kCodebook);
    EXPECT_EQ(report, "C:\\A_Run\\Sestavy\\Mater.Ses");
    EXPECT_EQ(t->def.fieldCount(), 7);
    EXPECT_EQ(t->def.headCount, 3);
    EXPECT_TRUE(t.exists("C:\\A_Run\\Work\\Mater.Def"));
    EXPECT_NE(t.read(report).find("\r\n  10    Plech     \r\n"), std::string::npos);
}
