#include "output/ReportFile.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

TEST(ReportFile, Names) {
    EXPECT_EQ(tableReportName("D:\\LSarW\\Data\\260101SarS.Cds"), "C:\\A_Run\\Sestavy\\S260101SarS.Ses");
    EXPECT_EQ(tableReportName("Inv.xml"), "C:\\A_Run\\Sestavy\\SInv.Ses");
    EXPECT_EQ(maskedCopyName("C:\\A_Run\\Sestavy\\SInv.Ses"), "C:\\A_Run\\Work\\T_P_SInv.Txt");
}

TEST(ReportFile, PagesAreFormFeedLinesPlusOne) {
    const std::pair<std::string, int> cases[] = {
        {"", 1},
        {"a\r\nb\r\n", 1},
        {"a\r\n\f\r\nb\r\n\f\r\nc", 3},
        {"a\f b\r\n\f\f\r\n", 3}, // a line counts once however many form feeds it holds
    };
    for (const auto& [text, pages] : cases) EXPECT_EQ(countPagesInText(text), pages) << text;
}

TEST(ReportFile, PrintRangeIsLoweredToThePageCount) {
    PrintRange r;
    clampPrintRange(r, 1);
    EXPECT_EQ(r.from, 1);
    EXPECT_EQ(r.to, 1);
    PrintRange r2{2, 3};
    clampPrintRange(r2, 5);
    EXPECT_EQ(r2.from, 2);
    EXPECT_EQ(r2.to, 3);
}

TEST(ReportFile, MaskColumns) {
    const auto ranges = parseMask(" 5/10  20/25");
    ASSERT_EQ(ranges.size(), 2u);
    const std::pair<std::string, std::string> cases[] = {
        {"abcdefghijklmnopqrstuvwxyz", "efghijtuvwxy"},
        {"abcd", ""},
        {"abcdefghijklmnopqrstu", "efghijtu"},
        {"\f", "\f"}, // page breaks stay
    };
    for (const auto& [line, masked] : cases) EXPECT_EQ(maskLine(line, ranges), masked) << line;
    EXPECT_EQ(maskLine("abc", {}), "abc");
    EXPECT_EQ(parseMask("1/2 3/4 5/6 7/8 9/10 1/2 3/4 5/6 7/8 9/10 1/2 3/4 5/6 7/8 9/10 1/2 3/4 "
                        "5/6 7/8 9/10 1/2")
                  .size(),
              19u);
    EXPECT_EQ(parseMask("x3/1y0").front().from, 3);
    EXPECT_EQ(parseMask("x3/1y0").front().to, 10);
}

TEST(ReportFile, MaskedCopyOnlyForAGivenMask) {
    test::TestSession t;
    const std::string report = "C:\\A_Run\\Sestavy\\SInv.Ses";
    t.write(report, "abcdefghijklmnopqrstuvwxyz\r\n\f\r\nab\r\n");
    for (const char* prompt : {"x1/y1 x2/y2  ... xn/yn", "x1/y1 x2/y2 ... xn/yn", "   ", ""}) {
        EXPECT_EQ(applyMask(*t, report, prompt), "") << prompt;
        EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\T_P_SInv.Txt"));
    }
    EXPECT_EQ(applyMask(*t, report, "5/10 20/25"), "C:\\A_Run\\Work\\T_P_SInv.Txt");
    EXPECT_EQ(t.read("C:\\A_Run\\Work\\T_P_SInv.Txt"), "efghijtuvwxy\r\n\f\r\n\r\n");
    EXPECT_EQ(viewerFile(*t, report), "C:\\A_Run\\Work\\T_P_SInv.Txt");
    EXPECT_EQ(countPages(*t, "C:\\A_Run\\Work\\T_P_SInv.Txt"), 2);

    EXPECT_EQ(applyMask(*t, "C:\\A_Run\\Sestavy\\SChybi.Ses", "1/2"), "");
    EXPECT_TRUE(t.dialogs.saw("- nebyl nalezen !"));
    EXPECT_EQ(countPages(*t, "C:\\A_Run\\Sestavy\\SChybi.Ses"), 0);
}

TEST(ReportFile, NormalisationLeavesOnlyLineEndsAndFormFeeds) {
    test::TestSession t;
    std::string work;
    for (int c = 0; c < 32; ++c) work += static_cast<char>(c);
    work += "\x9A\xFF";
    t.write("C:\\A_Run\\Work\\W.Txt", work);
    ASSERT_TRUE(normaliseReport(*t, "C:\\A_Run\\Work\\W.Txt", "C:\\A_Run\\Sestavy\\SW.Ses"));
    EXPECT_EQ(t.read("C:\\A_Run\\Sestavy\\SW.Ses"),
              std::string(10, ' ') + "\n \f\r" + std::string(18, ' ') + "\x9A\xFF");

    EXPECT_FALSE(normaliseReport(*t, "C:\\A_Run\\Work\\Chybi.Txt", "C:\\A_Run\\Sestavy\\SW.Ses"));
}

} // namespace
