#include "codebooks/UCdsCIS.h"

#include "codebooks/CodebookTestUtil.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::kCodebook;
using Kind = ScriptedDialogs::Kind;

namespace {

class CodebookLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        ASSERT_TRUE(test::writeCodebook(
            t, kCodebook, {{"Kod", 4}, {"Nazev", 10}},
            {{"10", "Plech"}, {"11", "Drat"}, {"123", "Sroub"}, {"20", "Matice"}}));
        t->cis.CisFileName = kCodebook;
        t->cis.setFirstKeys(1);
    }

    void lookUp(const std::string& value) {
        t->cis.clearValues();
        t->cis.CisValues[0] = value;
        TestEx(*t);
    }

    test::TestSession t;
};

} // namespace

TEST_F(CodebookLookupTest, TestExFindsOnlyWholeKeys) {
    struct Case {
        std::string value;
        char chosen;
        std::string name;    // second value of the row found
        std::string warning; // text of the warning, empty for none
    };
    const Case cases[] = {
        {"11", 'A', "Drat", ""},
        {"11  ", 'A', "Drat", ""},                  // trailing blanks do not count
        {"12", 'N', "", "12-Udaj nebyl nalezen !"}, // only the start of the key 123
        {"123", 'A', "Sroub", ""},
        {"99", 'N', "", "99-Udaj nebyl nalezen !"}, // after every key
        {"05", 'N', "", "05-Udaj nebyl nalezen !"}, // before every key
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("value \"" + c.value + "\"");
        t.dialogs.clear();
        lookUp(c.value);
        EXPECT_EQ(t->cis.CisChosen, c.chosen);
        EXPECT_EQ(t->cis.CisValues[1].substr(0, c.name.size()), c.name);
        if (c.chosen == 'N') {
            EXPECT_TRUE(t->cis.CisValues[0].empty());
        }
        if (c.warning.empty()) {
            EXPECT_TRUE(t.dialogs.boxes.empty());
        } else {
            ASSERT_EQ(t.dialogs.boxes.size(), 1u);
            EXPECT_EQ(t.dialogs.boxes[0].kind, Kind::Warning);
            EXPECT_EQ(t.dialogs.boxes[0].text, c.warning);
            EXPECT_EQ(t.dialogs.boxes[0].title, std::string("Ciselnik: ") + kCodebook);
        }
    }
}

TEST_F(CodebookLookupTest, TestExWithTwoKeyColumnsAndOnEmptyOrMissingCodebooks) {
    const std::string ucto = "C:\\Cisel\\26Ucto.Cds";
    ASSERT_TRUE(
        test::writeCodebook(t, ucto, {{"DP", 2}, {"Sk", 3}, {"Konto", 6}},
                            {{"10", "A", "112100"}, {"10", "B", "112200"}, {"50", "A", "501000"}}));
    t->cis.CisFileName = ucto;
    t->cis.setFirstKeys(2);
    t->cis.CisValues[0] = "10";
    t->cis.CisValues[1] = "B";
    TestEx(*t);
    EXPECT_EQ(t->cis.CisChosen, 'A');
    EXPECT_EQ(t->cis.CisValues[2], "112200");

    t->cis.CisValues[0] = "10";
    t->cis.CisValues[1] = "C";
    TestEx(*t);
    EXPECT_EQ(t->cis.CisChosen, 'N');
    EXPECT_EQ(t.dialogs.boxes.back().text, "10+C-Udaj nebyl nalezen !");

    ASSERT_TRUE(test::writeCodebook(t, ucto, {{"DP", 2}, {"Sk", 3}}, {}));
    t->cis.CisValues[0] = "10";
    TestEx(*t);
    EXPECT_EQ(t->cis.CisChosen, 'N');
    EXPECT_TRUE(t.dialogs.saw("-Udaj nebyl nalezen !"));

    t.dialogs.clear();
    t->cis.CisFileName = "C:\\Cisel\\Chybi.Cds";
    t->cis.CisValues[0] = "10";
    TestEx(*t);
    EXPECT_EQ(t->cis.CisChosen, 'N');
    EXPECT_TRUE(t->cis.CisValues[0].empty());
    EXPECT_FALSE(t.dialogs.boxes.empty());
}

// The document's definition names codebooks per column: GCisel maps them, KCisel and the pick
// list find a column's codebook by its part (items follow the header's columns).
TEST_F(CodebookLookupTest, ColumnsOfTheDefinitionAndTheOptionalCodebook) {
    t->def.clear();
    t->def.fields.resize(5);
    t->def.field(1).jmSCis = "  C:\\Cisel\\Mater.Cds  ";
    t->def.field(3).jmSCis = "d:\\a_run\\Cisel\\MJ.Cds";
    t->def.field(4).jmSCis = "d:\\A_RUNX";
    t->def.field(5).jmSCis = "CdsCisVolitelny";
    t->def.headCount = 2;
    GCisel(*t);
    ASSERT_EQ(t->cis.CisColumnMap.size(), 4u);
    EXPECT_EQ(t->cis.CisColumnMap[0].file, kCodebook);
    EXPECT_EQ(t->cis.CisColumnMap[1].column, 3);
    EXPECT_EQ(t->cis.CisColumnMap[1].file, "C:\\a_run\\Cisel\\MJ.Cds");
    EXPECT_EQ(t->cis.CisColumnMap[2].file, "C:\\A_RUNX");

    // Header column 2 has no codebook; item column 1 is column 3.
    KCisel(*t, 1, 2);
    EXPECT_EQ(t->cis.CisHasCodebook, 'N');
    EXPECT_EQ(columnCodebook(*t, 2, 1), "C:\\a_run\\Cisel\\MJ.Cds");

    t->cis.CisValues[0] = "20";
    KCisel(*t, 1, 1);
    EXPECT_EQ(t->cis.CisHasCodebook, 'A');
    EXPECT_EQ(t->cis.CisChosen, 'A');
    EXPECT_EQ(t->cis.CisValues[1].substr(0, 6), "Matice");

    t.dialogs.clear();
    t->cis.CisValues[0] = "20";
    KCisel(*t, 2, 3);
    EXPECT_EQ(t->cis.CisHasCodebook, 'A');
    EXPECT_EQ(t->cis.CisChosen, 'N');
    EXPECT_TRUE(t->cis.CisValues[0].empty());
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, Kind::Warning);
    EXPECT_EQ(t.dialogs.boxes[0].text, kNoOptionalCodebook);

    t.dialogs.clear();
    EXPECT_FALSE(VCiselTarget(*t, 2, 3));
    EXPECT_EQ(t.dialogs.count(Kind::Information), 1);
    EXPECT_FALSE(VCiselTarget(*t, 1, 2));
    EXPECT_EQ(t->cis.CisChosen, 'N');
    EXPECT_TRUE(VCiselTarget(*t, 1, 1));
    EXPECT_EQ(t->cis.CisFileName, kCodebook);
}
