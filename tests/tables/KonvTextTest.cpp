#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class KonvTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        t->cds.TableFile = "C:\\D\\Out.Cds";
        t->cds.SourceFile = "C:\\D\\In.Txt";
        t->cds.DefFile = "C:\\D\\In.Def";
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(KonvTextTest, FixedColumnsAreNormalisedByTheirFieldsThenConverted) {
    test::DefLine upper{4, "Naz", "PM"};
    upper.checkMode = "V";
    t.write(
        "C:\\D\\In.Def",
        test::defText(
            {{5, "Kod", "LN"}, {10, "Datum", "DT"}, {6, "Cena", "N2"}, upper, {3, "Pozn", "PM"}}));
    // Kod 1-5, Datum 6-15, Cena 16-21, Naz 22-25, Pozn 26-28.
    t.write("C:\\D\\In.Txt",
            std::string("12   ") + "5.3.17    " + "   3,5" + "ab\xa0\xa7" + "\x9f" + "\r\n7\n\r\n");
    ASSERT_TRUE(proc.KonvTxCds(2));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"),
              (Rows{{"00012", "05.03.2017", "           3,50", "AB\xe1\x9e", "\xe8  "},
                    {"00007", "          ", "               ", "    ", "   "},
                    {"00000", "          ", "               ", "    ", "   "}}));
    ASSERT_TRUE(proc.KonvTxCdsGauge(0));
    EXPECT_EQ(t.dialogs.lastPercent, 100);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(KonvTextTest, CsvSplitsAtEverySeparatorEvenInsideQuotes) {
    t.write("C:\\D\\In.Def",
            test::defText({{8, "A", "PM"}, {8, "B", "PM"}, {5, "C", "LN"}, {6, "D", "N1"}}));
    t.write("C:\\D\\In.Txt", "\"Sroub;M8\";7\r\n"
                             "x;y;12;-1,25;extra;\r\n"
                             "\r\n"
                             "\x9f;\"q\"\"\";;0\n");
    ASSERT_TRUE(proc.KonvCsvCds(2, ';', '"'));
    const std::string blank14(14, ' ');
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"),
              (Rows{{"Sroub   ", "M8      ", "    7", blank14},
                    {"x       ", "y       ", "   12", "          -1,3"},
                    {"        ", "        ", "     ", blank14},
                    {"\xe8       ", "q       ", "     ", blank14}}));
    // The same lines held in memory; only the first PoleNum count.
    std::vector<std::string> pole = {"a|b|1|2", "c|d|3|4", "ignored"};
    ASSERT_TRUE(proc.KonvCsvCdsVirt(0, '|', '"', pole, 2));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"),
              (Rows{{"a       ", "b       ", "    1", "           2,0"},
                    {"c       ", "d       ", "    3", "           4,0"}}));
    ASSERT_TRUE(proc.KonvCsvCdsG(0, ';', '"'));
    EXPECT_EQ(t.dialogs.lastPercent, 100);
}

