#include "tables/library/TCdsProc.h"

#include "platform/ProgramHalt.h"
#include "shell/Session.h"
#include "support/DefText.h"
#include "support/TestSession.h"
#include "tables/formats/TableFile.h"
#include "tables/model/ReadDef.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::DefLine;

namespace {

class TCdsProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        // Key marks on fields 3 (first) and 1 (second); field 4 numeric, field 5 a memo.
        t.write("C:\\Def\\Test.Def", test::defText({{5, "Kod", "PM", 2},
                                                    {20, "Nazev", "PM"},
                                                    {3, "Skupina", "LN", 1},
                                                    {15, "Cena", "N2"},
                                                    {10, "Pozn", "ME"}}));
        t->cds.DefFile = "C:\\Def\\Test.Def";
        t->cds.TableFile = "C:\\Data\\Test.Cds";
        std::filesystem::create_directories(t.path("C:\\Data"));
    }

    Table load(const std::string& name) {
        Table table;
        TableFormat format;
        std::string error;
        EXPECT_TRUE(readTableFile(t.path(name), table, format, error)) << error;
        return table;
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(TCdsProcTest, MakeTableCreatesFieldsAndKeyIndexAndRecordsKeepTheirOrder) {
    CdsTable table;
    proc.MakeTable(table);
    EXPECT_FALSE(table.active());
    ASSERT_EQ(table.data.fieldCount(), 5);
    EXPECT_EQ(table.data.fields[1].name, "Nazev");
    EXPECT_EQ(table.data.fields[1].size, 20);
    EXPECT_EQ(table.data.fields[3].size, 15);
    EXPECT_EQ(table.data.fields[4].kind, FieldKind::Memo);
    ASSERT_EQ(table.data.indexDefs.size(), 1u);
    EXPECT_EQ(table.data.indexDefs[0].fields, "Skupina;Kod");
    EXPECT_TRUE(table.data.indexDefs[0].primary);
    EXPECT_FALSE(table.data.indexDefs[0].unique);
    EXPECT_EQ(load("C:\\Data\\Test.Cds").recordCount(), 0u);

    ASSERT_TRUE(proc.OpenTableW(table));
    EXPECT_EQ(t->def.fieldCount(), 5);
    for (const char* key : {"B", "A", "B", "C"}) table.data.appendTexts({"1", key, "001"});
    ASSERT_TRUE(table.close(*t));
    Table back = load("C:\\Data\\Test.Cds");
    ASSERT_EQ(back.recordCount(), 4u);
    EXPECT_EQ(back.text(0, 1), "B");
    EXPECT_EQ(back.text(1, 1), "A");
    EXPECT_EQ(back.text(3, 1), "C");
}

TEST_F(TCdsProcTest, MakeTableXWidensNumbersAndFixMakesUniformColumns) {
    CdsTable table;
    proc.MakeTableX(table);
    EXPECT_EQ(table.data.fields[3].size, 15);  // N2: 13 + 2
    EXPECT_EQ(table.data.fields[0].size, 5);
    proc.MakeTableFix("C:\\Data\\Fix.Cds", 3, 10);
    Table fix = load("C:\\Data\\Fix.Cds");
    ASSERT_EQ(fix.fieldCount(), 3);
    EXPECT_EQ(fix.fields[0].name, "Col001");
    EXPECT_EQ(fix.fields[2].name, "Col003");
    EXPECT_EQ(fix.fields[2].size, 10);
}

TEST_F(TCdsProcTest, TablesThatCannotBeMadeHaltWithTheirWarning) {
    CdsTable table;
    t.write("C:\\Def\\Dup.Def", test::defText({{5, "Kod"}, {5, "KOD"}}));
    t->cds.DefFile = "C:\\Def\\Dup.Def";
    EXPECT_THROW(proc.MakeTable(table), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("Nepodarilo se zalozit soubor:\r\rC:\\Data\\Test.Cds\r\rProgram "
                              "bude ukoncen !"));
    t->cds.DefFile = "C:\\Def\\Missing.Def";
    EXPECT_THROW(proc.MakeTable(table), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("Nepodarilo se precist soubor:\r\rC:\\Def\\Missing.Def"));
}

TEST_F(TCdsProcTest, XmlByExtensionInAnyCase) {
    CdsTable table;
    for (const char* name : {"C:\\Data\\A.xml", "C:\\Data\\B.XML", "C:\\Data\\C.Cds"}) {
        t->cds.TableFile = name;
        proc.MakeTable(table);
    }
    EXPECT_EQ(t.read("C:\\Data\\A.xml").substr(0, 5), "<?xml");
    EXPECT_EQ(t.read("C:\\Data\\B.XML").substr(0, 5), "<?xml");
    EXPECT_EQ(t.read("C:\\Data\\C.Cds").substr(0, 4), "\x96\x19\xe0\xbd");
}

TEST_F(TCdsProcTest, OpeningMissingOrDamagedFilesFailsAndNeverOverwrites) {
    CdsTable table;
    t->cds.TableFile = "C:\\Data\\Missing.Cds";
    EXPECT_FALSE(proc.OpenTableR(table));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));

    const std::string junk = "\x96\x19\xe0\xbd garbage that is no table";
    t.write("C:\\Data\\Bad.Cds", junk);
    t->cds.TableFile = "C:\\Data\\Bad.Cds";
    t.dialogs.clear();
    EXPECT_FALSE(proc.OpenTableW(table));
    EXPECT_FALSE(table.active());
    EXPECT_TRUE(t.dialogs.saw("C:\\Data\\Bad.Cds"));
    table.close(*t);
    EXPECT_EQ(t.read("C:\\Data\\Bad.Cds"), junk);
}

