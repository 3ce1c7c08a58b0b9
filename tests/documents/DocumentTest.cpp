#include "documents/Document.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

Document filled() {
    Document d;
    std::array<int, Document::kItemColumns> widths{};
    widths.fill(3);
    widths[0] = 4;
    d.resetItems(widths);
    return d;
}

} // namespace

TEST(Document, RowsStartBlankAndNumbered) {
    Document d = filled();
    EXPECT_EQ(d.item(1, 1), "0001");
    EXPECT_EQ(d.item(1000, 1), "1000");
    EXPECT_EQ(d.item(7, 2), "   ");
    EXPECT_FALSE(d.anyRowFilled());
    d.item(7, 13) = "  x";
    EXPECT_TRUE(d.rowFilled(7));
    EXPECT_TRUE(d.anyRowFilled());
}

TEST(Document, InsertLosesTheLastRowAndRemoveBlanksIt) {
    Document d = filled();
    d.item(1, 2) = "AAA";
    d.item(1000, 2) = "ZZZ";
    d.insertRow(1);
    EXPECT_EQ(d.item(1, 2), "   ");
    EXPECT_EQ(d.item(2, 2), "AAA");
    EXPECT_EQ(d.item(2, 1), "0002");
    EXPECT_FALSE(d.rowFilled(1000)); // ZZZ fell off the end

    d.removeRow(1);
    EXPECT_EQ(d.item(1, 2), "AAA");
    EXPECT_EQ(d.item(1, 1), "0001");
    EXPECT_FALSE(d.rowFilled(1000));
}

TEST(Document, IdentificationAndIssue) {
    Document d = filled();
    const char* head[] = {"26", "02", "01", "03", "01", "00001", "100"};
    for (int c = 1; c <= 7; ++c) d.head(c) = head[c - 1];
    EXPECT_EQ(d.identification(), "260201030100001");
    EXPECT_TRUE(d.identificationComplete());
    EXPECT_FALSE(d.isIssue());
    d.head(7) = "500";
    EXPECT_TRUE(d.isIssue());
    d.head(4) = "  ";
    EXPECT_FALSE(d.identificationComplete());
}
