#include "tables/model/Table.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

Table threeStrings() {
    Table t;
    for (const char* n : {"A", "B", "C"}) {
        FieldInfo f;
        f.name = n;
        f.size = 10;
        t.fields.push_back(f);
    }
    return t;
}

} // namespace

TEST(Table, AppendSetAndEraseKeepOtherCells) {
    Table t = threeStrings();
    t.appendTexts({"a1", "b1", "c1"});
    t.appendTexts({"a2", "b2", "c2"});
    t.appendTexts({"a3", "b3", "c3"});
    // Grow and shrink a cell of a record in the middle, then of the last one.
    t.setText(1, 1, "longer b2 value");
    t.setText(1, 0, "");
    t.setText(2, 2, "x");
    t.setNull(0, 1);
    EXPECT_EQ(t.text(0, 0), "a1");
    EXPECT_TRUE(t.isNull(0, 1));
    EXPECT_EQ(t.text(0, 2), "c1");
    EXPECT_EQ(t.text(1, 0), "");
    EXPECT_FALSE(t.isNull(1, 0));
    EXPECT_EQ(t.text(1, 1), "longer b2 value");
    EXPECT_EQ(t.text(1, 2), "c2");
    EXPECT_EQ(t.text(2, 2), "x");
    t.erase(0);
    ASSERT_EQ(t.recordCount(), 2u);
    EXPECT_EQ(t.text(0, 1), "longer b2 value");
    t.reorder({1, 0});
    EXPECT_EQ(t.text(0, 0), "a3");
    t.insertNull(1);
    EXPECT_TRUE(t.isNull(1, 0));
    EXPECT_EQ(t.text(2, 2), "c2");
}

TEST(Table, ManyRewritesStayCompact) {
    Table t = threeStrings();
    for (int i = 0; i < 1000; ++i) t.appendTexts({"a", "b", "c"});
    for (int round = 0; round < 50; ++round)
        for (size_t r = 0; r < t.recordCount(); r += 7)
            t.setText(r, 1, std::string(static_cast<size_t>(round % 9), 'z'));
    EXPECT_LT(t.memoryUsage(), 1000u * 200u);
    EXPECT_EQ(t.text(7, 1), std::string(49 % 9, 'z'));
    EXPECT_EQ(t.text(7, 2), "c");
}