TEST_F(TCdsProcTest, MakeTableTTakesTheModelsStructure) {
    Table model;
    FieldInfo s;
    s.name = "Text";
    s.size = 8;
    FieldInfo f;
    f.name = "Cislo";
    f.kind = FieldKind::Float;
    f.size = 8;
    model.fields = {s, f};
    model.appendTexts({"abc", "1.5"});
    std::string error;
    ASSERT_TRUE(writeTableFile(t.path("C:\\Data\\Model.Cds"), model, TableFormat::Binary, error));

    proc.MakeTableT("C:\\Data\\Model.Cds", "C:\\Data\\New1.Cds", 1);
    Table one = load("C:\\Data\\New1.Cds");
    ASSERT_EQ(one.fieldCount(), 1);
    EXPECT_EQ(one.fields[0].name, "Text");
    EXPECT_EQ(one.recordCount(), 0u);
    proc.MakeTableT0("C:\\Data\\Model.Cds", "C:\\Data\\New0.Cds", 0);
    EXPECT_EQ(load("C:\\Data\\New0.Cds").fieldCount(), 2);
    EXPECT_TRUE(proc.TestStruktCds("C:\\Data\\Model.Cds", "C:\\Data\\New0.Cds"));
    EXPECT_FALSE(proc.TestStruktCds("C:\\Data\\Model.Cds", "C:\\Data\\New1.Cds"));

    // A model of 4 bytes or less makes nothing.
    t.write("C:\\Data\\Tiny.Cds", "abcd");
    proc.MakeTableT("C:\\Data\\Tiny.Cds", "C:\\Data\\New2.Cds", 0);
    EXPECT_FALSE(t.exists("C:\\Data\\New2.Cds"));

    EXPECT_EQ(proc.TabNumRec("C:\\Data\\Model.Cds"), 1);
    EXPECT_EQ(proc.TabNumRec("C:\\Data\\None.Cds"), 0);
    proc.TestOpenCds("C:\\Data\\Model.Cds");
    EXPECT_EQ(proc.TableRecCount("C:\\Data\\Model.Cds"), 0);
    EXPECT_EQ(load("C:\\Data\\Model.Cds").fieldCount(), 2);
}

TEST_F(TCdsProcTest, CdsDefDescribesATableAndCdsXmlConvertsBothWays) {
    CdsTable table;
    proc.MakeTable(table);
    proc.OpenTableW(table);
    table.data.appendTexts({"00012", "Sroub M8", "012", "         12,50", "pozn"});
    table.close(*t);
    t->cds.DefFile = "C:\\Data\\Derived.Def";
    ASSERT_TRUE(proc.CdsDef());
    ASSERT_TRUE(ReadDef(*t, "C:\\Data\\Derived.Def"));
    ASSERT_EQ(t->def.fieldCount(), 5);
    EXPECT_EQ(t->def.field(1).type, "LN");
    EXPECT_EQ(t->def.field(2).type, "PM");
    EXPECT_EQ(t->def.field(4).type, "N2");
    EXPECT_EQ(t->def.field(5).type, "ME");
    EXPECT_EQ(t->def.field(2).fieldName, "Nazev");

    ASSERT_TRUE(proc.CdsXml("C:\\Data\\Test.Cds", 1));
    const std::string xml = t.read("C:\\Data\\Test.Xml");
    EXPECT_NE(xml.find("encoding=\"UTF-8\""), std::string::npos);
    std::filesystem::remove(t.path("C:\\Data\\Test.Cds"));
    ASSERT_TRUE(proc.CdsXml("C:\\Data\\Test.Xml", 2));
    Table back = load("C:\\Data\\Test.Cds");
    ASSERT_EQ(back.recordCount(), 1u);
    EXPECT_EQ(back.text(0, 1), "Sroub M8");
}
