#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::Rows;

namespace {

class CopyWorkTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        t.write("C:\\D\\T.Def", test::defText({{4, "Nazev"}, {3, "Kod"}, {8, "Mnoz", "N2"}}));
        test::writeTable(t, "C:\\D\\T.Cds", {{"Nazev", 4}, {"Kod", 3}, {"Mnoz", 8}},
                         {{"b1", "B", "    1,00"},
                          {"a1", "A", "    2,50"},
                          {"b2", "B", "   -3,00"},
                          {"a2", "A", "        "}});
        t->cds.KeyCount = 1;
        t->cds.KeyFields[0] = 2;
        t->cds.InFile = "C:\\Caller.Cds";
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

// The sort pads every value with blanks to its field's width.
TEST_F(CopyWorkTest, SortCdsSortsThroughTheWorkFilesKeyFirst) {
    ASSERT_TRUE(proc.SortCds("C:\\D\\T.Cds", "C:\\D\\T.Def", "C:\\D\\S.Cds"));
    Table s = test::loadTable(t, "C:\\D\\S.Cds");
    EXPECT_EQ(test::fieldNames(s), (std::vector<std::string>{"Kod", "Nazev", "Mnoz"}));
    EXPECT_EQ(test::rowsOf(s), (Rows{{"A  ", "a1  ", "    2,50"},
                                     {"A  ", "a2  ", "        "},
                                     {"B  ", "b1  ", "    1,00"},
                                     {"B  ", "b2  ", "   -3,00"}}));
    EXPECT_TRUE(t.exists("C:\\A_Run\\Work\\CdsProcWork1.Def"));
    EXPECT_EQ(t->cds.InFile, "C:\\Caller.Cds");
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\T.Cds")[0][0], "b1") << "the input stays";
}

TEST_F(CopyWorkTest, CopyJedIndKeepsTheFirstRecordOfEachKey) {
    ASSERT_TRUE(proc.CopyJedInd("C:\\D\\T.Cds", "C:\\D\\T.Def", "C:\\D\\U.Cds"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\U.Cds"),
              (Rows{{"A  ", "a1  ", "    2,50"}, {"B  ", "b1  ", "    1,00"}}));
    EXPECT_FALSE(proc.CopyJedInd("C:\\D\\None.Cds", "C:\\D\\T.Def", "C:\\D\\V.Cds"));
    EXPECT_FALSE(t.exists("C:\\D\\V.Cds"));
}

TEST_F(CopyWorkTest, ASumCdsAddsNumericFieldsRecordByRecord) {
    test::writeTable(t, "C:\\D\\Plus.Cds", {{"Nazev", 4}, {"Kod", 3}, {"Mnoz", 8}},
                     {{"x", "X", "    0,25"}, {"y", "Y", "   -2,50"}});
    ASSERT_TRUE(proc.ASumCds("C:\\D\\Plus.Cds", "C:\\D\\T.Cds", "C:\\D\\T.Def", "C:\\D\\Sum.Cds"));
    EXPECT_EQ(test::rowsOf(t, "C:\\D\\Sum.Cds"), (Rows{{"x", "X", "    1,25"},
                                                       {"y", "Y", "        "},
                                                       {"b2", "B", "   -3,00"},
                                                       {"a2", "A", "        "}}));
    test::writeTable(t, "C:\\D\\Other.Cds", {{"Nazev", 4}}, {{"z"}});
    EXPECT_FALSE(proc.ASumCds("C:\\D\\Other.Cds", "C:\\D\\T.Cds", "C:\\D\\T.Def", "C:\\D\\X.Cds"));
    EXPECT_TRUE(t.dialogs.saw("Pocet slov vety souboru se nerovna poctu slov vypoctenych"));
}
