// The regleta: initial state rows, turnovers and current state rows sorted per unit and
// material, the state label where the sum filter reads it, and the screen's levels.
#include "reports/USarReg.h"

#include "reports/ReportsFixture.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

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
        writeTurnovers(kSarWork1,
                       {row("01", "100000000001", "Poc.stav"),
                        row("02", "050000000001", "Poc.stav"), row("01", "100000000001", "Prijem"),
                        row("01", "100000000001", "Akt.stav"),
                        row("02", "050000000001", "Akt.stav")});
        ASSERT_TRUE(regReduceAndSort(*ts, c.level));
        Records r = loadRecords(ts.path(kSarWork));
        ASSERT_EQ(r.fields.size(), 24u);
        std::vector<std::string> order;
        for (const Row& x : r.rows) order.push_back(x[0] + " " + trimRight(x[kRegLabelColumn - 1]));
        EXPECT_EQ(order, c.order);
    }
    // Zavod: plant, material key, management unit, cost centre, then the document fields.
    Records r = loadRecords(ts.path(kSarWork));
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
    for (const Row& r : rows(kSarWork)) // plant, label, quantity
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

namespace {

// "Proved" builds its work files in memory; they must be what appending the files one to
// another and reducing and sorting the joined file give, whatever layout the turnover file has.
TEST_F(Regleta, ProvedWritesWhatTheFileByFileStepsWrite) {
    const std::string states = data("260101SarS.Cds"), turnovers = data("260201SarO.Cds");
    std::vector<Row> st, moves;
    for (int i = 0; i < 40; ++i) {
        const std::string plant = i % 3 ? "01" : "02";
        const std::string material = "1120100000" + zeroPadInt(i % 13, 2);
        st.push_back(state(plant, zeroPadInt(i % 2, 2), "01", material, quantityText(i + 1),
                           valueText(10.5 * (i + 1))));
        moves.push_back(turnover({.plant = plant,
                                  .unit = zeroPadInt(i % 2, 2),
                                  .document = zeroPadInt(100 + i / 4, 5),
                                  .movement = i % 4 == 1 ? "510" : "110",
                                  .material = "1120100000" + zeroPadInt(i % 17, 2),
                                  .quantity = quantityText(i % 5 + 1),
                                  .value = valueText(3.25 * (i % 7 + 1)),
                                  .other = {{11, i % 4 == 1 ? "Vydejka" : "Prijemka"}}}));
    }
    writeStates(states, st);
    const char* const files[] = {kSarWork, kSarWorkDef, kSarWork1, kSarWork1Def, kSarWork2};
    for (const int materialTextWidth : {0, 40}) {
        SCOPED_TRACE(materialTextWidth);
        if (materialTextWidth == 0) {
            writeTurnovers(turnovers, moves);
        } else {
            // A turnover file whose material text is wider than the definition's.
            ts->cds.DefFile = turnoverDefName(*ts);
            CdsTable wide;
            ts->cdsProc().MakeTableVirt(wide);
            wide.data.fields[15].size = materialTextWidth;
            for (const Row& m : moves) wide.data.appendTexts(m);
            ASSERT_TRUE(wide.saveToFile(*ts, turnovers));
        }
        regWindowOpened(*ts);
        ASSERT_FALSE(RegProved(*ts, OrgLevel::Sprava).empty());
        std::vector<std::string> proved;
        for (const char* f : files) proved.push_back(ts.read(f));

        emptyWorkDirs(*ts);
        TSarProc p(*ts);
        p.StOb(states, kSarWork1, kRegInitialLabel);
        ts->cdsProc().AppendCds(turnovers, kSarWork1);
        p.StNove(states, kSarWork2, turnovers);
        p.StOb(kSarWork2, kSarWork3, kRegCurrentLabel);
        ts->cdsProc().AppendCds(kSarWork3, kSarWork1);
        // The reduction leaves SarWork2 as the reduced table.
        ASSERT_TRUE(regReduceAndSort(*ts, OrgLevel::Sprava));
        for (std::size_t i = 0; i < std::size(files); ++i)
            EXPECT_TRUE(ts.read(files[i]) == proved[i]) << files[i];
        EXPECT_EQ(rows(kSarWork).size(), 40u + 40u + rows(kSarWork3).size());
    }
    EXPECT_TRUE(ts.dialogs.boxes.empty());
}

} // namespace
