#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class ReColSizeCdsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        std::string def = test::defText({{10, "Kod", "LN"},
                                         {20, "Nazev materialu", "PM"},
                                         {12, "Cena", "N2"},
                                         {8, "Skup", "PN"}});
        // The price heading stands right-aligned over its numbers.
        const size_t cena = def.find("Cena", def.find("Cena") + 4);
        def.replace(cena, 12, "        Cena");
        t.write("C:\\D\\Wide.Def", def);
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(ReColSizeCdsTest, EachColumnBecomesAsWideAsItsContentsAndSums) {
    test::writeTable(t, "C:\\D\\Wide.Cds", {{"Kod", 10}, {"Nazev", 20}, {"Cena", 12}, {"Skup", 8}},
                     {{"0000000012", "Sroub   ", "      600,00", "12      "},
                      {"0000000007", "  Matka M8 ", "      634,50", "        "}});
    ASSERT_TRUE(proc.ReColSizeCds("C:\\D\\Wide.Cds", "C:\\D\\Wide.Def", "C:\\D\\Narrow.Cds",
                                  "C:\\D\\Narrow.Def"));
    EXPECT_EQ(t->cds.TableFile, "C:\\D\\Narrow.Cds");
    EXPECT_EQ(t->cds.DefFile, "C:\\D\\Narrow.Def");
    // Widths 10, 8, 7 (the sum 1234,50 is longer than each value) and 2; headings cut to them.
    const std::string def = t.read("C:\\D\\Narrow.Def");
    const auto lines = [&] {
        std::vector<std::string> v;
        for (size_t p = 0, e; (e = def.find("\r\n", p)) != std::string::npos; p = e + 2)
            v.push_back(def.substr(p, e - p));
        return v;
    }();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 3), " 10");
    EXPECT_EQ(lines[1].substr(0, 3), "  8");
    EXPECT_EQ(lines[1].substr(40, 30), "Nazev ma" + std::string(22, ' '));
    EXPECT_EQ(lines[2].substr(0, 3), "  7");
    EXPECT_EQ(lines[2].substr(40, 30), "   Cena" + std::string(23, ' '));
    EXPECT_EQ(lines[3].substr(0, 3), "  2");
    EXPECT_EQ(lines[3].substr(4, 36), test::defLine(4, {8, "Skup", "PN"}).substr(4, 36))
        << "the rest of the line stays";
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Narrow.Cds"),
              (Rows{{"0000000012", "Sroub   ", " 600,00", "12"},
                    {"0000000007", "Matka M8", " 634,50", "  "}}));
}

TEST_F(ReColSizeCdsTest, NumbersAreNeverCutEvenWhenTheirTextWasShorter) {
    t.write("C:\\D\\Num.Def", test::defText({{12, "Cena", "N2"}}));
    test::writeTable(t, "C:\\D\\Num.Cds", {{"Cena", 12}}, {{"-600"}, {"600"}, {""}});
    ASSERT_TRUE(
        proc.ReColSizeCds("C:\\D\\Num.Cds", "C:\\D\\Num.Def", "C:\\D\\N2.Cds", "C:\\D\\N2.Def"));
    EXPECT_EQ(t.read("C:\\D\\N2.Def").substr(0, 3), "  7");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\N2.Cds"), (Rows{{"-600,00"}, {" 600,00"}, {"       "}}));
}

TEST_F(ReColSizeCdsTest, MissingTableOrDefinitionWritesNothing) {
    EXPECT_FALSE(
        proc.ReColSizeCds("C:\\D\\None.Cds", "C:\\D\\Wide.Def", "C:\\D\\N.Cds", "C:\\D\\N.Def"));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
    test::writeTable(t, "C:\\D\\Wide.Cds", {{"Kod", 10}}, {{"1"}});
    EXPECT_FALSE(
        proc.ReColSizeCds("C:\\D\\Wide.Cds", "C:\\D\\None.Def", "C:\\D\\N.Cds", "C:\\D\\N.Def"));
    EXPECT_TRUE(t.dialogs.saw("Soubor nebyl nalezen"));
    EXPECT_FALSE(t.exists("C:\\D\\N.Cds") || t.exists("C:\\D\\N.Def"));
}
