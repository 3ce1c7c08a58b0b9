#include "tables/model/FitValue.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

struct FitCase {
    const char* text;
    const char* type;
    int width;
    const char* expected;
};

} // namespace

TEST(FitValue, AlignsCutsFillsAndFormatsByTargetType) {
    const FitCase cases[] = {
        {"ab", "PM", 4, "ab  "},
        {"abcdef", "PM", 4, "abcd"}, // left-aligned keep their first characters
        {"12", "PN", 5, "12000"},    // blanks of the padding become zeros
        {"1 2", "PN", 4, "1020"},    // every blank does
        {"5.3.2017", "DT", 10, "5.3.2017  "},
        {"abc", "LM", 5, "  abc"},
        {"abcdef", "LM", 4, "cdef"}, // right-aligned keep their last characters
        {"12", "LN", 5, "00012"},
        {"12", "R2", 4, "  12"}, // R2 aligns but is not filled
        {"12", "O4", 4, "12"},   // outside the table: unchanged
        {"x y", "ME", 2, "x y"},
        {"", "PM", 3, "   "},
        {"3,456", "N2", 8, "    3,46"},
        {"  -1.5", "N1", 6, "  -1,5"},
        {"0", "N2", 6, "      "},     // zero is written as blanks
        {"0,004", "N2", 6, "      "}, // so is what rounds to zero
        {"12,5", "N0", 4, "  13"},
        {"abc", "N2", 5, "     "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitValue(c.text, c.type, c.width), c.expected)
            << c.text << " " << c.type << " " << c.width;
}

TEST(FitValue, NumberTooWideDropsDecimalsInsteadOfLeadingDigits) {
    // 1234,50 in six characters: the decimals go, never the thousands.
    EXPECT_EQ(fitValue("1234,50", "N2", 6), "1234,5");
    EXPECT_EQ(fitValue("1234,50", "N2", 5), " 1235");
    // No room even for the whole number: the field shows it overflowed.
    EXPECT_EQ(fitValue("123456", "N0", 4), "****");
    EXPECT_EQ(fitValue("-12345", "N2", 5), "*****");
}

TEST(FitValue, TypeHelpersAndControlBlanking) {
    EXPECT_EQ(numberDecimals("N3"), 3);
    EXPECT_EQ(numberDecimals("NX"), 0);
    EXPECT_EQ(numberDecimals("N"), 0);
    EXPECT_TRUE(isNumberType("N0"));
    EXPECT_FALSE(isNumberType("LN"));
    EXPECT_EQ(controlsToBlanks(std::string("a\tb\r\n\x01", 6)), "a b   ");
    EXPECT_EQ(controlsToBlanks("\xe8\x9a"), "\xe8\x9a"); // high bytes are letters
}
