// The period tables: states as turnovers, turnovers as states, both joined, the current states
// by both routes, and the turnovers of a span of months.
#include "StockFixture.h"

#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "period/PeriodFiles.h"

#include <functional>
#include <random>

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::stock;

namespace {

class PeriodTables : public StockTest {
protected:
    std::string states() { return stateFileName(*ts); }       // D:\LSarW\Data\170401SarS.Cds
    std::string turnovers() { return turnoverFileName(*ts); } // D:\LSarW\Data\170501SarO.Cds
};

TEST_F(PeriodTables, CurrentStatesSumOpeningStatesReceiptsAndIssues) {
    writeStates(states(), {state("01", "112010000001", "Plech", "KG", 10, 100),
                           state("01", "112010000002", "Drat", "KG", 4, 40),
                           state("01", "112010000003", "Olej", "L", 5, 50)});
    writeTurnovers(turnovers(),
                   {turnover("110", "01", "112010000001", "Plech", "KG", 5, 60),
                    turnover("510", "01", "112010000001", "Plech", "KG", 3, 30),
                    // A different text or unit makes a state of its own.
                    turnover("110", "01", "112010000001", "Plech 2", "KG", 2, 20),
                    turnover("110", "01", "112010000001", "Plech", "T", 1, 10),
                    // Receipts and issues that cancel out leave no state.
                    turnover("120", "01", "112010000002", "Drat", "KG", 2, 20),
                    turnover("999", "01", "112010000002", "Drat", "KG", 6, 60),
                    // Nothing left but a value: kept, without a unit price.
                    turnover("550", "01", "112010000003", "Olej", "L", 5, 40),
                    // No opening state.
                    turnover("499", "02", "112010000004", "Tyc", "KG", 7, 14)});
    const std::vector<Row> expected = {
        {"17", "05", "01", "01", "01", "112010000001", "Plech", "112", "010", "10,83", "KG",
         "12,000", "130,00"},
        {"17", "05", "01", "01", "01", "112010000001", "Plech", "112", "010", "10,00", "T", "1,000",
         "10,00"},
        {"17", "05", "01", "01", "01", "112010000001", "Plech 2", "112", "010", "10,00", "KG",
         "2,000", "20,00"},
        {"17", "05", "01", "01", "01", "112010000003", "Olej", "112", "010", "", "L", "", "10,00"},
        {"17", "05", "01", "01", "02", "112010000004", "Tyc", "112", "010", "2,00", "KG", "7,000",
         "14,00"}};
    for (bool onePass : {true, false}) {
        SCOPED_TRACE(onePass ? "one pass" : "primitives");
        TSarProc proc(*ts);
        proc.onePassRoute = onePass;
        ASSERT_TRUE(proc.StNove(states(), work("Akt.Cds"), turnovers()));
        EXPECT_EQ(trimmed(work("Akt.Cds")), expected);
        const Records r = loadRecords(ts.path(work("Akt.Cds")));
        ASSERT_EQ(r.fields.size(), 13u);
        EXPECT_EQ(r.rows[0][11], "          12,000"); // width 16, 3 decimals
        EXPECT_EQ(r.rows[0][12], "         130,00");  // width 15, 2 decimals
        EXPECT_EQ(r.rows[0][9], "     10,83");        // width 10, 2 decimals
    }
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

TEST_F(PeriodTables, CurrentStatesFromWhicheverFilesExist) {
    TSarProc proc(*ts);
    // Neither: an empty state table.
    ASSERT_TRUE(proc.StNove(states(), work("Akt.Cds"), turnovers()));
    Records r = loadRecords(ts.path(work("Akt.Cds")));
    EXPECT_EQ(r.fields.size(), 13u);
    EXPECT_TRUE(r.rows.empty());
    // Only states: taken as they are, with their own period.
    writeStates(states(), {state("01", "112010000001", "Plech", "KG", 10, 100)});
    ASSERT_TRUE(proc.StNove(states(), work("Akt.Cds"), turnovers()));
    EXPECT_EQ(rows(work("Akt.Cds")), rows(states()));
    // Only turnovers: summed into states of the current period.
    ts.dialogs.clear();
    std::filesystem::remove(ts.path(states()));
    writeTurnovers(turnovers(), {turnover("110", "01", "112010000001", "Plech", "KG", 5, 60),
                                 turnover("510", "01", "112010000001", "Plech", "KG", 1, 12)});
    ASSERT_TRUE(proc.StNove(states(), work("Akt.Cds"), turnovers()));
    EXPECT_EQ(trimmed(work("Akt.Cds")),
              (std::vector<Row>{{"17", "05", "01", "01", "01", "112010000001", "Plech", "112",
                                 "010", "12,00", "KG", "4,000", "48,00"}}));
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

// Turnovers of several plants, units and materials, with texts longer than their field, control
// characters, blank quantities, issues of every kind and groups that cancel out.
void randomFixture(std::vector<Row>& states, std::vector<Row>& moves) {
    std::mt19937 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char* texts[] = {"Plech", "Plech ", "Drat\tmekky", "Velmi dlouhy nazev materialu pres 25",
                           "Olej", "\xC8" "erpadlo"};
    const char* types[] = {"100", "110", "499", "500", "510", "999", "A10", "5"};
    for (int i = 0; i < 400; ++i) {
        const std::string mat = "11" + std::to_string(2000000000 + pick(60));
        Row s = state(std::to_string(pick(3) + 1), mat, texts[pick(6)], pick(4) ? "KG" : "L",
                      pick(50), pick(5000) / 10.0);
        s[2] = "0" + std::to_string(pick(2) + 1);
        states.push_back(s);
    }
    for (int i = 0; i < 4500; ++i) {
        const std::string mat = "11" + std::to_string(2000000000 + pick(70));
        Row m = turnover(types[pick(8)], std::to_string(pick(3) + 1), mat, texts[pick(6)],
                         pick(4) ? "KG" : "L", pick(30) + pick(1000) / 1000.0, pick(9000) / 100.0);
        m[2] = "0" + std::to_string(pick(2) + 1);
        m[3] = "0" + std::to_string(pick(2) + 1);
        if (pick(20) == 0) m[23] = "";
        if (pick(30) == 0) m[24] = "";
        moves.push_back(m);
    }
}

TEST_F(PeriodTables, OnePassRouteWritesTheSameFilesAsThePrimitives) {
    std::vector<Row> st, moves;
    randomFixture(st, moves);
    writeStates(states(), st);
    // The turnover file holds its material texts in a wider field than the definition's.
    ts->cds.DefFile = turnoverDefName(*ts);
    CdsTable wide;
    ts->cdsProc().MakeTableVirt(wide);
    wide.data.fields[15].size = 40;
    for (const Row& m : moves) wide.data.appendTexts(m);
    ASSERT_TRUE(wide.saveToFile(*ts, turnovers()));

    const std::string joined = work("Joined.Cds");
    ASSERT_TRUE(TSarProc(*ts).StObSpoj(states(), joined, turnovers()));
    struct Case {
        const char* name;
        std::function<bool(TSarProc&, const std::string&)> run;
    };
    const Case cases[] = {
        {"StNove", [&](TSarProc& p, const std::string& out) {
             return p.StNove(states(), out, turnovers());
         }},
        {"ObSt", [&](TSarProc& p, const std::string& out) { return p.ObSt(turnovers(), out); }},
        {"ObSt joined", [&](TSarProc& p, const std::string& out) { return p.ObSt(joined, out); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string files[2], defs[2];
        for (int onePass = 0; onePass < 2; ++onePass) {
            TSarProc proc(*ts);
            proc.onePassRoute = onePass == 1;
            const std::string out = work(onePass ? "OnePass.Cds" : "Primitives.Cds");
            deleteFile(*ts, kSarWorkDef);
            deleteFile(*ts, kSarObSt3);
            ASSERT_TRUE(c.run(proc, out));
            // Only the route through the primitives leaves the summation's work file.
            EXPECT_EQ(ts.exists(kSarObSt3), onePass == 0);
            files[onePass] = ts.read(out);
            defs[onePass] = ts.read(kSarWorkDef);
        }
        EXPECT_GT(loadRecords(ts.path(work("OnePass.Cds"))).rows.size(), 300u);
        EXPECT_TRUE(files[0] == files[1]);
        EXPECT_EQ(defs[0], defs[1]);
    }
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

TEST_F(PeriodTables, StatesAsTurnoversInDocumentsOf500Items) {
    std::vector<Row> st;
    for (int i = 0; i < 1201; ++i)
        st.push_back(state("03", "11201" + zeroPadInt(i, 7), "Plech", "KG", i + 1, 10));
    writeStates(states(), st);
    ASSERT_TRUE(TSarProc(*ts).StOb(states(), work("StOb.Cds"), "Poc.stav"));
    const std::vector<Row> out = rows(work("StOb.Cds"));
    ASSERT_EQ(out.size(), 1201u);
    const std::pair<std::size_t, Row> checks[] = {
        {0, {"00001", "0001"}},   {499, {"00001", "0500"}}, {500, {"00002", "0001"}},
        {999, {"00002", "0500"}}, {1000, {"00003", "0001"}}, {1200, {"00003", "0201"}}};
    for (const auto& [i, docItem] : checks) EXPECT_EQ((Row{out[i][5], out[i][13]}), docItem) << i;
    const Row& r = out[1200];
    const Row& s = st[1200];
    EXPECT_EQ(r, (Row{"17", "04", "01", "01", "03", "00003", "100", "01", "01", "03", "Poc.stav",
                      "20.05.2017", "", "0201", s[5], "Plech", "112", "010", "", "", "", s[9], "KG",
                      s[11], s[12], ""}));
}

TEST_F(PeriodTables, JoinedStatesAndTurnovers) {
    TSarProc proc(*ts);
    const std::string out = work("Spoj.Cds");
    ASSERT_TRUE(proc.StObSpoj(states(), out, turnovers()));
    EXPECT_EQ(loadRecords(ts.path(out)).fields.size(), 26u);
    EXPECT_TRUE(rows(out).empty());

    const std::vector<Row> moves = {turnover("110", "01", "112010000001", "Plech", "KG", 5, 60),
                                    turnover("510", "01", "112010000001", "Plech", "KG", 3, 30)};
    writeTurnovers(turnovers(), moves);
    ASSERT_TRUE(proc.StObSpoj(states(), out, turnovers()));
    EXPECT_EQ(rows(out), moves);

    writeStates(states(), {state("01", "112010000009", "Drat", "KG", 1, 2)});
    ASSERT_TRUE(proc.StObSpoj(states(), out, turnovers()));
    const std::vector<Row> joined = rows(out);
    ASSERT_EQ(joined.size(), 3u);
    EXPECT_EQ((Row{joined[0][6], joined[0][10], joined[0][14]}),
              (Row{"100", "Poc.stav", "112010000009"}));
    EXPECT_EQ(joined[1], moves[0]);
    EXPECT_EQ(joined[2], moves[1]);
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

TEST_F(PeriodTables, TurnoversOfASpanIncludeMonthsUpTo20) {
    for (const char* p : {"1610", "1611", "1613", "1620", "1701", "1702", "1703"})
        writeTurnovers(turnoverFileName(*ts, p),
                       {turnover("110", "01", "112010000001", "Plech", "KG", 1, 1, p)});
    ASSERT_TRUE(TSarProc(*ts).ObOdDo("1611", work("Span.Cds"), "1702"));
    std::vector<std::string> docs;
    for (const Row& r : rows(work("Span.Cds"))) docs.push_back(r[5]);
    EXPECT_EQ(docs, (std::vector<std::string>{"1611", "1613", "1620", "1701", "1702"}));
}

} // namespace
