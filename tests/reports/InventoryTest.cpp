// The inventory list: the reduced current states sorted with the grouping units (and the material
// group) first, and the table screen's levels and texts for viewing and printing.
#include "reports/USarInv.h"

#include "reports/ReportsFixture.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"

using namespace sarw;
using namespace sarw::test;

namespace {

class Inventory : public ReportsFixture {
protected:
    // Four states of different units, materials and groups, as the current states.
    void writeCurrentStates() {
        auto st = [](const char* p, const char* u, const char* c, const char* mat,
                     const char* group) {
            Row r = state(p, u, c, mat, quantityText(2), valueText(20));
            r[1] = "02";
            r[8] = group;
            return r;
        };
        writeStates(kSarWork1, {st("02", "01", "01", "300000000001", "020"),
                                st("01", "02", "01", "100000000001", "030"),
                                st("01", "01", "02", "200000000001", "010"),
                                st("01", "01", "01", "200000000001", "010")});
    }
    // "plant/unit/centre group material" of every row of the sorted list, read by field name.
    std::vector<std::string> order() {
        Records r = loadRecords(ts.path(kSarWork));
        std::vector<int> at;
        for (const char* name : {"Zavod", "Sprava", "Stredisko", "Skupina", "Material"}) {
            int i = 0;
            while (i < static_cast<int>(r.fields.size()) && r.fields[i].name != name) ++i;
            at.push_back(i);
        }
        std::vector<std::string> out;
        for (const Row& row : r.rows) {
            auto f = [&](int k) { return row.at(static_cast<std::size_t>(at[k])); };
            out.push_back(f(0) + "/" + f(1) + "/" + f(2) + " " + f(3) + " " + f(4).substr(0, 3));
        }
        return out;
    }
};

TEST_F(Inventory, ListIsSortedByTheChosenUnitsThenGroupThenMaterial) {
    struct Case {
        OrgLevel level;
        bool groups;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {OrgLevel::Podnik,
         false,
         {"01/02/01 030 100", "01/01/01 010 200", "01/01/02 010 200", "02/01/01 020 300"}},
        {OrgLevel::Podnik,
         true,
         {"01/01/01 010 200", "01/01/02 010 200", "02/01/01 020 300", "01/02/01 030 100"}},
        {OrgLevel::Zavod,
         false,
         {"01/02/01 030 100", "01/01/01 010 200", "01/01/02 010 200", "02/01/01 020 300"}},
        {OrgLevel::Sprava,
         true,
         {"01/01/01 010 200", "01/01/02 010 200", "01/02/01 030 100", "02/01/01 020 300"}},
        {OrgLevel::Stredisko,
         true,
         {"01/01/01 010 200", "01/01/02 010 200", "01/02/01 030 100", "02/01/01 020 300"}},
    };
    for (const Case& c : cases) {
        writeCurrentStates();
        ASSERT_TRUE(invReduceAndSort(*ts, c.level, c.groups));
        EXPECT_EQ(order(), c.order) << unitCount(c.level) << c.groups;
    }
}

TEST_F(Inventory, ReducedListHasStateFieldsThreeToThirteenWithSortFieldsFirst) {
    writeCurrentStates();
    ASSERT_TRUE(invReduceAndSort(*ts, OrgLevel::Stredisko, true));
    Records r = loadRecords(ts.path(kSarWork));
    ASSERT_EQ(r.fields.size(), 11u);
    // Plant, unit, centre, group, then material number, text, prefix, then price, unit, amounts,
    // each text at its field's width.
    EXPECT_EQ(r.rows[0], (Row{"01", "01", "01", "010", "200000000001", padRight("Plech", 25), "200",
                              std::string(10, ' '), "KG ", quantityText(2), valueText(20)}));
    EXPECT_TRUE(ts.exists(kSarWorkDef));
    EXPECT_TRUE(ts.exists(kSarWork1Def));
}

TEST_F(Inventory, ScreenLevelsAndTextsByChoice) {
    struct Case {
        OrgLevel level;
        bool groups, print;
        int deepest;     // deepest level with a flag
        int pagedLevels; // levels 1..n with Sum and Str
    };
    for (const Case& c :
         {Case{OrgLevel::Podnik, false, true, 0, 0}, Case{OrgLevel::Podnik, true, true, 1, 0},
          Case{OrgLevel::Zavod, true, false, 1, 1}, Case{OrgLevel::Stredisko, true, true, 4, 3}}) {
        invScreenParams(*ts, c.level, c.groups, c.print, "T");
        const CdsScrParams& p = ts->scr;
        EXPECT_EQ(p.deepestLevel(), c.deepest);
        for (int lv = 1; lv <= c.pagedLevels; ++lv) EXPECT_TRUE(p.Sum[lv] && p.Str[lv]) << lv;
        if (c.groups && c.print) { // the material group: a subtotal without a new page
            EXPECT_TRUE(p.Sum[c.deepest] && !p.Str[c.deepest]);
        }
        EXPECT_EQ(p.upperText.empty(), !c.print);
        EXPECT_EQ(p.heading1, "SarW");
        invScreenClosed(*ts);
        EXPECT_EQ(ts->scr.deepestLevel(), 0);
        EXPECT_TRUE(ts->scr.rightText.empty());
    }
    invScreenParams(*ts, OrgLevel::Zavod, false, true, "T");
    EXPECT_EQ(ts->scr.rightText, "D:\\LSarW\\DefSoub\\InvR.Def");
    EXPECT_EQ(invTitle(OrgLevel::Sprava, "26 02"), "Inventurni soupis podle sprav v obdobi 26 02");
}

} // namespace

namespace {

TEST_F(Inventory, ProvedListsTheCurrentStatesOfThePeriod) {
    writeSmallStock();
    EXPECT_EQ(InvProved(*ts, OrgLevel::Zavod, false),
              "Inventurni soupis podle zavodu v obdobi 26 02");
    const std::vector<Row> r = rows(kSarWork);
    ASSERT_EQ(r.size(), 2u);
    // 10 + 5 - 3 = 12 KG worth 100 + 60 - 30 = 130, unit price 130 / 12.
    EXPECT_EQ(r[0][0] + r[0][1], "01112010000001");
    EXPECT_EQ(r[0][7], "     10,83");
    EXPECT_EQ(r[0][9], quantityText(12));
    EXPECT_EQ(r[0][10], valueText(130));
    EXPECT_EQ(r[1][0] + r[1][1] + r[1][9], "02200000000001" + quantityText(4));
    EXPECT_EQ(ts.dialogs.progressShows, ts.dialogs.progressCloses);

    // The printed list: a page per plant with the inventory texts of the installation.
    invScreenParams(*ts, OrgLevel::Zavod, false, true, "Inventurni soupis");
    const std::string report = sestavaI(*ts);
    ASSERT_FALSE(report.empty());
    const std::string text = ts.read(report);
    EXPECT_NE(text.find("Inventurni soupis"), std::string::npos);
    EXPECT_NE(text.find("Inventariza"), std::string::npos); // upper text InvP.Def
    EXPECT_NE(text.find("Skute"), std::string::npos);       // right text InvR.Def
}

} // namespace
