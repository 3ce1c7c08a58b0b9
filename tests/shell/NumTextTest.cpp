#include "shell/NumText.h"

#include <gtest/gtest.h>

using namespace sarw;

TEST(NumText, NumberToText) {
    struct Case {
        int w, d;
        double x;
        const char* text;
    } cases[] = {
        {15, 2, 1234.5, "        1234,50"},
        {15, 2, 0.004, "               "},
        {15, 2, -0.005, "          -0,01"},
        {15, 2, 2.675, "           2,68"},  // a decimal half stored a hair below .5
        {15, 2, 1.005, "           1,01"},
        {15, 2, -1234567.125, "    -1234567,13"},
        {6, 2, 1234.56, "1234,6"},           // too wide: one decimal dropped
        {4, 2, 1234.56, "1235"},             // and another
        {3, 2, 1234.56, "1235"},             // cannot fit: left as it is
        {8, 0, 7, "       7"},
        {10, 5, 3.3, "   3,50000"},          // decimals 5 round to halves
        {10, 5, 3.2, "   3,00000"},
        {10, 5, 3.8, "   4,00000"},
        {8, 3, 0.0004, "        "},
        {8, 3, 0.0005, "   0,001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberToText(c.w, c.d, c.x), c.text) << c.w << " " << c.d << " " << c.x;
}

TEST(NumText, NumberToTextWithoutRounding) {
    EXPECT_EQ(numberToTextNoRound(8, 2, 0.0, true), "        ");
    EXPECT_EQ(numberToTextNoRound(8, 2, 0.0, false), "    0,00");
    EXPECT_EQ(numberToTextNoRound(8, 2, 12.5, false), "   12,50");
}

TEST(NumText, RoundHalvesAwayFromZero) {
    EXPECT_DOUBLE_EQ(roundTo(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(roundTo(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(roundTo(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(roundTo(-0.125, 2), -0.13);
    EXPECT_DOUBLE_EQ(roundTo(0.124999, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundTo(10.5, 13), 10.5);  // many decimals: no unit added
    EXPECT_DOUBLE_EQ(roundTo(600000000000.49, 0), 600000000000.0);
    EXPECT_DOUBLE_EQ(roundTo(0.285, 2), 0.29);
    EXPECT_DOUBLE_EQ(roundTo(1.24, 5), 1.0);
    EXPECT_DOUBLE_EQ(roundTo(1.25, 5), 1.5);
    EXPECT_DOUBLE_EQ(roundTo(-1.75, 5), -2.0);
}

TEST(NumText, TextToNumbers) {
    EXPECT_DOUBLE_EQ(textToNumber("1 234,56 Kc"), 1234.56);
    EXPECT_DOUBLE_EQ(textToNumber(""), 0);
    EXPECT_DOUBLE_EQ(textToNumber("     "), 0);
    EXPECT_DOUBLE_EQ(textToNumber("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(textToNumber("  -3,5"), -3.5);
    EXPECT_DOUBLE_EQ(textToNumber("1,2,3"), 1.23);  // later commas are ignored
    EXPECT_DOUBLE_EQ(textToNumber("1.2.3"), 0);     // what is left does not read
    EXPECT_EQ(textToInt(" 12 ks"), 12);
    EXPECT_EQ(textToInt("-7"), -7);
    EXPECT_EQ(textToInt("abc"), 0);
}

TEST(NumText, IntegersAsText) {
    EXPECT_EQ(intToText(0, 2), "  ");
    EXPECT_EQ(zeroPadInt(0, 2), "00");
    EXPECT_EQ(intToText(42, 5), "   42");
    EXPECT_EQ(intToTextZero(0, 3), "  0");
    EXPECT_EQ(zeroPadInt(7, 3), "007");
    EXPECT_EQ(intToText(12345, 3), "12345");
}

TEST(NumText, UpperCaseByCzechTable) {
    EXPECT_EQ(upperCase("\xf9l"), "\xdaL");  // u with ring becomes U with acute
    EXPECT_EQ(upperCase("\xe8\x9a\x9e\xf8\xe1\xe9\xed\xfd\xf3\xfa\xef\x9d\xf2\xec"),
              "\xc8\x8a\x8e\xd8\xc1\xc9\xcd\xdd\xd3\xda\xcf\x8d\xd2\xcc");
    EXPECT_EQ(upperCase("\xe4\xbe\xf4"), "\xe4\xbe\xf4");  // letters outside the table stay
}

TEST(NumText, CodePageTable) {
    EXPECT_EQ(convertCodePage("\xc8", 1, 3), "\x80");
    EXPECT_EQ(convertCodePage("\xb3", 2, 1), "|");
    EXPECT_EQ(convertCodePage("\xc4", 3, 1), "-");
    EXPECT_EQ(convertCodePage("abc\xc8", 0, 3), "abc\xc8");
    // Kamenicky to Windows-1250 and back for the Czech letters.
    const std::string kam = "\x87\x9f\x91\xa9\xa0\x82\xa1";
    const std::string win = convertCodePage(kam, 3, 1);
    EXPECT_EQ(win, "\xe8\x9d\x9e\xf8\xe1\xe9\xed");
    EXPECT_EQ(convertCodePage(win, 1, 3), kam);
}
