#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class CopyCdsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        test::writeTable(t, "C:\\D\\Src.Cds",
                         {{" Kod ", 5}, {"Nazev", 10}, {"Cena", 10}, {"Pocet", 4, FieldKind::Int}},
                         {{"12", "abcdefgh", "12,5", "3"}, {"7", "x\ty\x01", "", "4"}});
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(CopyCdsTest, CopyTakesAllOrOnlyStringFieldsWithTrimmedNames) {
    ASSERT_TRUE(proc.CopyCds("C:\\D\\Src.Cds", "C:\\D\\All.Cds", 0));
    Table all = test::loadTable(t, "C:\\D\\All.Cds");
    EXPECT_EQ(test::fieldNames(all), (std::vector<std::string>{"Kod", "Nazev", "Cena", "Pocet"}));
    EXPECT_EQ(all.fields[3].kind, FieldKind::Int);
    EXPECT_EQ(test::rowsOf(all), test::rowsOf(t, "C:\\D\\Src.Cds"));

    ASSERT_TRUE(proc.CopyCdsG("C:\\D\\Src.Cds", "C:\\D\\Str.Cds", 1));
    EXPECT_EQ(t.dialogs.lastPercent, 100);
    Table str = test::loadTable(t, "C:\\D\\Str.Cds");
    EXPECT_EQ(test::fieldNames(str), (std::vector<std::string>{"Kod", "Nazev", "Cena"}));
    EXPECT_EQ(test::rowsOf(str)[0], (std::vector<std::string>{"12", "abcdefgh", "12,5"}));

    EXPECT_FALSE(proc.CopyCds("C:\\D\\None.Cds", "C:\\D\\X.Cds", 0));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
    EXPECT_FALSE(t.exists("C:\\D\\X.Cds"));
}

TEST_F(CopyCdsTest, LDCopyWritesTheBinaryFormatWhateverTheName) {
    test::writeTable(t, "C:\\D\\Src.xml", {{"Kod", 5}}, {{"\xe8\x9a"}, {"b"}});
    ASSERT_TRUE(proc.LDCopyCds("C:\\D\\Src.xml", "C:\\D\\Copy.xml"));
    EXPECT_EQ(t.read("C:\\D\\Copy.xml").substr(0, 4), "\x96\x19\xe0\xbd");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Copy.xml"), (Rows{{"\xe8\x9a"}, {"b"}}));
    EXPECT_FALSE(proc.LDCopyCds("C:\\D\\None.Cds", "C:\\D\\Copy.Cds"));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

TEST_F(CopyCdsTest, ObratPorReversesTheRecords) {
    test::writeTable(t, "C:\\D\\Abc.Cds", {{"K", 2}}, {{"a"}, {"b"}, {"c"}});
    ASSERT_TRUE(proc.ObratPor("C:\\D\\Abc.Cds", "C:\\D\\Cba.Cds"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Cba.Cds"), (Rows{{"c"}, {"b"}, {"a"}}));
}

TEST_F(CopyCdsTest, ReStruktMatchesByNameAndFitsEachValueToItsNewField) {
    t.write("C:\\D\\New.Def", test::defText({{6, "Nazev", "PM"},
                                             {6, "Kod", "LN"},
                                             {8, "Cena", "N2"},
                                             {3, "Novy", "PM"},
                                             {4, "Pocet", "LM"}}));
    t->cds.TableFile = "C:\\Caller.Cds";
    ASSERT_TRUE(proc.ReStruktCds("C:\\D\\Src.Cds", "C:\\D\\New.Cds", "C:\\D\\New.Def"));
    EXPECT_EQ(t->cds.TableFile, "C:\\Caller.Cds") << "the caller's parameters stay";
    Table n = test::loadTable(t, "C:\\D\\New.Cds");
    EXPECT_EQ(test::fieldNames(n),
              (std::vector<std::string>{"Nazev", "Kod", "Cena", "Novy", "Pocet"}));
    EXPECT_EQ(test::rowsOf(n), (Rows{{"abcdef", "000012", "   12,50", "", "   3"},
                                     {"x\ty\x01  ", "000007", "        ", "", "   4"}}));
}

TEST_F(CopyCdsTest, ReHlavMatchesByPositionAndCdsNormBlanksControlCharacters) {
    t.write("C:\\D\\Pos.Def", test::defText({{3, "A", "LN"}, {5, "B", "PM"}, {10, "C", "ME"}}));
    ASSERT_TRUE(proc.ReHlavCds("C:\\D\\Src.Cds", "C:\\D\\Pos.Cds", "C:\\D\\Pos.Def"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Pos.Cds"),
              (Rows{{"012", "abcde", "12,5"}, {"007", "x\ty\x01 ", ""}}));

    test::writeTable(t, "C:\\D\\Memo.Cds", {{"A", 5}, {"B", 9}, {"C", 10, FieldKind::Memo}},
                     {{"7", "x\ty\x01z", "r1\r\nr2\t"}});
    ASSERT_TRUE(proc.CdsNorm("C:\\D\\Memo.Cds", "C:\\D\\Pos.Def", "C:\\D\\Norm.Cds"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Norm.Cds"), (Rows{{"007", "x y z", "r1\r\nr2 "}}));
}

TEST_F(CopyCdsTest, SpojTabJoinsTheTablesOfEqualStructureButNeverItself) {
    t.write("C:\\Sp\\Spoj.Def", test::defText({{4, "Kod"}, {6, "Naz"}}));
    test::writeTable(t, "C:\\Sp\\A.Cds", {{"Kod", 4}, {"Naz", 6}}, {{"a1", "x"}});
    test::writeTable(t, "C:\\Sp\\B.Cds", {{"Kod", 4}, {"Naz", 6}}, {{"b1", "y"}, {"b2", "z"}});
    test::writeTable(t, "C:\\Sp\\C.Cds", {{"Kod", 4}, {"Jine", 6}}, {{"c1", "w"}});
    ASSERT_TRUE(proc.SpojTab("C:\\Sp", "*.Cds", "All.Cds", "Spoj.Def"));
    EXPECT_EQ(test::rowsOf(t, "C:\\Sp\\All.Cds"), (Rows{{"a1", "x"}, {"b1", "y"}, {"b2", "z"}}));
    ASSERT_TRUE(proc.SpojTab("C:\\Sp\\", "*.Cds", "All.Cds", "Spoj.Def"));
    EXPECT_EQ(test::rowsOf(t, "C:\\Sp\\All.Cds").size(), 6u);

    t.dialogs.clear();
    EXPECT_FALSE(proc.SpojTab("C:\\Nowhere", "*.Cds", "All.Cds", "Spoj.Def"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Adresar nenalezen !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Adresar:  C:\\Nowhere");
}
