// The regleta: initial state rows, turnovers and current state rows sorted per unit and
// material, the state label where the sum filter reads it, and the screen's levels.
#include "reports/USarReg.h"

#include "reports/ReportsFixture.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"

using namespace sarw;
using namespace sarw::test;

namespace {

class Regleta : public ReportsFixture {
protected:
    static Row row(const char* plant, const char* material, const char* label) {
        return turnover({.plant = plant, .material = material, .other = {{11, label}}});
    }
};

TEST_F(Regleta, RowsOfAMaterialKeepInitialTurnoversCurrentOrderWithLabelInColumnTwelve) {
    struct Case {
        OrgLevel level;
        std::vector<std::string> order; // column 1 (plant or material) and the label column
    };
    const std::vector<Case> cases = {
        {OrgLevel::Zavod,
         {"01 Poc.stav", "01 Prijem", "01 Akt.stav", "02 Poc.stav", "02 Akt.stav"}},
        {OrgLevel::Podnik,
         {"050000000001 Poc.stav", "050000000001 Akt.stav", "100000000001 Poc.stav",
          "100000000001 Prijem", "100000000001 Akt.stav"}},
    };
    for (const Case& c : cases) {
        writeTurnovers(kRepWork1,
                       {row("01", "100000000001", "Poc.stav"),
                        row("02", "050000000001", "Poc.stav"), row("01", "100000000001", "Prijem"),
                        row("01", "100000000001", "Akt.stav"),
                        row("02", "050000000001", "Akt.stav")});
        ASSERT_TRUE(regReduceAndSort(*ts, c.level));
        Records r = loadRecords(ts.path(kRepWork));
        ASSERT_EQ(r.fields.size(), 24u);
        std::vector<std::string> order;
        for (const Row& x : r.rows) order.push_back(x[0] + " " + trimRight(x[kRegLabelColumn - 1]));
        EXPECT_EQ(order, c.order);
    }
    // Zavod: plant, material key, management unit, cost centre, then the document fields.
    Records r = loadRecords(ts.path(kRepWork));
    std::vector<std::string> names;
    for (int i = 0; i < 7; ++i) names.push_back(r.fields[static_cast<std::size_t>(i)].name);
    EXPECT_EQ(names, (std::vector<std::string>{"Material", "Nazev materialu", "Predcisli", "Zavod",
                                               "Sprava", "Stredisko", "Cislo dokladu"}));
}

TEST_F(Regleta, ScreenSumsCurrentStatesWithPageBreaksPerUnit) {
    regWindowOpened(*ts);
    EXPECT_EQ(ts->scr.sumFilterText, "Akt.stav");
    struct Case {
        OrgLevel level;
        int n;
    };
    for (const Case& c : {Case{OrgLevel::Podnik, 0}, Case{OrgLevel::Sprava, 2}}) {
        regScreenParams(*ts, c.level, "T");
        const CdsScrParams& p = ts->scr;
        for (int lv = 1; lv <= c.n; ++lv) EXPECT_TRUE(p.Sum[lv] && p.Str[lv]);
        EXPECT_TRUE(p.Rad[c.n + 2]);
        EXPECT_EQ(p.deepestLevel(), c.n + 2);
        EXPECT_EQ(p.sumFilterField, kRegLabelColumn);
        EXPECT_EQ(p.sumFilterText, "Akt.stav");
    }
    regWindowClosed(*ts);
    EXPECT_EQ(ts->scr.sumFilterField, 0);
    EXPECT_TRUE(ts->scr.sumFilterText.empty());
    EXPECT_EQ(regTitle(OrgLevel::Stredisko, "26 02"), "Regleta podle stredisek v obdobi 26 02");
}

} // namespace

namespace {

TEST_F(Regleta, ProvedJoinsStatesAndTurnoversAndSumsOnlyCurrentStates) {
    writeSmallStock();
    regWindowOpened(*ts);
    const std::string title = RegProved(*ts, OrgLevel::Zavod);
    EXPECT_EQ(title, "Regleta podle zavodu v obdobi 26 02");
    std::vector<std::string> got;
    for (const Row& r : rows(kRepWork)) // plant, label, quantity
        got.push_back(r[0] + " " + trimRight(r[kRegLabelColumn - 1]) + " " + trimLeft(r[21]));
    EXPECT_EQ(got, (std::vector<std::string>{"01 Poc.stav 10,000", "01 Prijemka 5,000",
                                             "01 Vydejka 3,000", "01 Akt.stav 12,000",
                                             "02 Poc.stav 4,000", "02 Akt.stav 4,000"}));

    regScreenParams(*ts, OrgLevel::Zavod, title);
    const std::string report = sestavaI(*ts);
    ASSERT_FALSE(report.empty());
    std::string total;
    for (const std::string& line : textLines(ts.path(report)))
        if (line.rfind("Celkem", 0) == 0) total = line;
    // 12 + 4 current state units worth 130 + 8; every row together would give 38.
    EXPECT_NE(total.find(" 16,000 "), std::string::npos) << total;
    EXPECT_NE(total.find(" 138,00"), std::string::npos) << total;
    regWindowClosed(*ts);
}

} // namespace
