#include "tools/LHVyraz.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sarw;

TEST(LHVyraz, ComputesTheDesignedGrammar) {
    struct Case {
        const char* text;
        long double value;
    } cases[] = {
        {"2+3*4", 14},
        {"(2+3)*4", 20},
        {"-2*3", -6},
        {"2*(-3)", -6}, // the inner -3 becomes 0-3
        {"10-2-3", 5},  // left to right
        {"12/4/3", 1},
        {"1,5*2", 3},            // decimal comma
        {" 1 . 5 * 2 ", 3},      // blanks anywhere, decimal point
        {"sqrt(16)+abs(-2)", 6}, // lower case
        {"SGN(0)", 0},
        {"SGN(-7)", -1},
        {"NUL(0)", 1},
        {"NNUL(0)", 0},
        {"PLUS(2)-PLUS(0)", 1},
        {"INT(-7,8)", -7},
        {"FRAC(7,25)", 0.25L},
        {"SQRT(ABS(-16))", 4}, // nested functions
        {"((((5))))", 5},
        {"EXP(0)+COS(0)+SIN(0)+ARCTAN(0)+LN(1)", 2},
        {"ARCTAN(1)+LN(1)", 3.1415926535897932385L / 4}, // one function per parenthesis
        {"2*PI", 2 * 3.1415926535897932385L},
        {"CENA*2+1", 1}, // a name nobody knows counts as 0
        {"", 0},
        {"()", 0},
        {"0,1+0,2", 0.3L},
        {",5+5,", 5.5L},
    };
    for (const auto& c : cases) {
        const CalcResult r = evaluate(c.text);
        EXPECT_TRUE(r.ok()) << c.text << ": " << r.error;
        EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), 1e-12) << c.text;
    }
}

TEST(LHVyraz, RefusesWhatItCannotCompute) {
    struct Case {
        std::string text;
        const char* message;
    } cases[] = {
        {"5/0", "Delit nulou nelze."},
        {"5/(3-3)", "Delit nulou nelze."},
        {"SQRT(-1)", "Odmocninu nelze pocitat ze zaporneho cisla."},
        {"LN(0)", "Logaritmus lze pocitat jen z kladneho cisla."},
        {"LN(-2)", "Logaritmus lze pocitat jen z kladneho cisla."},
        {"1.2.3+1", "Chybne zapsane cislo: 1.2.3"},
        {"1,2,3", "Chybne zapsane cislo: 1.2.3"},
        {"2X+1", "Chybne zapsane cislo: 2X"},
        {".", "Chybne zapsane cislo: ."},
        {"2^3", "Chybne zapsane cislo: 2^3"},
        {"2*-3", "Ve vyrazu chybi cislo mezi znamenky."},
        {"2+", "Ve vyrazu chybi cislo mezi znamenky."},
        {"*2", "Ve vyrazu chybi cislo mezi znamenky."},
        {"(2+3))", "Ve vyrazu chybi leva zavorka."},
        {")", "Ve vyrazu chybi leva zavorka."},
        {"(2+3", "Ve vyrazu chybi prava zavorka."},
        {"2(3)", "Pred zavorkou nebo za ni chybi znamenko."},
        {"(2)(3)", "Pred zavorkou nebo za ni chybi znamenko."},
        {"FOO(3)", "Neznama funkce nebo chybejici znamenko pred zavorkou."},
        {"~ 1", "Znak ~ nemuze byt ve vyrazu."},
        {"EXP(100000)", "Vysledek je mimo rozsah cisel."},
        {"EXP(1000)", "Vysledek je mimo rozsah cisel."}, // beyond what a table holds
        {"1" + std::string(6000, '0'), "Cislo je prilis velke."},
    };
    for (const auto& c : cases) {
        const CalcResult r = evaluate(c.text);
        EXPECT_EQ(r.error, c.message) << c.text;
        EXPECT_EQ(r.value, 0) << c.text;
    }
}

// Every operation and every parenthesis takes an intermediate result; the text can refer to 99.
TEST(LHVyraz, NinetyNineIntermediateResultsAndNoMore) {
    auto sum = [](int terms) {
        std::string s = "1";
        for (int i = 1; i < terms; ++i) s += "+1";
        return s;
    };
    CalcResult r = evaluate(sum(100)); // 99 additions
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value, 100);
    r = evaluate(sum(101));
    EXPECT_EQ(r.error, "Vyraz je prilis slozity (vice nez 99 mezivysledku).");
    // Each parenthesis takes one for itself and one for its content: 49 levels and the whole.
    r = evaluate(std::string(49, '(') + "7" + std::string(49, ')'));
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value, 7);
    EXPECT_FALSE(evaluate(std::string(50, '(') + "7" + std::string(50, ')')).ok());
}

TEST(LHVyraz, AResolverNamesValues) {
    const NameResolver prices = [](std::string_view name) -> std::optional<long double> {
        if (name == "CENA") return 12.5L;
        return std::nullopt;
    };
    EXPECT_EQ(evaluate("cena*2", prices).value, 25);
    EXPECT_EQ(evaluate("-cena+ZBYTEK", prices).value, -12.5L);
}

TEST(LHVyraz, ResultTextKeepsToTwentyFivePositions) {
    EXPECT_EQ(resultText(14, 5), "                 14,00000");
    EXPECT_EQ(resultText(-2.5L, 2), "                    -2,50");
    EXPECT_EQ(resultText(0.000001L, 5), std::string(25, ' ')); // zero at five places
    EXPECT_EQ(resultText(0.000006L, 5), "                  0,00001");
    EXPECT_EQ(resultText(1e20L, 5), "100000000000000000000,000"); // decimals dropped to fit
}
