#include "editors/TwoPanes.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

TEST(TwoPanes, WidthFollowsTheCaretColumnAndTheBoundaryMovesByOneCharacter) {
    EXPECT_EQ(TwoPanes::width(0, 9), 28);
    EXPECT_EQ(TwoPanes::width(12, 9), 12 * 9 + 28);
    EXPECT_EQ(TwoPanes::shifted(136, 9, +1), 145);
    EXPECT_EQ(TwoPanes::shifted(136, 9, -1), 127);
    EXPECT_EQ(TwoPanes::shifted(30, 9, -1), 28) << "the pane never vanishes below its margin";
    EXPECT_EQ(TwoPanes::colour(0x000000), 0x0000FFu);
    EXPECT_EQ(TwoPanes::colour(0x0000FF), 0x008000u) << "blue text: the copy is green";
}

} // namespace
