#include "editors/CaretMoves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sarw;

namespace {

// Lines of a report-like text: data from column 4 on, an empty line between the groups.
const std::vector<std::string> kLines = {
    "AAA 1234567890", // 0
    "BBB 12",         // 1
    "",               // 2
    "CCC 1234567",    // 3
    "DD",             // 4
    "EEE 123456789",  // 5
    "",               // 6 (the end of the last line)
};

CaretText text(int pageLines = 3) {
    return {static_cast<int>(kLines.size()),
            [](int line) { return static_cast<int>(kLines.at(line).size()); }, pageLines};
}

struct Move {
    CaretPlace from;
    int remembered;
    VerticalMove move;
    CaretPlace to;
};

template <std::size_t N> void expectMoves(const Move (&cases)[N], const CaretRules& rules) {
    for (const Move& c : cases) {
        const CaretPlace to = moveVertically(text(), c.from, c.remembered, c.move, rules);
        EXPECT_EQ(to, c.to) << "from " << c.from.line << ":" << c.from.column << " move "
                            << static_cast<int>(c.move) << " gave " << to.line << ":" << to.column;
    }
}

TEST(CaretMoves, VerticalMovesKeepTheRememberedColumn) {
    const CaretRules free;
    const Move cases[] = {
        {{0, 10}, 10, VerticalMove::Down, {1, 6}},   // the end of a shorter line
        {{1, 6}, 10, VerticalMove::Down, {2, 0}},    // an empty line is reached
        {{2, 0}, 10, VerticalMove::Down, {3, 10}},   // the column comes back
        {{0, 0}, 9, VerticalMove::Up, {0, 9}},       // nothing above: stays on its line
        {{1, 2}, 5, VerticalMove::PageDown, {4, 2}}, // a page of 3 lines
        {{5, 1}, 5, VerticalMove::PageDown, {6, 0}}, // no further than the last line
        {{4, 2}, 5, VerticalMove::PageUp, {1, 5}},   {{1, 0}, 5, VerticalMove::PageUp, {0, 5}},
        {{5, 3}, 7, VerticalMove::Top, {0, 7}}, // Ctrl+Home keeps the column too
        {{0, 3}, 7, VerticalMove::Bottom, {6, 0}},
    };
    expectMoves(cases, free);
}

TEST(CaretMoves, WithoutNewLinesEnterGoesDownToTheFixedColumnAndSkipsEmptyLines) {
    const CaretRules fixed{false, 4};
    const Move cases[] = {
        {{0, 12}, 12, VerticalMove::Enter, {1, 4}}, // down, at the fixed column
        {{1, 4}, 4, VerticalMove::Enter, {1, 4}},   // onto the empty line: one line up instead
        {{3, 8}, 8, VerticalMove::Enter, {4, 2}},   // a line shorter than the fixed column
        {{5, 4}, 4, VerticalMove::Enter, {5, 4}},   // the empty last line is not taken
        {{3, 6}, 6, VerticalMove::Up, {1, 6}},      // the empty line above is passed over
        {{0, 6}, 0, VerticalMove::Down, {1, 4}},    // never left of the fixed column
        {{3, 6}, 6, VerticalMove::Bottom, {5, 6}},
    };
    expectMoves(cases, fixed);
}

TEST(CaretMoves, HorizontalPlacesStayRightOfTheFixedColumn) {
    const CaretRules fixed{false, 4};
    EXPECT_EQ(allowedColumn(0, 14, fixed), 4); // Home
    EXPECT_EQ(allowedColumn(2, 2, fixed), 2);  // the line ends before the fixed column
    EXPECT_EQ(allowedColumn(9, 14, fixed), 9);
    EXPECT_EQ(allowedColumn(20, 14, fixed), 14);
    // Enter makes new lines: the fixed column does not hold the caret.
    EXPECT_EQ(allowedColumn(0, 14, CaretRules{true, 4}), 0);
}

} // namespace
