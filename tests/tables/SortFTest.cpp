#include "tables/library/TCdsProc.h"

#include "shell/Session.h"
#include "tables/SortTestUtil.h"

#include <gtest/gtest.h>

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;
using ts::Rows;

namespace {

const std::vector<DefLine> kLines = {
    {3, "Kod", "PM"}, {6, "Nazev", "PM"}, {10, "Datum", "DT"}, {8, "Mnoz", "N2"}};

// Every percentage the gauge was set to.
class GaugeDialogs : public ScriptedDialogs {
public:
    std::vector<int> percents;
    void progress(int percent) override { percents.push_back(percent); }
};

class SortFTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        ts::makeWorkDirs(t);
        t.write("C:\\Def\\In.Def", ts::defOf(kLines));
        CdsParams& c = t->cds;
        c.InFile = "C:\\Data\\In.Cds";
        c.OutFile = "C:\\Data\\Out.Cds";
        c.InDef = "C:\\Def\\In.Def";
        c.WorkDef = "C:\\A_Run\\Work\\Out.Def";
    }

    void input(const Rows& rows) { ts::saveTable(t, t->cds.InFile, ts::tableOf(kLines, rows)); }
    void keys(std::vector<int> k) {
        t->cds.KeyCount = static_cast<int>(k.size());
        std::copy(k.begin(), k.end(), t->cds.KeyFields.begin());
    }
    // The given column of the output, one text per record.
    std::vector<std::string> column(int field) {
        Table out = ts::loadTable(t, t->cds.OutFile);
        std::vector<std::string> texts;
        for (size_t r = 0; r < out.recordCount(); ++r) texts.push_back(out.text(r, field));
        return texts;
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(SortFTest, KeyFieldsComeFirstValuesArePaddedAndEqualKeysKeepTheirOrder) {
    input({{"1", "B", "", "1,00"}, {"2", "A", "05.03.2017", "2,00"}, {"3", "B", "", ""}});
    keys({2});
    ASSERT_TRUE(proc.SortF(false));
    EXPECT_EQ(ts::rowsOf(ts::loadTable(t, t->cds.OutFile)),
              (Rows{{"Nazev", "Kod", "Datum", "Mnoz"},
                    {"A     ", "2  ", "05.03.2017", "2,00    "},
                    {"B     ", "1  ", "          ", "1,00    "},
                    {"B     ", "3  ", "          ", "        "}}));
    // The work definition: the key's line, then the others in field order.
    EXPECT_EQ(t.read(t->cds.WorkDef),
              test::defLine(2, kLines[1]) + "\r\n" + test::defLine(1, kLines[0]) + "\r\n" +
                  test::defLine(3, kLines[2]) + "\r\n" + test::defLine(4, kLines[3]) + "\r\n");
    EXPECT_TRUE(t.dialogs.boxes.empty());

    // Binary insertion puts the later equal keys in front, as the codebook editor sees them.
    input({{"1", "A"}, {"2", "C"}, {"3", "A"}, {"4", "A"}});
    t->cds.BlockMethod = 1;
    ASSERT_TRUE(proc.SortF(false));
    EXPECT_EQ(column(1), (std::vector<std::string>{"4  ", "3  ", "1  ", "2  "}));
}

TEST_F(SortFTest, DatesSortByYearMonthDayAndBlankKeysCanBeLeftOut) {
    input({{"1", "", "01.01.2017"},
           {"2", "", "31.12.2016"},
           {"3", "", ""},
           {"4", "", "xx"},
           {"5", "", "15.06.2016"}});
    keys({3});
    ASSERT_TRUE(proc.SortF(false));
    // Blank sorts first; a text that is no date counts as eight zeros.
    EXPECT_EQ(column(1), (std::vector<std::string>{"3  ", "4  ", "5  ", "2  ", "1  "}));
    ASSERT_TRUE(proc.SortF(true));
    EXPECT_EQ(column(1), (std::vector<std::string>{"4  ", "5  ", "2  ", "1  "}));

    keys({2, 3}); // a blank name and a date: only wholly blank keys go
    ASSERT_TRUE(proc.SortF(true));
    EXPECT_EQ(column(1).size(), 4u);
}

TEST_F(SortFTest, TextsCompareByTheirWindows1250Bytes) {
    input({{"1", "Zeta"},
           {"2", "\xC8"
                 "ap"},
           {"3", "Apa"},
           {"4", "ahoj"},
           {"5", "\xE8"
                 "ert"}});
    keys({2});
    ASSERT_TRUE(proc.SortF(false));
    EXPECT_EQ(column(1), (std::vector<std::string>{"3  ", "1  ", "4  ", "2  ", "5  "}));
}

TEST_F(SortFTest, OneRecordMovesItsKeysToTheFrontAndAnEmptyInputGivesTheLayout) {
    input({{"7", "Jedna", "01.02.2019", "3,50"}});
    keys({4, 2});
    ASSERT_TRUE(proc.SortF(false));
    EXPECT_EQ(ts::rowsOf(ts::loadTable(t, t->cds.OutFile)),
              (Rows{{"Mnoz", "Nazev", "Kod", "Datum"}, {"3,50", "Jedna", "7", "01.02.2019"}}));
    EXPECT_EQ(t->cds.DefFile, t->cds.WorkDef);

    input({});
    ASSERT_TRUE(proc.SortF(false));
    Table out = ts::loadTable(t, t->cds.OutFile);
    EXPECT_EQ(out.recordCount(), 0u);
    ASSERT_EQ(out.fieldCount(), 4);
    EXPECT_EQ(out.fields[0].name, "Mnoz");
    EXPECT_EQ(out.fields[0].size, 8);
    EXPECT_EQ(out.fields[3].name, "Datum");
}

TEST_F(SortFTest, GaugeStepsThroughItsPercentages) {
    GaugeDialogs dialogs;
    Session s(dialogs, Platform(t.root));
    s.retryDelayMs = 0;
    s.cds = t->cds;
    input({{"1", "B"}, {"2", "A"}});
    s.cds.KeyCount = 1;
    s.cds.KeyFields[0] = 2;
    ASSERT_TRUE(s.cdsProc().SortFG(false));
    EXPECT_EQ(dialogs.percents, (std::vector<int>{0, 5, 10, 20, 30, 80, 85, 95, 100}));
    dialogs.percents.clear();
    input({{"1", "B"}});
    ASSERT_TRUE(s.cdsProc().SortFG(false));
    EXPECT_EQ(dialogs.percents, (std::vector<int>{0, 5, 100}));
}

TEST_F(SortFTest, VirtSortsAnOpenTableIntoMemoryAndClosesTheInput) {
    input({{"1", "B"}, {"2", "A"}, {"3", "C"}});
    keys({2});
    CdsTable in, out;
    in.fileName = t->cds.InFile;
    ASSERT_TRUE(in.open(*t));
    ASSERT_TRUE(proc.SortFVirt(in, out, false));
    EXPECT_FALSE(in.active());
    EXPECT_FALSE(in.readOnly);
    EXPECT_EQ(in.data.fieldCount(), 4);
    ASSERT_TRUE(out.active());
    EXPECT_TRUE(out.fileName.empty());
    ASSERT_EQ(out.data.recordCount(), 3u);
    EXPECT_EQ(out.data.text(0, 1), "2  ");
    EXPECT_FALSE(t.exists(t->cds.OutFile));
    EXPECT_TRUE(t.exists(t->cds.WorkDef));

    // A table the caller opened for writing is sorted with its changes and, being closed,
    // keeps them in its file.
    in.readOnly = false;
    ASSERT_TRUE(in.open(*t));
    in.data.appendTexts({"4", "0"});
    ASSERT_TRUE(proc.SortFVirt(in, out, false));
    ASSERT_EQ(out.data.recordCount(), 4u);
    EXPECT_EQ(out.data.text(0, 1), "4  ");
    EXPECT_EQ(ts::loadTable(t, t->cds.InFile).recordCount(), 4u);
}

TEST_F(SortFTest, WithoutADefinitionTheSameOutputButDatesAreText) {
    input({{"1", "B", "31.12.2016"}, {"2", "A", "01.01.2017"}, {"3", "B", ""}, {"4", "A", "x"}});
    keys({2, 4, 1});
    ASSERT_TRUE(proc.SortF(false));
    const Table bySortF = ts::loadTable(t, t->cds.OutFile);
    std::filesystem::remove(t.path(t->cds.WorkDef));
    ASSERT_TRUE(proc.SortFND(false));
    EXPECT_EQ(ts::rowsOf(ts::loadTable(t, t->cds.OutFile)), ts::rowsOf(bySortF));
    EXPECT_FALSE(t.exists(t->cds.WorkDef));
    EXPECT_FALSE(proc.Table1.active());
    EXPECT_FALSE(proc.Table2.active());

    keys({3});
    ASSERT_TRUE(proc.SortFND(false));
    EXPECT_EQ(column(1), (std::vector<std::string>{"3  ", "2  ", "1  ", "4  "}));
}

TEST_F(SortFTest, FieldsOfOtherKindsSortByTheirTextAndKeepTheirValues) {
    Table in;
    for (auto [name, kind, size] :
         {std::tuple{"Cislo", FieldKind::Float, 8}, std::tuple{"Pocet", FieldKind::Int, 4},
          std::tuple{"Pozn", FieldKind::Memo, 4}}) {
        FieldInfo f;
        f.name = name;
        f.kind = kind;
        f.size = size;
        if (kind == FieldKind::Memo) f.subtype = "Text";
        in.fields.push_back(f);
    }
    in.appendTexts({"10.5", "123456", "dlouha poznamka"});
    in.appendTexts({"0.12345678901234567", "7", "kr"});
    ts::saveTable(t, t->cds.InFile, in);
    keys({1});
    ASSERT_TRUE(proc.SortFND(false));
    EXPECT_EQ(ts::rowsOf(ts::loadTable(t, t->cds.OutFile)),
              (Rows{{"Cislo", "Pocet", "Pozn"},
                    // A floating-point value comes back at 13 decimals; a memo is padded to
                    // its size but never cut, an integer keeps its value.
                    {"0.1234567890123", "7", "kr  "},
                    {"10.5", "123456", "dlouha poznamka"}}));
}
