// The stock cards: the unit combinations, the selection by unit and material prefix, the sort
// by unit, material and movement order, and the subtotal level.
#include "reports/USarSklK.h"

#include "reports/ReportsFixture.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"

using namespace sarw;
using namespace sarw::test;

namespace {

using StockCards = ReportsFixture;

TEST_F(StockCards, UnitsMustFormAPrefixOfTheHierarchy) {
    struct Case {
        const char *plant, *unit, *centre;
        int count;
    };
    for (const Case& c : {Case{"", "", "", 0}, Case{"01", "", "", 1}, Case{"01", "02", " ", 2},
                          Case{"01", "02", "03", 3}, Case{"  ", "02", "", -1},
                          Case{"01", "", "03", -1}, Case{"", "", "03", -1}}) {
        CardSelection sel;
        sel.plant = c.plant;
        sel.unit = c.unit;
        sel.centre = c.centre;
        EXPECT_EQ(cardUnitCount(sel), c.count) << c.plant << "|" << c.unit << "|" << c.centre;
    }
    CardSelection wrong;
    wrong.unit = "02";
    EXPECT_EQ(checkCardUnits(*ts, wrong), -1);
    EXPECT_TRUE(ts.dialogs.saw("Chybne zadane organizacni jednotky !"));
}

TEST_F(StockCards, PlantAndMaterialPrefixSelectAndSortByUnitMaterialAndMovementOrder) {
    auto t = [](const char* plant, const char* unit, const char* material, const char* month,
                const char* date, const char* movement) {
        return turnover({.plant = plant,
                         .unit = unit,
                         .movement = movement,
                         .material = material,
                         .other = {{2, month}, {12, date}}});
    };
    writeTurnovers(kSarWork2, {t("01", "02", "120000000001", "01", "20.01.2026", "100"),
                               t("02", "01", "120000000001", "02", "03.02.2026", "100"),
                               t("01", "01", "130000000001", "02", "03.02.2026", "100"),
                               t("01", "01", "121000000000", "02", "01.02.2026", "510"),
                               t("01", "01", "120000000001", "02", "03.02.2026", "510"),
                               t("01", "01", "120000000001", "02", "03.02.2026", "100")});
    CardSelection sel;
    sel.plant = "01";
    sel.material = "12";
    ASSERT_TRUE(cardSelectAndSort(*ts, sel, 1));
    std::vector<std::string> got;
    // Plant, material, measure unit (at its width), management unit, period, date, movement type.
    for (const Row& r : rows(kSarWork))
        got.push_back(r[0] + " " + r[1] + " " + r[3] + " " + r[4] + " " + r[6] + r[7] + " " + r[8] +
                      " " + r[9]);
    EXPECT_EQ(got, (std::vector<std::string>{
                       "01 120000000001 KG  01 2602 03.02.2026 100",
                       "01 120000000001 KG  01 2602 03.02.2026 510",
                       "01 120000000001 KG  02 2601 20.01.2026 100",
                       "01 121000000000 KG  01 2602 01.02.2026 510",
                   }));

    cardScreenParams(*ts, 1);
    EXPECT_TRUE(ts->scr.Sum[4]);
    EXPECT_EQ(ts->scr.deepestLevel(), 4);
    EXPECT_EQ(ts->scr.heading2, "Skladove karty");
}

TEST_F(StockCards, DefaultsTakeTheCurrentPeriodAndConfiguredUnits) {
    const CardSelection sel = cardDefaults(*ts);
    EXPECT_EQ(sel.from, "0000");
    EXPECT_EQ(sel.to, "2602");
    EXPECT_EQ(sel.plant + sel.unit + sel.centre, "010301");
    EXPECT_EQ(sel.material, "");
}

} // namespace

namespace {

TEST_F(StockCards, ProvedTakesTheUnitsTurnoversWithIssuesNegative) {
    writeSmallStock();
    CardSelection sel = cardDefaults(*ts);
    sel.from = "26 02"; // the demo's January stays out
    sel.plant = "0 1";
    sel.unit = sel.centre = "";
    sel.material = " 112";
    ASSERT_TRUE(SklKProved(*ts, sel));
    EXPECT_EQ(sel.from + "|" + sel.plant + "|" + sel.material, "2602|01|112");
    std::vector<std::string> got;
    for (const Row& r : rows(kSarWork)) got.push_back(r[9] + " " + trimLeft(r[23]));
    EXPECT_EQ(got, (std::vector<std::string>{"110 5,000", "510 -3,000"}));
    EXPECT_EQ(ts.dialogs.progressShows, ts.dialogs.progressCloses);

    // A wrong combination of units changes nothing.
    const std::string before = ts.read(kSarWork);
    sel.plant = "";
    sel.unit = "03";
    EXPECT_FALSE(SklKProved(*ts, sel));
    EXPECT_TRUE(ts.dialogs.saw("Chybne zadane organizacni jednotky !"));
    EXPECT_EQ(ts.read(kSarWork), before);

    // The pick list replaces the cards by the turnovers summed per material.
    ASSERT_EQ(cardPickList(*ts, sel), kSarWork);
    const Records pick = loadRecords(ts.path(kSarWork));
    ASSERT_EQ(pick.rows.size(), 1u);
    EXPECT_EQ(trimLeft(pick.rows[0][3]) + " " + trimLeft(pick.rows[0][4]), "2,000 30,00");
    CdsTable t;
    t.fileName = kSarWork;
    ASSERT_TRUE(t.open(*ts));
    EXPECT_EQ(cardPickedMaterial(t.data, 0), "112010000001");
}

} // namespace
