#include "output/PrintPages.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

// Five pages: the first begins with the empty separator line, each further one with a form feed.
const std::string kFivePages = "\r\np1 a\r\np1 b\r\n\f\r\np2 a\r\n\f\r\np3 a\r\np3 b\r\n\f\r\n"
                               "p4 a\r\n\f\r\np5 a\r\n";

std::vector<PrintedPage> pages(const std::string& text, int from, int to, int rows = 0,
                               int margin = 0) {
    PageSelection sel;
    sel.from = from;
    sel.to = to;
    sel.rowsPerSheet = rows;
    sel.leftMargin = margin;
    return selectPrintPages(text, sel);
}

TEST(PrintPages, RangeSelectsTheLinesBetweenPageBreaks) {
    struct Case {
        int from, to, rows;
        std::vector<PrintedPage> sheets;
    };
    const Case cases[] = {
        {1, 5, 0, {{"", "p1 a", "p1 b"}, {"p2 a"}, {"p3 a", "p3 b"}, {"p4 a"}, {"p5 a"}}},
        // Exactly the lines between the first and the third page break.
        {2, 3, 0, {{"p2 a"}, {"p3 a", "p3 b"}}},
        {5, 5, 0, {{"p5 a"}}},
        {3, 2, 0, {}},
        // A page longer than a sheet goes on over the next sheet.
        {1, 1, 2, {{"", "p1 a"}, {"p1 b"}}},
        {3, 4, 1, {{"p3 a"}, {"p3 b"}, {"p4 a"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pages(kFivePages, c.from, c.to, c.rows), c.sheets)
            << c.from << "-" << c.to << " rows " << c.rows;
}

TEST(PrintPages, MarginBreaksAndEmptyPages) {
    EXPECT_EQ(pages("a\r\nb", 1, 9, 0, 3), (std::vector<PrintedPage>{{"   a", "   b"}}));
    // Two breaks in a row leave an empty page; a break at the very end opens no sheet.
    EXPECT_EQ(pages("a\r\n\f\r\n\f\r\nc\r\n\f\r\n", 1, 9),
              (std::vector<PrintedPage>{{"a"}, {}, {"c"}}));
    // Any line that holds a form feed breaks a report; the text editor breaks only at a line
    // that begins with one.
    PageSelection editor;
    editor.to = 99;
    editor.breakAtLineStart = true;
    EXPECT_EQ(selectPrintPages("a\r\nx\fy\r\n\fz\r\nb", editor),
              (std::vector<PrintedPage>{{"a", "x\fy"}, {"b"}}));
    EXPECT_EQ(pages("a\r\nx\fy\r\nb", 1, 99), (std::vector<PrintedPage>{{"a"}, {"b"}}));
}

} // namespace
