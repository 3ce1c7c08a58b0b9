// The "Tabulky" commands with their sign question, and the opening states edited and written
// back.
#include "StockFixture.h"

#include "stock/StockTables.h"
#include "period/PeriodFiles.h"
#include "shell/WorkFiles.h"

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::stock;

namespace {

using Answer = Dialogs::Answer;

class StockTables : public StockTest {
protected:
    std::string states() { return stateFileName(*ts); }
    std::string turnovers() { return turnoverFileName(*ts); }
    const std::vector<Row> moves = {turnover("110", "01", "112010000001", "Plech", "KG", 2.5, 30),
                                    turnover("510", "01", "112010000001", "Plech", "KG", 1, 12),
                                    turnover("500", "01", "112010000001", "Plech", "KG", 1, 0)};
};

TEST_F(StockTables, SignQuestionDecidesHowIssuesAreShown) {
    writeTurnovers(turnovers(), moves);
    struct Case {
        Answer answer;
        std::vector<std::string> quantities, values;
    };
    const Case cases[] = {
        {Answer::Yes, {"2,500", "-1,000", "-1,000"}, {"30,00", "-12,00", ""}},
        {Answer::No, {"2,500", "1,000", "1,000"}, {"30,00", "12,00", ""}},
    };
    for (const Case& c : cases) {
        ts.dialogs.clear();
        ts.dialogs.answers = {c.answer};
        const StockTableView v = TabObraty(*ts, SignChange::Ask);
        EXPECT_TRUE(v.computed);
        EXPECT_EQ(v.file, kSarWork);
        EXPECT_EQ(v.def, "D:\\LSarW\\DefSoub\\SarO.Def");
        EXPECT_EQ(v.title, "Prehled obratu");
        ASSERT_EQ(ts.dialogs.boxes.size(), 1u);
        EXPECT_EQ(ts.dialogs.boxes[0].kind, Kind::Question);
        EXPECT_EQ(ts.dialogs.boxes[0].text, "Zmenit znamenka u vydajov ?");
        EXPECT_EQ(ts.dialogs.boxes[0].title, "");
        std::vector<std::string> q, val;
        for (const Row& r : trimmed(kSarWork)) {
            q.push_back(r[23]);
            val.push_back(r[24]);
        }
        EXPECT_EQ(q, c.quantities);
        EXPECT_EQ(val, c.values);
    }
    // Without the question: as the caller says.
    ts.dialogs.clear();
    ASSERT_TRUE(signChangeStep(*ts, turnovers(), SignChange::Keep));
    EXPECT_EQ(ts.read(kSarWork), ts.read(turnovers()));
    EXPECT_TRUE(ts.dialogs.boxes.empty());
}

TEST_F(StockTables, MissingInputsGiveEmptyTablesNeverAnEarlierResult) {
    ts.write(kSarWork, "earlier table");
    const StockTableView v = TabObraty(*ts, SignChange::Change);
    EXPECT_TRUE(v.computed);
    Records r = loadRecords(ts.path(kSarWork));
    EXPECT_EQ(r.fields.size(), 26u);
    EXPECT_TRUE(r.rows.empty());

    ts.write(kSarWork, "earlier table");
    const StockTableView a = TabAktStavy(*ts);
    EXPECT_TRUE(a.computed);
    EXPECT_EQ(a.title, "Prehled aktualnich stavu v obdobi 17 05");
    EXPECT_EQ(a.def, "D:\\LSarW\\DefSoub\\SarS.Def");
    r = loadRecords(ts.path(kSarWork));
    EXPECT_EQ(r.fields.size(), 13u);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(ts.dialogs.count(Kind::Warning), 0);
    EXPECT_EQ(ts.dialogs.progressShows, 1);
    EXPECT_EQ(ts.dialogs.progressCloses, 1);
}

TEST_F(StockTables, SpanJoinedAndCurrentTables) {
    writeStates(states(), {state("01", "112010000001", "Plech", "KG", 10, 100)});
    writeTurnovers(turnovers(), moves);
    writeTurnovers(turnoverFileName(*ts, "1703"), {moves[0]});
    ts->period.PeriodFrom = "1703";
    ts->period.PeriodTo = "1705";
    StockTableView v = TabObratyOdDo(*ts, SignChange::Change);
    EXPECT_EQ(v.title, "Prehled obratu za obdobie 1703-1705");
    EXPECT_EQ(rows(kSarWork1).size(), 4u);
    std::vector<Row> shown = trimmed(kSarWork);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2][23], "-1,000");

    v = TabStavyObraty(*ts, SignChange::Keep);
    EXPECT_EQ(v.title, "Prehled stavu a obratov za obdobie 1705-1705");
    shown = trimmed(kSarWork);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ((Row{shown[0][6], shown[0][10], shown[0][23]}), (Row{"100", "Poc.stav", "10,000"}));
    EXPECT_EQ(shown[2][23], "1,000");

    v = TabAktStavy(*ts);
    EXPECT_EQ(trimmed(kSarWork),
              (std::vector<Row>{{"17", "05", "01", "01", "01", "112010000001", "Plech", "112",
                                 "010", "11,24", "KG", "10,500", "118,00"}}));
    EXPECT_EQ(ts.dialogs.progressShows, 3);
    EXPECT_EQ(ts.dialogs.progressCloses, 3);
    EXPECT_EQ(ts.dialogs.count(Kind::Question), 0);
}

TEST_F(StockTables, OpeningStatesSortedForEditingAndWrittenBack) {
    // No state file yet: warned about and created empty.
    ASSERT_TRUE(DataStavyPrepare(*ts));
    EXPECT_TRUE(ts.dialogs.saw("nebyl nalezen"));
    EXPECT_TRUE(ts.exists(states()));
    EXPECT_TRUE(rows(kSarWork).empty());

    const std::vector<Row> st = {state("02", "112010000002", "Drat", "KG", 1, 2),
                                 state("01", "112010000009", "Plech", "KG", 3, 4),
                                 state("01", "112010000001", "Olej", "L", 5, 6)};
    writeStates(states(), st);
    ASSERT_TRUE(DataStavyPrepare(*ts));
    std::vector<Row> edited = rows(kSarWork);
    ASSERT_EQ(edited.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{edited[0][5], edited[1][5], edited[2][5]}),
              (std::vector<std::string>{"112010000001", "112010000009", "112010000002"}));
    // The user changes a quantity and deletes a record.
    edited[0][11] = numberToText(16, 3, 7);
    edited.pop_back();
    writeStates(kSarWork, edited);
    // The state file's own fields stay: here a wider text field than the definition's.
    ts->cds.DefFile = stateDefName(*ts);
    CdsTable target;
    ts->cdsProc().MakeTableVirt(target);
    target.data.fields[6].size = 40;
    for (const Row& r : st) target.data.appendTexts(r);
    ASSERT_TRUE(target.saveToFile(*ts, states()));
    ASSERT_TRUE(DataStavyWriteBack(*ts));
    const Records back = loadRecords(ts.path(states()));
    EXPECT_EQ(back.fields[6].size, 40);
    EXPECT_EQ(back.rows, edited);

    // Nothing to write back from: the state file stays as it is.
    ts.dialogs.clear();
    const std::string before = ts.read(states());
    std::filesystem::remove(ts.path(kSarWork));
    EXPECT_FALSE(Oprava(*ts, kSarWork, states()));
    EXPECT_TRUE(ts.dialogs.saw("nebyl nalezen"));
    EXPECT_EQ(ts.read(states()), before);
}

} // namespace
