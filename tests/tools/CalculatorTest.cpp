#include "tools/Calculator.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

// Plays the keys as the window forwards them; the last refusal is kept.
std::string play(Calculator& c, std::string_view keys) {
    std::string refusal;
    for (char k : keys)
        if (std::string r = c.press(k); !r.empty()) refusal = r;
    return refusal;
}

} // namespace

TEST(Calculator, KeysGiveTheMemoryLine) {
    struct Case {
        const char* keys;
        long double accumulator;
        const char* memory; // at 2 decimals
    } cases[] = {
        {"2+3*4=", 20, "                    20,00"}, // each operator completes the pending one
        {"10-2-3=", 5, "                     5,00"},  {"1,5*2=", 3, "                     3,00"},
        {"1,,5*2=", 3, "                     3,00"},               // a second comma is not taken
        {"12Z5+1=", 16, "                    16,00"},              // Zpet drops the 2
        {"7+9E1=", 8, "                     8,00"},                // CE drops the 9
        {"7+9E=", 7, "                     7,00"},                 // and its value with it
        {"7+9C", 0, "                         "},                  // C: accumulator 0 shown
        {"5=", 5, "                     5,00"},       {"", 0, ""}, // nothing shown yet
    };
    for (const auto& c : cases) {
        Calculator calc;
        EXPECT_EQ(play(calc, c.keys), "") << c.keys;
        EXPECT_EQ(calc.accumulator(), c.accumulator) << c.keys;
        EXPECT_EQ(calc.memoryLine(2), c.memory) << c.keys;
        EXPECT_EQ(calc.entry(), "") << c.keys;
    }
}

TEST(Calculator, DivisionByZeroIsRefusedAndKeepsTheDividend) {
    Calculator calc;
    EXPECT_EQ(play(calc, "7/0="), "Delit nulou nelze.");
    EXPECT_EQ(calc.accumulator(), 7);
    EXPECT_EQ(play(calc, "Z2="), ""); // the user types another divisor
    EXPECT_EQ(calc.accumulator(), 3.5L);
    EXPECT_EQ(play(calc, "/0+"), "Delit nulou nelze."); // also when an operator completes it
    EXPECT_EQ(calc.accumulator(), 3.5L);
}

TEST(Calculator, EntryTakesTwentyFiveCharacters) {
    Calculator calc;
    play(calc, std::string(26, '9'));
    EXPECT_EQ(calc.entry(), std::string(25, '9'));
    EXPECT_EQ(calc.value(), 9999999999999999999999999.0L);
    calc.reset();
    EXPECT_EQ(calc.entry(), "");
    EXPECT_EQ(calc.memoryLine(5), "");
}