TEST_F(KonvTextTest, ExportsWriteFixedColumnsAndDelimitedLinesInTheChosenCodePage) {
    t.write("C:\\D\\In.Def",
            test::defText({{4, "Kod", "LN"}, {6, "Naz", "PM"}, {7, "Cena", "N2"}}));
    test::writeTable(t, "C:\\D\\T.Cds", {{"Kod", 4}, {"Naz", 6}, {"Cena", 15}},
                     {{"0012",
                       "\xe8"
                       "a;b",
                       "          -1,50"},
                      {"0007", "q\"x\r\n", ""}});
    t->cds.TableFile = "C:\\D\\T.Cds";
    t->cds.SourceFile = "C:\\D\\T.Txt";
    ASSERT_TRUE(proc.KonvCdsTxt(3));
    EXPECT_EQ(t.read("C:\\D\\T.Txt"), "0012\x87"
                                      "a;b    -1,50\r\n0007q\"x          \r\n");

    t->cds.SourceFile = "C:\\D\\T.Csv";
    ASSERT_TRUE(proc.KonvCdsCsv(0, ';'));
    EXPECT_EQ(t.read("C:\\D\\T.Csv"), "0012;\"\xe8"
                                      "a;b\";-1,50\r\n0007;\"q\"\"x\r\n\";\r\n");
    std::vector<std::string> pole;
    int poleNum = -1;
    ASSERT_TRUE(proc.KonvCdsCsvVirt(2, '\t', pole, poleNum));
    EXPECT_EQ(poleNum, 2);
    EXPECT_EQ(pole[0], "0012\t\x9f"
                       "a;b\t-1,50");

    // And back: what the export wrote, the import reads.
    t->cds.SourceFile = "C:\\D\\T.Txt";
    t->cds.TableFile = "C:\\D\\Back.Cds";
    ASSERT_TRUE(proc.KonvTxCds(3));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Back.Cds")[0], (std::vector<std::string>{"0012",
                                                                               "\xe8"
                                                                               "a;b  ",
                                                                               "          -1,50"}));
}

TEST_F(KonvTextTest, ReportTextByColumnsSkippingHeadingsOfEveryPage) {
    t.write("C:\\D\\Ses.Def", test::defText({{4, "Kod", "PM"}, {5, "Naz", "PM"}}));
    t.write("C:\\D\\In.Txt", "C:\\D\\Rep.Ses  * report\r\n"
                             "C:\\D\\Ses.Cds  * table\r\n"
                             "C:\\D\\Ses.Def  * definition\r\n"
                             "         2\r\n"
                             "         1         4\r\n"
                             "         6        10\r\n"
                             "short\r\n");
    t.write("C:\\D\\Rep.Ses", "Heading\r\nKod  Nazev\r\nA1   Abc\r\n     \r\n\f\r\nHeading\r\n"
                              "Kod  Nazev\r\nB2   \x9f"
                              "ef  tail\r\n");
    ASSERT_TRUE(proc.KonvSesCdsG(2));
    EXPECT_EQ(t->cds.TableFile, "C:\\D\\Ses.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Ses.Cds"), (Rows{{"A1  ", "Abc"},
                                                       {"B2  ", "\xe8"
                                                                "ef  "}}));
    EXPECT_EQ(t.dialogs.lastPercent, 100);

    t.write("C:\\D\\In.Txt", "C:\\D\\Rep.Ses  * report\r\nno star here\r\nC:\\D\\Ses.Def *\r\n");
    EXPECT_FALSE(proc.KonvSesCdsG(0));
    t.write("C:\\D\\In.Txt", "C:\\D\\None.Ses *\r\nC:\\D\\Ses.Cds *\r\nC:\\D\\Ses.Def *\r\n");
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_FALSE(proc.KonvSesCdsG(0));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

TEST_F(KonvTextTest, FileNormBlanksControlCharactersButLineAndPageBreaks) {
    std::string in;
    for (int b = 0; b < 34; ++b) in += static_cast<char>(b);
    t.write("C:\\D\\R.Txt", in + "\xe8");
    ASSERT_TRUE(proc.FileNorm("C:\\D\\R.Txt", "C:\\D\\R.Ses"));
    EXPECT_EQ(t.read("C:\\D\\R.Ses"),
              std::string(10, ' ') + "\n \f\r" + std::string(19, ' ') + "!\xe8");
    EXPECT_FALSE(proc.FileNorm("C:\\D\\R.Txt", "C:\\Nowhere\\R.Ses"));
    EXPECT_TRUE(t.dialogs.saw("Vstupni soubor:    C:\\D\\R.Txt\rVystupni soubor:  "
                              "C:\\Nowhere\\R.Ses\r\rNormalizace se nepodarila !"));
    t.dialogs.clear();
    EXPECT_FALSE(proc.FileNorm("C:\\D\\None.Txt", "C:\\D\\R.Ses"));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}
