#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "tables/model/ReadDef.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

const std::string kDefs = std::string(SARW_TEST_DATA) + "/defs/";

class KonvDefCdsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        std::filesystem::create_directories(t.path("C:\\D"));
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(KonvDefCdsTest, DefinitionBecomesATableOfItsLinesAndPaddedSlots) {
    ASSERT_TRUE(proc.KonvDefCds(kDefs + "Document.Def", "C:\\D\\Def.Cds", 13));
    EXPECT_EQ(t.read("C:\\A_Run\\Work\\CdsProcWork.Def"), test::readFile(kDefs + "Columns.Def"));
    Table d = test::loadTable(t, "C:\\D\\Def.Cds");
    EXPECT_EQ(test::fieldNames(d),
              (std::vector<std::string>{"Rad", "TD", "TNS1", "TNS2", "TMS", "SP", "KH", "I/P",
                                        "Ind/UlozP", "UlozZ", "UlozDo", "JmSCis", "JmPole/TW"}));
    ASSERT_EQ(d.recordCount(), 200u);
    auto row = test::rowsOf(d);
    EXPECT_EQ(row[1], (std::vector<std::string>{"002", "6", "Cislo dokladu", "Doklad", "LN", "C",
                                                "KH", "I", "02", "", "", "", ""}));
    EXPECT_EQ(row[2][2], "Rezerva") << "a gap line is a line too";
    EXPECT_EQ(row[6], (std::vector<std::string>{"007", "13", "Material", "Material", "PM", "V", "",
                                                "P", "03", "02", "6", "@ Cis Mat.Cds", "Mat Kod"}));
    EXPECT_EQ(row[7][11], "2C:\\Data.1\\Ceny.Old.Bak.Cds");
    EXPECT_EQ(row[11][0], "012");
    EXPECT_EQ(row[12],
              (std::vector<std::string>{"013", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(row[199][0], "200");

    ASSERT_TRUE(proc.KonvDefCds(kDefs + "Document.Def", "C:\\D\\Short.Cds", 5));
    EXPECT_EQ(test::loadTable(t, "C:\\D\\Short.Cds").fieldCount(), 5);
    EXPECT_FALSE(proc.KonvDefCds("C:\\D\\None.Def", "C:\\D\\X.Cds", 13));
    EXPECT_FALSE(t.exists("C:\\D\\X.Cds"));
}

TEST_F(KonvDefCdsTest, TableWrittenBackReadsAsTheSameDefinition) {
    ASSERT_TRUE(ReadDef(*t, kDefs + "Document.Def"));
    const Definition before = t->def;
    ASSERT_TRUE(proc.KonvDefCds(kDefs + "Document.Def", "C:\\D\\Def.Cds", 13));
    ASSERT_TRUE(proc.KonvCdsDef("C:\\D\\Def.Cds", "C:\\D\\Back.Def", 13));
    ASSERT_TRUE(ReadDef(*t, "C:\\D\\Back.Def"));
    const Definition& after = t->def;
    ASSERT_EQ(after.fieldCount(), before.fieldCount());
    EXPECT_EQ(after.recLen, before.recLen);
    EXPECT_EQ(after.keyList, before.keyList);
    EXPECT_EQ(after.headCount, before.headCount);
    for (int f = 1; f <= before.fieldCount(); ++f) {
        const FieldDef& a = after.field(f);
        const FieldDef& b = before.field(f);
        EXPECT_EQ(a.width, b.width) << f;
        EXPECT_EQ(a.fieldPos, b.fieldPos) << f;
        EXPECT_EQ(a.fieldName, b.fieldName) << f;
        EXPECT_EQ(trimBoth(a.heading), trimBoth(b.heading)) << f;
        EXPECT_EQ(a.type, b.type) << f;
        EXPECT_EQ(a.checkMode, b.checkMode) << f;
        EXPECT_EQ(a.mode, b.mode) << f;
        EXPECT_EQ(a.ulozP, b.ulozP) << f;
        EXPECT_EQ(a.ulozZ, b.ulozZ) << f;
        EXPECT_EQ(a.ulozDo, b.ulozDo) << f;
        EXPECT_EQ(a.jmSCis, b.jmSCis) << f;
        EXPECT_EQ(a.jmPole, b.jmPole) << f;
    }
    const std::string back = t.read("C:\\D\\Back.Def");
    // A numeric heading is right-aligned to the field's width; no line for the empty slots.
    EXPECT_NE(back.find(" 12  9. Mno\x9es"), std::string::npos) << back;
    EXPECT_NE(back.find("    Mno\x9estv\xed" + std::string(18, ' ') + "N3N    N02"),
              std::string::npos);
    EXPECT_EQ(std::count(back.begin(), back.end(), '\n'), 11);
}
