#include "output/ReportViewer.h"

#include "output/ReportFile.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

const std::string kReport = "C:\\A_Run\\Sestavy\\SInv.Ses";

TEST(ReportViewer, EachOpenedReportIsPrintedWhole) {
    test::TestSession t;
    t.write(kReport, "\r\na\r\n\f\r\nb\r\n\f\r\nc\r\n");
    t.write("C:\\A_Run\\Sestavy\\SOne.Ses", "x\r\n");
    openReport(*t, kReport);
    EXPECT_EQ(t->vyst.printFrom, 1);
    EXPECT_EQ(t->vyst.printTo, 3);
    // Pages 2-2 chosen for this report do not cut the next one short.
    ASSERT_TRUE(takePrintFields(*t, "4", "2", "2", "2", 3));
    openReport(*t, "C:\\A_Run\\Sestavy\\SOne.Ses");
    EXPECT_EQ(t->vyst.printFrom, 1);
    EXPECT_EQ(t->vyst.printTo, 1);
    openReport(*t, kReport);
    EXPECT_EQ(t->vyst.printTo, 3);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(ReportViewer, PrintFields) {
    struct Case {
        const char *from, *to;
        bool ok;
        int printFrom, printTo;
    };
    const Case cases[] = {
        {"  002", "  004", true, 2, 4}, {"1", "100", true, 1, 5}, {"0", "", true, 1, 1},
        {"7", "9", true, 5, 5},        {"4", "2", false, 4, 2},
    };
    for (const auto& c : cases) {
        test::TestSession t;
        EXPECT_EQ(takePrintFields(*t, " 6", "x1", c.from, c.to, 5), c.ok) << c.from;
        EXPECT_EQ(t->vyst.printFrom, c.printFrom) << c.from;
        EXPECT_EQ(t->vyst.printTo, c.printTo) << c.to;
        EXPECT_EQ(t->vyst.leftMargin, 6);
        EXPECT_EQ(t->vyst.topMargin, 1);
        EXPECT_EQ(t.dialogs.boxes.size(), c.ok ? 0u : 1u);
    }
    EXPECT_EQ(pageFieldText(7), "  007");
    EXPECT_EQ(marginFieldText(4), "    4");
}

TEST(ReportViewer, PrintUsesTheMaskedCopyUntilItIsDropped) {
    test::TestSession t;
    t.write(kReport, "abcdefgh\r\n\f\r\n12345678\r\n");
    openReport(*t, kReport);
    ASSERT_FALSE(applyMask(*t, kReport, "3/4").empty());
    std::string file, bytes;
    ASSERT_TRUE(viewerText(*t, file, bytes));
    EXPECT_EQ(file, maskedCopyName(kReport));
    t->vyst.leftMargin = 2;
    EXPECT_EQ(viewerPrintPages(*t, bytes, 0), (std::vector<PrintedPage>{{"  cd"}, {"  34"}}));

    // A new showing begins without the mask.
    openReport(*t, kReport);
    EXPECT_FALSE(t.exists(maskedCopyName(kReport)));
    ASSERT_TRUE(viewerText(*t, file, bytes));
    EXPECT_EQ(file, kReport);

    t.dialogs.clear();
    t->vyst.reportFile = "C:\\A_Run\\Sestavy\\SNone.Ses";
    EXPECT_FALSE(viewerText(*t, file, bytes));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

} // namespace
