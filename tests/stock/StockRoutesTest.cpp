// The fast routes of the period tables write the same files as the routes through tables in
// memory: states as turnovers, the current states of inputs larger than one run of records of
// the two-thread summation, and the turnovers of a span of months.
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

class StockRoutes : public StockTest {
protected:
    std::string states() { return stateFileName(*ts); }
    std::string turnovers() { return turnoverFileName(*ts); }

    // `count` turnovers of document `doc`, receipts and issues with texts of every kind, each ninth
    // with a null cell; `change` may alter a record's texts first.
    void writeRandomTurnovers(
        const std::string& name, std::mt19937& rng, int count, const std::string& doc,
        const std::function<void(int, Row&)>& change = [](int, Row&) {});

    // The output of `run` by both routes; fails the test unless both are written.
    std::pair<std::string, std::string>
    byBothRoutes(const std::function<bool(TSarProc&, const std::string&)>& run) {
        std::string files[2];
        for (int onePass = 0; onePass < 2; ++onePass) {
            TSarProc proc(*ts);
            proc.onePassRoute = onePass == 1;
            const std::string out = work(onePass ? "OnePass.Cds" : "Tables.Cds");
            EXPECT_TRUE(run(proc, out));
            files[onePass] = ts.read(out);
        }
        return {files[0], files[1]};
    }
};

const char* const kTexts[] = {"Plech",
                              "Plech ",
                              "Drat\tmekky",
                              "Velmi dlouhy nazev materialu pres 25 znaku",
                              "\xC8"
                              "erpadlo",
                              ""};

void StockRoutes::writeRandomTurnovers(const std::string& name, std::mt19937& rng, int count,
                                       const std::string& doc,
                                       const std::function<void(int, Row&)>& change) {
    ts->cds.DefFile = turnoverDefName(*ts);
    CdsTable t;
    ts->cdsProc().MakeTableVirt(t);
    for (int i = 0; i < count; ++i) {
        Row row = turnover(rng() % 2 ? "110" : "510", std::to_string(rng() % 3 + 1),
                           "11201" + zeroPadInt(i, 7), kTexts[rng() % 6], rng() % 2 ? "KG" : "",
                           rng() % 50, (rng() % 5000) / 10.0, doc);
        change(i, row);
        const std::size_t r = t.data.appendTexts(row);
        if (i % 9 == 0) t.data.setNull(r, static_cast<int>(rng() % 26));
    }
    ASSERT_TRUE(t.saveToFile(*ts, name));
}

