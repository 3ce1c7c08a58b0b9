#include "tables/library/TCdsProc.h"

#include "shell/Session.h"
#include "tables/SortTestUtil.h"

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;
using ts::Rows;

namespace {

const std::vector<DefLine> kLines = {{3, "Kod"}, {6, "Nazev"}, {8, "Mnoz", "N2"}};

class RedFTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        ts::makeWorkDirs(t);
        t.write("C:\\Def\\In.Def", ts::defOf(kLines));
        Table in = ts::tableOf(kLines, {{"1", "A", " 2,50"}, {"2", "", ""}});
        in.fields[2].name = " Mnoz "; // names are trimmed in the output
        in.setNull(1, 1);
        ts::saveTable(t, "C:\\Data\\In.Cds", in);
        CdsParams& c = t->cds;
        c.InFile = "C:\\Data\\In.Cds";
        c.InDef = "C:\\Def\\In.Def";
        c.OutFile = "C:\\Data\\Red.Cds";
        c.WorkDef = "C:\\Data\\Red.Def";
        c.KeyCount = 2;
        c.KeyFields[0] = 3;
        c.KeyFields[1] = 2;
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(RedFTest, KeepsTheListedFieldsInListOrderWithTheirValuesAsTheyAre) {
    ASSERT_TRUE(proc.RedF());
    Table out = ts::loadTable(t, "C:\\Data\\Red.Cds");
    EXPECT_EQ(ts::rowsOf(out), (Rows{{"Mnoz", "Nazev"}, {" 2,50", "A"}, {"", ""}}));
    EXPECT_EQ(out.fields[0].size, 8);
    EXPECT_TRUE(out.isNull(1, 1));
    EXPECT_EQ(t.read("C:\\Data\\Red.Def"),
              test::defLine(3, kLines[2]) + "\r\n" + test::defLine(2, kLines[1]) + "\r\n");
    EXPECT_FALSE(proc.Table1.active());
    EXPECT_FALSE(proc.Table2.active());
}

TEST_F(RedFTest, VirtLeavesTheResultOpenInMemory) {
    CdsTable in, out;
    in.fileName = "C:\\Data\\In.Cds";
    ASSERT_TRUE(proc.RedFVirt(in, out));
    EXPECT_FALSE(in.active());
    ASSERT_TRUE(out.active());
    EXPECT_TRUE(out.fileName.empty());
    EXPECT_EQ(ts::rowsOf(out.data), (Rows{{"Mnoz", "Nazev"}, {" 2,50", "A"}, {"", ""}}));
    EXPECT_FALSE(t.exists("C:\\Data\\Red.Cds"));
    EXPECT_TRUE(t.exists("C:\\Data\\Red.Def"));
}
