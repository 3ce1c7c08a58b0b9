// The monthly closing: the new opening states, the period moved on, and the targets refused.
#include "StockFixture.h"

#include "stock/USarMesU.h"
#include "start/Startup.h"

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::stock;

namespace {

class MonthClosing : public StockTest {};

TEST_F(MonthClosing, ProposesTheNextPeriod) {
    const std::pair<const char*, const char*> cases[] = {
        {"17 05", "1706"}, {"17 12", "1801"}, {"17 00", "1701"}};
    for (const auto& [period, proposed] : cases) {
        setPeriod(period);
        const ClosingFields f = closingFields(*ts);
        EXPECT_EQ(f.current, periodCompact(period));
        EXPECT_EQ(f.next, proposed);
    }
}

TEST_F(MonthClosing, WritesTheNewStatesAndMovesThePeriod) {
    writeStates(data("170401SarS.Cds"), {state("01", "112010000001", "Plech", "KG", 10, 100),
                                         state("01", "112010000002", "Drat", "KG", 2, 8)});
    writeTurnovers(data("170501SarO.Cds"),
                   {turnover("110", "01", "112010000001", "Plech", "KG", 5, 60),
                    turnover("510", "01", "112010000001", "Plech", "KG", 3, 30),
                    turnover("510", "01", "112010000002", "Drat", "KG", 2, 8),
                    turnover("110", "02", "112010000003", "Tyc", "KG", 1, 3)});
    const std::string turnoversBefore = ts.read(data("170501SarO.Cds"));
    ClosingFields f = closingFields(*ts);
    std::string next = " 17 06";
    ASSERT_EQ(closeMonth(*ts, f.current, next), ClosingResult::Done);
    EXPECT_EQ(next, "1706");
    const std::vector<Row> expected = {
        {"17", "05", "01", "01", "01", "112010000001", "Plech", "112", "010", "10,83", "KG",
         "12,000", "130,00"},
        {"17", "05", "01", "01", "02", "112010000003", "Tyc", "112", "010", "3,00", "KG", "1,000",
         "3,00"}};
    EXPECT_EQ(trimmed(data("170501SarS.Cds")), expected);
    EXPECT_EQ(ts.read(data("170501SarO.Cds")), turnoversBefore);
    EXPECT_EQ(ts->period.Period, "17 06");
    ReadPeriod(*ts);
    EXPECT_EQ(ts->period.Period, "17 06");
    EXPECT_EQ(mainLabels(*ts).period, "Ucetni obdobi: 17 06");
    EXPECT_EQ(ts.dialogs.progressShows, 1);
    EXPECT_EQ(ts.dialogs.progressCloses, 1);

    // Again with the same fields: the same states, now stamped with the advanced period.
    ASSERT_EQ(closeMonth(*ts, f.current, next), ClosingResult::Done);
    std::vector<Row> again = expected;
    for (Row& r : again) r[1] = "06";
    EXPECT_EQ(trimmed(data("170501SarS.Cds")), again);

    // A later target is accepted: the states after 17 06 (none moved) become those before 17 08.
    f = closingFields(*ts);
    next = "17 08";
    ASSERT_EQ(closeMonth(*ts, f.current, next), ClosingResult::Done);
    EXPECT_EQ(rows(data("170701SarS.Cds")), rows(data("170501SarS.Cds")));
    EXPECT_EQ(ts->period.Period, "17 08");
    EXPECT_EQ(ts.dialogs.boxes.size(), 0u);
}

TEST_F(MonthClosing, RefusesMalformedAndEarlierTargets) {
    writeStates(data("170401SarS.Cds"), {state("01", "112010000001", "Plech", "KG", 10, 100)});
    const std::string before = ts.read(data("170401SarS.Cds"));
    // Malformed, and (as no earlier month may be overwritten) not after 17 05.
    for (const char* typed : {"1721", "1700", "17x6", "170", "17061", "", "1705", "1704", "1612"}) {
        SCOPED_TRACE(typed);
        ts.dialogs.clear();
        std::string next = typed;
        EXPECT_EQ(closeMonth(*ts, "1705", next), ClosingResult::InvalidPeriod);
        ASSERT_EQ(ts.dialogs.boxes.size(), 1u);
        EXPECT_EQ(ts.dialogs.boxes[0].kind, Kind::Information);
        EXPECT_EQ(ts.dialogs.boxes[0].text, "Chybne zadane obdobi !");
        EXPECT_EQ(ts.dialogs.boxes[0].title, "Obdobi: " + next);
        EXPECT_EQ(ts.dialogs.progressShows, 0);
    }
    EXPECT_EQ(ts->period.Period, "17 05");
    EXPECT_EQ(ts.read(data("170401SarS.Cds")), before);
    EXPECT_FALSE(ts.exists(data("170501SarS.Cds")));
    // A month above 12 is a valid period, and 9912 is followed by 0001.
    std::string next = "1713";
    EXPECT_EQ(closeMonth(*ts, "1705", next), ClosingResult::Done);
    setPeriod("99 12");
    next = "0001";
    EXPECT_EQ(closeMonth(*ts, "9912", next), ClosingResult::Done);
    EXPECT_EQ(ts->period.Period, "00 01");
}

TEST_F(MonthClosing, WithoutTurnoversOrStates) {
    // Neither: an empty state table.
    std::string next = "1706";
    ASSERT_EQ(closeMonth(*ts, "1705", next), ClosingResult::Done);
    const Records r = loadRecords(ts.path(data("170501SarS.Cds")));
    EXPECT_EQ(r.fields.size(), 13u);
    EXPECT_TRUE(r.rows.empty());
    // No turnovers: the opening states are copied as they are.
    writeStates(data("170501SarS.Cds"), {state("01", "112010000001", "Plech", "KG", 10, 100)});
    next = "1707";
    ASSERT_EQ(closeMonth(*ts, "1706", next), ClosingResult::Done);
    EXPECT_EQ(ts.read(data("170601SarS.Cds")), ts.read(data("170501SarS.Cds")));
    EXPECT_EQ(ts->period.Period, "17 07");
}

TEST_F(MonthClosing, PeriodStaysWhenTheStatesCannotBeWritten) {
    writeTurnovers(data("170501SarO.Cds"),
                   {turnover("110", "01", "112010000001", "Plech", "KG", 5, 60)});
    // A directory where the new state file belongs: it cannot be replaced.
    std::filesystem::create_directories(ts.path(data("170501SarS.Cds")) / "x");
    std::string next = "1706";
    EXPECT_EQ(closeMonth(*ts, "1705", next), ClosingResult::Failed);
    EXPECT_GT(ts.dialogs.boxes.size(), 0u);
    EXPECT_EQ(ts->period.Period, "17 05");
    ReadPeriod(*ts);
    EXPECT_EQ(ts->period.Period, "17 05");
    EXPECT_EQ(ts.dialogs.progressShows, ts.dialogs.progressCloses);
}

} // namespace