TEST_F(StockRoutes, StatesAsTurnoversSameByBothRoutes) {
    // Over many documents, more than the writer puts into the file on one thread at a time, with
    // texts longer than their fields, controls, empty and null cells.
    std::mt19937 rng(3);
    ts->cds.DefFile = stateDefName(*ts);
    CdsTable st;
    ts->cdsProc().MakeTableVirt(st);
    for (int i = 0; i < 9000; ++i) {
        const std::size_t r = st.data.appendTexts(
            state(std::to_string(rng() % 3 + 1), "11201" + zeroPadInt(i, 7), kTexts[rng() % 6],
                  rng() % 2 ? "KG" : "", rng() % 50, (rng() % 5000) / 10.0));
        if (i % 7 == 0) st.data.setNull(r, static_cast<int>(rng() % 13));
    }
    ASSERT_TRUE(st.saveToFile(*ts, states()));
    const auto [tables, onePass] = byBothRoutes([&](TSarProc& p, const std::string& out) {
        return p.StOb(states(), out, kOpeningDocText);
    });
    EXPECT_EQ(loadRecords(ts.path(work("OnePass.Cds"))).rows.size(), 9000u);
    EXPECT_TRUE(tables == onePass);
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

TEST_F(StockRoutes, CurrentStatesOfManyRunsOfRecordsSameByBothRoutes) {
    // Far more records than one run of the summation, in groups spread over all of them, so that
    // every group is summed from several runs and by either thread.
    std::mt19937 rng(5);
    const char* const types[] = {"110", "510", "999", "100", "5"};
    std::vector<Row> st, moves;
    for (int i = 0; i < 2000; ++i)
        st.push_back(state(std::to_string(rng() % 3 + 1), "1120" + zeroPadInt(rng() % 500, 8),
                           kTexts[rng() % 5], "KG", (rng() % 5000) / 100.0,
                           (rng() % 90000) / 100.0));
    for (int i = 0; i < 30000; ++i) {
        Row m =
            turnover(types[rng() % 5], std::to_string(rng() % 3 + 1),
                     "1120" + zeroPadInt(rng() % 500, 8), kTexts[rng() % 5], rng() % 9 ? "KG" : "L",
                     (rng() % 30000) / 1000.0, (rng() % 900000) / 100.0);
        if (rng() % 50 == 0) m[24] = "";
        moves.push_back(m);
    }
    writeStates(states(), st);
    writeTurnovers(turnovers(), moves);
    // The same turnovers in a file that is read as a table, not as its stored bytes.
    const std::string xml = work("Obraty.xml");
    writeTurnovers(xml, moves);
    struct Case {
        const char* name;
        std::function<bool(TSarProc&, const std::string&)> run;
    };
    const Case cases[] = {
        {"StNove",
         [&](TSarProc& p, const std::string& out) { return p.StNove(states(), out, turnovers()); }},
        {"ObSt of a table", [&](TSarProc& p, const std::string& out) { return p.ObSt(xml, out); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [tables, onePass] = byBothRoutes(c.run);
        EXPECT_GT(loadRecords(ts.path(work("OnePass.Cds"))).rows.size(), 8192u);
        EXPECT_TRUE(tables == onePass);
    }
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

} // namespace

namespace {

TEST_F(StockRoutes, TurnoversOfASpanSameByBothRoutes) {
    // Months with nulls, long texts and controls, a month without a file and one whose file
    // holds no table; then a month of another layout, which leaves everything to the tables.
    std::mt19937 rng(7);
    for (const char* p : {"1611", "1612", "1701", "1702"})
        writeRandomTurnovers(turnoverFileName(*ts, p), rng, 700, p);
    ts.write(turnoverFileName(*ts, "1613"), "abc");
    auto span = [&](TSarProc& p, const std::string& out) { return p.ObOdDo("1611", out, "1702"); };
    const auto [tables, onePass] = byBothRoutes(span);
    EXPECT_EQ(loadRecords(ts.path(work("OnePass.Cds"))).rows.size(), 2800u);
    EXPECT_TRUE(tables == onePass);
    EXPECT_TRUE(ts.read(kSarObOdDo) == onePass);

    writeTable(turnoverFileName(*ts, "1612"), stateDefName(*ts),
               {state("01", "112010000009", "Drat", "KG", 1, 2)});
    const auto [tables2, onePass2] = byBothRoutes(span);
    EXPECT_EQ(loadRecords(ts.path(work("OnePass.Cds"))).rows.size(), 2101u);
    EXPECT_TRUE(tables2 == onePass2);
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

} // namespace

namespace {

TEST_F(StockRoutes, SignedTurnoversSameByBothRoutes) {
    // Receipts and issues, nulls (a null movement type too), numbers written otherwise than the
    // computations write them, texts longer than their fields, controls and empty texts.
    std::mt19937 rng(11);
    const char* const numbers[] = {"12,5", "-3", "   0,000", "abc", ""};
    writeRandomTurnovers(work("Span.Cds"), rng, 5000, "00007", [&](int i, Row& row) {
        if (i % 11 == 0) row[23] = numbers[rng() % 5];
        if (i % 13 == 0) row[24] = numbers[rng() % 5];
    });
    const auto [tables, onePass] = byBothRoutes(
        [&](TSarProc& p, const std::string& out) { return p.ObZmZn(work("Span.Cds"), out); });
    const Records signed_ = loadRecords(ts.path(work("OnePass.Cds")));
    ASSERT_EQ(signed_.rows.size(), 5000u);
    EXPECT_TRUE(tables == onePass);
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

} // namespace

namespace {

TEST_F(StockRoutes, CurrentStatesOfTurnoversInTheirOwnWorkFile) {
    // The computation's last work file given as its input: read before it is made again.
    writeStates(states(), {state("01", "112010000009", "Drat", "KG", 1, 2)});
    const std::vector<Row> moves = {turnover("110", "01", "112010000009", "Drat", "KG", 3, 6),
                                    turnover("510", "01", "112010000001", "Plech", "KG", 1, 1)};
    writeTurnovers(turnovers(), moves);
    TSarProc proc(*ts);
    ASSERT_TRUE(proc.StNove(states(), work("Expected.Cds"), turnovers()));
    writeTurnovers(kSarStNove2, moves);
    ASSERT_TRUE(proc.StNove(states(), work("Got.Cds"), kSarStNove2));
    EXPECT_EQ(rows(work("Got.Cds")), rows(work("Expected.Cds")));
    EXPECT_EQ(rows(work("Got.Cds")).size(), 2u);
}

TEST_F(StockRoutes, TablesWithAMemoFieldGiveTheSameRecords) {
    // A material text held as a memo leaves the tables of texts: states in turnover form and
    // signed turnovers are then made cell by cell, by the same rules.
    std::mt19937 rng(13);
    std::vector<Row> st, moves;
    for (int i = 0; i < 40; ++i) {
        const std::string mat = "11201" + zeroPadInt(i, 7);
        st.push_back(state(std::to_string(rng() % 3 + 1), mat, kTexts[rng() % 3], "KG",
                           rng() % 50, (rng() % 5000) / 10.0));
        moves.push_back(turnover(rng() % 2 ? "110" : "510", "01", mat, kTexts[rng() % 3],
                                 rng() % 2 ? "KG" : "", (rng() % 30000) / 1000.0,
                                 (rng() % 9000) / 100.0));
    }
    moves[0][23] = "12,5";
    moves[0][6] = "510";
    // The same rows in a table whose field `memo` (0-based) is a memo.
    auto withMemo = [&](const std::string& name, const std::string& def, int memo,
                        const std::vector<Row>& rows) {
        ts->cds.DefFile = def;
        CdsTable t;
        ts->cdsProc().MakeTableVirt(t);
        FieldInfo& f = t.data.fields[static_cast<std::size_t>(memo)];
        f.kind = FieldKind::Memo;
        f.size = 0;
        f.subtype = "Text";
        for (const Row& r : rows) t.data.appendTexts(r);
        ASSERT_TRUE(t.saveToFile(*ts, name));
    };
    writeStates(states(), st);
    writeTurnovers(turnovers(), moves);
    withMemo(work("MemoS.Cds"), stateDefName(*ts), 6, st);
    withMemo(work("MemoO.Cds"), turnoverDefName(*ts), 15, moves);
    TSarProc proc(*ts);
    ASSERT_TRUE(proc.StOb(states(), work("Texts.Cds"), kOpeningDocText));
    ASSERT_TRUE(proc.StOb(work("MemoS.Cds"), work("Memo.Cds"), kOpeningDocText));
    EXPECT_EQ(rows(work("Memo.Cds")), rows(work("Texts.Cds")));
    EXPECT_EQ(rows(work("Memo.Cds")).size(), 40u);

    ASSERT_TRUE(proc.ObZmZn(turnovers(), work("Texts.Cds")));
    ASSERT_TRUE(proc.ObZmZn(work("MemoO.Cds"), work("Memo.Cds")));
    const std::vector<Row> signed_ = rows(work("Memo.Cds"));
    EXPECT_EQ(signed_, rows(work("Texts.Cds")));
    ASSERT_EQ(signed_.size(), 40u);
    EXPECT_EQ(signed_[0][23], "         -12,500");
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

} // namespace
