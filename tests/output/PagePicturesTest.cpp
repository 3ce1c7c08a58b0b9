#include "output/PagePictures.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using sarw::test::TestSession;

namespace {

std::vector<std::vector<std::string>> readPages(const TestSession& t, const std::string& text) {
    t.write("C:\\R.Ses", text);
    ReportPageReader in(t.path("C:\\R.Ses"));
    std::vector<std::vector<std::string>> pages;
    for (std::vector<std::string> lines; in.next(lines);) pages.push_back(lines);
    return pages;
}

using Pages = std::vector<std::vector<std::string>>;

} // namespace

TEST(PagePictures, PagesAreTheLinesBetweenPageBreaks) {
    TestSession t;
    struct Case {
        const char* text;
        Pages pages;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {{"a", "b"}}},
        {"\r\np1\r\n\f\r\np2\r\n", {{"", "p1"}, {"p2"}}},
        // A report that ends with a page break has an empty last page.
        {"p1\r\n\f\r\n", {{"p1"}, {}}},
        // Any line that holds a form feed breaks the page, as the viewer counts pages.
        {"p1\r\nx\fy\r\np2", {{"p1"}, {"p2"}}},
        {"", {{}}},
    };
    for (const Case& c : cases) EXPECT_EQ(readPages(t, c.text), c.pages) << c.text;
}

TEST(PagePictures, LongPageIsReadWhole) {
    TestSession t;
    std::string text;
    for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "\r\n";
    const Pages pages = readPages(t, text + "\f\r\nlast\r\n");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 400u);
    EXPECT_EQ(pages[0].back(), "line 399");
}

TEST(PagePictures, ShapeCountsLinesPagesAndWidestLine) {
    TestSession t;
    t.write("C:\\R.Ses", "ab\r\n\f\r\nabcdef\r\nabc\r\n");
    const ReportShape shape = measureReport(
        t.path("C:\\R.Ses"), [](std::string_view l) { return static_cast<int>(l.size()) * 7; });
    EXPECT_TRUE(shape.read);
    EXPECT_EQ(shape.lines, 4);
    EXPECT_EQ(shape.pages, 2);
    EXPECT_EQ(shape.widest, 42);
    EXPECT_FALSE(measureReport(t.path("C:\\None.Ses"), {}).read);
}

TEST(PagePictures, PageHeights) {
    EXPECT_EQ(textPageHeight(0, 13), 93); // a page without lines: 31 + 62
    EXPECT_EQ(textPageHeight(80, 13), 31 + 80 * 15 + 62);
    EXPECT_EQ(pdfPictureHeight(1000, 900), 1500);
    EXPECT_EQ(pdfPictureHeight(400, 900), 900);
}

TEST(PagePictures, RangeFieldsAreCheckedOnLeaving) {
    TestSession t;
    struct Case {
        const char *str1, *str2;
        bool ok;
        const char *after1, *after2, *told;
    };
    const Case cases[] = {
        {"2", "5", true, "0002", "0005", nullptr},
        {" 3x", "0004", true, "0003", "0004", nullptr},
        {"5", "3", true, "0005", "0003", "Strana 1 je vetsi nez Strana 2 !"},
        {"0", "3", false, "0001", "0003", "Zvolena strana je mimo rozsah !"},
        {"1", "9999", false, "0001", "0007", "Zvolena strana je mimo rozsah !"},
        {"-2", "7", false, "0001", "0007", "Zvolena strana je mimo rozsah !"},
    };
    for (const Case& c : cases) {
        t.dialogs.boxes.clear();
        PageRangeFields f{c.str1, c.str2};
        EXPECT_EQ(checkPageRange(*t, f, 7), c.ok) << c.str1 << "/" << c.str2;
        EXPECT_EQ(f.str1, c.after1);
        EXPECT_EQ(f.str2, c.after2);
        if (c.told) {
            ASSERT_FALSE(t.dialogs.boxes.empty());
            EXPECT_EQ(t.dialogs.boxes.front().text, c.told);
        } else {
            EXPECT_TRUE(t.dialogs.boxes.empty()) << c.str1 << "/" << c.str2;
        }
    }
    t.dialogs.boxes.clear();
    PageRangeFields f{"12", "1"};
    leaveStr1(*t, f, 7);
    EXPECT_EQ(t.dialogs.boxes.at(0).title, "Str:  12");
}

TEST(PagePictures, PrintScaleField) {
    EXPECT_EQ(readPrintScale("100").field, " 100");
    EXPECT_DOUBLE_EQ(readPrintScale("100").scale, 1.0);
    EXPECT_EQ(readPrintScale("80").field, "  80");
    EXPECT_DOUBLE_EQ(readPrintScale("62,5").scale, 0.625);
    EXPECT_EQ(readPrintScale("62,5").field, "62.5");
}

TEST(PagePictures, PictureShrinksUntilItFitsTheSheet) {
    // Fits as it is: 0.99 of its size, centred across, top at most 1/30 of the sheet.
    SheetRect r = pictureOnSheet(1000, 1400, 1.0, 1.0, 2000, 3000, true);
    EXPECT_EQ(r.right - r.left, 990);
    EXPECT_EQ(r.left, 505);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.bottom - r.top, 1386);
    // Too large: shrunk by 1 % steps until both fit, landscape top at most 1/20.
    r = pictureOnSheet(4000, 1000, 1.0, 1.0, 3000, 2000, false);
    EXPECT_LE(r.right - r.left, 3000);
    EXPECT_GT(r.right - r.left, 3000 * 0.99 - 1);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.left, (3000 - (r.right - r.left)) / 2);
}

TEST(PagePictures, PictureFilesAreDeletedUpToTheFirstMissing) {
    TestSession t;
    EXPECT_EQ(pagePictureName("T_I_", "C:\\A_Run\\Sestavy\\SObraty.Ses", 7),
              "C:\\A_Run\\Sestavy\\T_I_SObraty_0007.Png");
    for (int page : {1, 2, 4}) t.write(pagePictureName("I_", "C:\\S.Ses", page), "x");
    deletePagePictures(*t, "I_", "C:\\S.Ses");
    EXPECT_FALSE(t.exists(pagePictureName("I_", "C:\\S.Ses", 1)));
    EXPECT_FALSE(t.exists(pagePictureName("I_", "C:\\S.Ses", 2)));
    EXPECT_TRUE(t.exists(pagePictureName("I_", "C:\\S.Ses", 4)));
}
