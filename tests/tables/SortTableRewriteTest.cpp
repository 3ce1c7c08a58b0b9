// Rewriting a table's records in place, as the sorts do with their output.
#include "tables/model/Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sarw;

namespace {

Table threeFields() {
    Table t;
    for (const char* name : {"A", "B", "C"}) {
        FieldInfo f;
        f.name = name;
        f.size = 10;
        t.fields.push_back(f);
    }
    return t;
}

std::vector<std::string> record(const Table& t, std::size_t r) {
    return {t.text(r, 0), t.text(r, 1), t.text(r, 2)};
}

} // namespace

TEST(SortTableRewrite, RecordsKeepOrGrowTheirPlaceAndMayBeRebuiltFromThemselves) {
    Table t = threeFields();
    t.appendTexts({"aa", "bbb", "c"});
    t.appendTexts({"dd", "eee", "f"});
    t.appendTexts({"gg", "hhh", "i"});
    std::vector<std::string_view> cells(3);

    // The same bytes in another field order, taken from the record itself.
    t.recordCells(1, cells.data());
    std::vector<std::string_view> turned = {cells[2], cells[0], cells[1]};
    t.replaceRecord(1, turned.data());
    // Longer and shorter records, a null cell among them.
    const std::string_view longer[] = {"aaaaaaaaaa", "bbb", "c"};
    t.replaceRecord(0, longer);
    const std::string_view shorter[] = {"", "h", ""};
    const CellState states[] = {CellState::Null, CellState::Value, CellState::Value};
    t.replaceRecord(2, shorter, states);

    EXPECT_EQ(record(t, 0), (std::vector<std::string>{"aaaaaaaaaa", "bbb", "c"}));
    EXPECT_EQ(record(t, 1), (std::vector<std::string>{"f", "dd", "eee"}));
    EXPECT_EQ(record(t, 2), (std::vector<std::string>{"", "h", ""}));
    EXPECT_TRUE(t.isNull(2, 0));
    EXPECT_FALSE(t.isNull(2, 2));

    // Many growing records leave old copies behind until the table compacts itself.
    Table big = threeFields();
    for (int r = 0; r < 5000; ++r) big.appendTexts({std::to_string(r), "x", "y"});
    for (int round = 0; round < 20; ++round) {
        for (std::size_t r = 0; r < big.recordCount(); ++r) {
            big.recordCells(r, cells.data());
            const std::string grown = std::string(cells[0]) + "0";
            const std::string_view next[] = {grown, cells[1], cells[2]};
            big.replaceRecord(r, next);
        }
    }
    for (std::size_t r = 0; r < big.recordCount(); r += 997)
        EXPECT_EQ(record(big, r),
                  (std::vector<std::string>{std::to_string(r) + std::string(20, '0'), "x", "y"}));
    // Live records take some 200 kB; twenty rounds of copies would take over 3 MB.
    EXPECT_LT(big.memoryUsage(), 1u << 20);
}
