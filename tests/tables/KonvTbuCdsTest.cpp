#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "platform/ProgramHalt.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

// Kod at 1-4, a gap of two, Nazev at 7-12, Cena at 13-20: records of 20 bytes.
const std::string kTbuDef =
    test::defText({{4, "Kod", "PM"}, {2, "Mezera", "ZS"}, {6, "Nazev", "PM"}, {8, "Cena", "N2"}});

std::string tbuHeader(int recLen) {
    std::string h = "TABULO HEAD.";
    h += static_cast<char>(recLen & 0xFF);
    h += static_cast<char>(recLen >> 8);
    h.resize(static_cast<size_t>(recLen), '\0');
    return h;
}

class KonvTbuCdsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        t.write("C:\\D\\Tbu.Def", kTbuDef);
        t->cds.DefFile = "C:\\D\\Tbu.Def";
        t->cds.TableFile = "C:\\D\\Out.Cds";
        t->cds.SourceFile = "C:\\D\\In.Dat";
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(KonvTbuCdsTest, ReadsDataRecordsAfterTheHeaderWithCodePageAndNumbers) {
    std::string file = tbuHeader(20);
    file += "AB01xx\x87"
            "aj\xb3  "
            "    12,5";                                         // Kamenicky c caron, box line
    file += std::string("ERASED..1234") + std::string(8, '\0'); // zeros from byte 15: skipped
    file += "C\tD\x01"
            "--"
            "\xa0\xa1\x82   "
            "-3.456  "; // controls become blanks
    file += "\x1a";     // a DOS end-of-file mark
    t.write("C:\\D\\In.Dat", file);
    ASSERT_TRUE(proc.KonvTbuCds(3));
    Table out = test::loadTable(t, "C:\\D\\Out.Cds");
    EXPECT_EQ(test::fieldNames(out), (std::vector<std::string>{"Kod", "Nazev", "Cena"}));
    EXPECT_EQ(out.fields[2].size, 15) << "numeric fields widened to 13 plus decimals";
    EXPECT_EQ(test::rowsOf(out), (Rows{{"AB01",
                                        "\xe8"
                                        "aj|  ",
                                        "          12,50"},
                                       {"C D ", "\xe1\xed\xe9   ", "          -3,46"}}));

    ASSERT_TRUE(proc.KonvTbuCdsG(0));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds")[0][1], "\x87"
                                                       "aj\xb3  ")
        << "no conversion";
    EXPECT_EQ(t.dialogs.lastPercent, 100);
}

TEST_F(KonvTbuCdsTest, NumbersWithOneDecimalFitTheirWidenedField) {
    t.write("C:\\D\\Tbu.Def", test::defText({{14, "Kod", "PM"}, {6, "Mnoz", "N1"}}));
    t.write("C:\\D\\In.Dat", tbuHeader(20) + "abcdefghijklmn" + "  2,25");
    ASSERT_TRUE(proc.KonvTbuCds(0));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds")[0][1], "           2,3");
}

TEST_F(KonvTbuCdsTest, ShortOrOddFilesGiveAnEmptyTableAndNeverLoop) {
    const std::string cases[] = {
        "",                          // empty
        std::string(13, 'x'),        // too short for the record length
        tbuHeader(20),               // a header and nothing more
        tbuHeader(20).substr(0, 14), // a record length longer than the file
        std::string("TABULO HEAD.\0\0", 14) + std::string(40, 'x'), // record length 0
    };
    for (const auto& c : cases) {
        t.write("C:\\D\\In.Dat", c);
        ASSERT_TRUE(proc.KonvTbuCds(3));
        Table out = test::loadTable(t, "C:\\D\\Out.Cds");
        EXPECT_EQ(out.fieldCount(), 3);
        EXPECT_EQ(out.recordCount(), 0u) << c.size();
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(KonvTbuCdsTest, MissingSourceWarnsAndLeavesTheTable) {
    test::writeTable(t, "C:\\D\\Out.Cds", {{"Old", 3}}, {{"x"}});
    EXPECT_FALSE(proc.KonvTbuCds(0));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"), (Rows{{"x"}}));
}

TEST_F(KonvTbuCdsTest, HeaderlessRecordsFromFixedFileAndBack) {
    t.write("C:\\D\\Fix.Def",
            test::defText({{4, "Kod", "PM"}, {6, "Naz", "PM"}, {5, "Cena", "N1"}}));
    t->cds.DefFile = "C:\\D\\Fix.Def";
    // One record is data: a headerless file has no header to skip.
    t.write("C:\\D\\In.Dat", "K001\x87"
                             "abc   1,25");
    ASSERT_TRUE(proc.KonvFCds(3));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"), (Rows{{"K001",
                                                        "\xe8"
                                                        "abc  ",
                                                        "           1,3"}}));

    // A piece after the last record is read as a record padded with zeros, so a piece that
    // ends before position 15 is no data record and one that goes beyond is kept.
    t.write("C:\\D\\In.Dat", std::string("K001abcdef  2,5") + "K002ghijkl 10  " + "K003xy");
    ASSERT_TRUE(proc.KonvFCds(0));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"),
              (Rows{{"K001", "abcdef", "           2,5"}, {"K002", "ghijkl", "          10,0"}}));
    t.write("C:\\D\\Long.Def", test::defText({{14, "Kod", "PM"}, {6, "Pozn", "PM"}}));
    t->cds.DefFile = "C:\\D\\Long.Def";
    t.write("C:\\D\\In.Dat", std::string("first record 1abcdef") + "second record 1");
    ASSERT_TRUE(proc.KonvFCds(0));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Out.Cds"),
              (Rows{{"first record 1", "abcdef"}, {"second record ", "1     "}}));
    t->cds.DefFile = "C:\\D\\Fix.Def";

    // Back to a record file of the definition's widths, texts in code page 852.
    test::writeTable(t, "C:\\D\\T.Cds", {{"Kod", 4}, {"Naz", 6}, {"Cena", 14}},
                     {{"A", "\xe8\x9aX", "   3,14"}, {"B\r", "longer name", ""}});
    t->cds.TableFile = "C:\\D\\T.Cds";
    t->cds.SourceFile = "C:\\D\\Back.Dat";
    ASSERT_TRUE(proc.KonvCdsTbu(2));
    EXPECT_EQ(t.read("C:\\D\\Back.Dat"), "A   \x9f\xe7X     3,1"
                                         "B   longer     ");
    t->cds.TableFile = "C:\\D\\Again.Cds";
    ASSERT_TRUE(proc.KonvFCds(2));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Again.Cds")[0][1], "\xe8\x9aX   ");
}

TEST_F(KonvTbuCdsTest, ExportRefusesATableThatDoesNotMatchItsDefinition) {
    test::writeTable(t, "C:\\D\\T.Cds", {{"Kod", 4}}, {{"A"}});
    t->cds.TableFile = "C:\\D\\T.Cds";
    t->cds.SourceFile = "C:\\D\\Back.Dat";
    EXPECT_FALSE(proc.KonvCdsTbu(0));
    EXPECT_TRUE(t.dialogs.saw("Pocet slov vety souboru se nerovna poctu slov vypoctenych"));
    EXPECT_FALSE(t.exists("C:\\D\\Back.Dat"));
}
