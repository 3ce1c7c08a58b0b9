#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "tables/library/CdsProcSlEx.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class ExtrCdsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        test::writeTable(t, "C:\\D\\In.Cds", {{"Druh", 3}, {"Kod", 6}, {"Sklad", 2}},
                         {{"P", "A100", "01"},
                          {"V", "B200", "01"},
                          {"P", "C300", "02"},
                          {"P", "AB", "02"},
                          {"V", "b9", "01"}});
    }

    Rows extract(const CdsProcSlEx& sl) {
        EXPECT_TRUE(proc.ExtrCds("C:\\D\\In.Cds", "C:\\D\\Out.Cds", sl));
        return test::rowsOf(t, "C:\\D\\Out.Cds");
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(ExtrCdsTest, KeepsRecordsWhoseFieldsBeginWithAnAcceptedValueOfEveryCondition) {
    CdsProcSlEx sl;
    ASSERT_TRUE(sl.add(2, {"A", "B"}));
    EXPECT_EQ(extract(sl), (Rows{{"P", "A100", "01"}, {"V", "B200", "01"}, {"P", "AB", "02"}}))
        << "prefixes, case and all";
    ASSERT_TRUE(sl.add(3, {"02"}));
    EXPECT_EQ(extract(sl), (Rows{{"P", "AB", "02"}}));
    Table out = test::loadTable(t, "C:\\D\\Out.Cds");
    EXPECT_EQ(test::fieldNames(out), (std::vector<std::string>{"Druh", "Kod", "Sklad"}));
    EXPECT_EQ(out.fields[1].size, 6);
}

TEST_F(ExtrCdsTest, EmptyValueMatchesAllAConditionWithoutValuesNothing) {
    CdsProcSlEx all;
    ASSERT_TRUE(all.add(1, {""}));
    EXPECT_EQ(extract(all).size(), 5u);
    CdsProcSlEx none;
    ASSERT_TRUE(none.add(1, {}));
    EXPECT_TRUE(extract(none).empty());
    CdsProcSlEx noConditions;
    EXPECT_EQ(extract(noConditions).size(), 5u);
}

TEST_F(ExtrCdsTest, FieldOutsideTheTableIsRefusedAndTenIsTheLimit) {
    CdsProcSlEx sl;
    ASSERT_TRUE(sl.add(4, {"x"}));
    EXPECT_FALSE(proc.ExtrCds("C:\\D\\In.Cds", "C:\\D\\Out.Cds", sl));
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 4 !"));
    EXPECT_FALSE(t.exists("C:\\D\\Out.Cds"));

    CdsProcSlEx full;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(full.add(1, {"P", "V"}));
    EXPECT_FALSE(full.add(1, {"P"}));
    EXPECT_FALSE(CdsProcSlEx().add(1, std::vector<std::string>(11, "x")));
    EXPECT_EQ(extract(full).size(), 5u);
}
