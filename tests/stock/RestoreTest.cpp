// Restore of the turnover and opening state files from archived generations.
#include "StockFixture.h"

#include "period/Period.h"
#include "platform/Platform.h"
#include "shell/WinLSys.h"
#include "stock/USarObn.h"

using namespace sarw;
using namespace sarw::test;
using namespace sarw::test::stock;

namespace {

class Restore : public StockTest {};

TEST_F(Restore, MasksTargetsAndDefinitionsOfThePeriod) {
    const RestoreChoice o = restoreTurnoverChoice(*ts);
    EXPECT_EQ(o.mask, "170501SarO_*.Cds");
    EXPECT_EQ(o.filter, "Archivni soubory (170501SarO_*.Cds)|170501SarO_*.Cds");
    EXPECT_EQ(o.target, "D:\\LSarW\\Data\\170501SarO.Cds");
    EXPECT_EQ(o.def, "D:\\LSarW\\DefSoub\\SarO.Def");
    const RestoreChoice s = restoreStateChoice(*ts);
    EXPECT_EQ(s.mask, "170401SarS_*.Cds");
    EXPECT_EQ(s.target, "D:\\LSarW\\Data\\170401SarS.Cds");
    EXPECT_EQ(s.def, "D:\\LSarW\\DefSoub\\SarS.Def");
    EXPECT_EQ(restoreArchiveDir(*ts), "D:\\LSarW\\Archiv");
    // The period is read afresh: a period changed elsewhere counts.
    setPeriod("17 01");
    ts->period.Period = "99 99";
    EXPECT_EQ(restoreStateChoice(*ts).mask, "170001SarS_*.Cds");
}

TEST_F(Restore, ReplacesTheTargetOnlyWhenConfirmed) {
    const RestoreChoice c = restoreTurnoverChoice(*ts);
    const std::string archived = "D:\\LSarW\\Archiv\\170501SarO_3.Cds";
    writeTurnovers(archived, {turnover("P", "01", "1000001", "Plech", "kg", 5, 100)});
    const std::string archivedBytes = ts.read(archived);
    std::filesystem::last_write_time(ts.path(archived),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(48));
    ts.write(c.target, "current turnovers");

    // A copy a crash cut short is refused before the question.
    const std::string torn = "D:\\LSarW\\Archiv\\170501SarO_4.Cds";
    ts.write(torn, archivedBytes.substr(0, archivedBytes.size() / 2));
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(restoreFromArchive(*ts, torn, c));
    EXPECT_EQ(ts.read(c.target), "current turnovers");
    EXPECT_EQ(ts.dialogs.boxes.back().kind, Kind::Warning);
    EXPECT_EQ(ts.dialogs.boxes.back().title, "Soubor: " + torn);

    ts.dialogs.answers = {Dialogs::Answer::No};
    EXPECT_FALSE(restoreFromArchive(*ts, archived, c));
    EXPECT_EQ(ts.read(c.target), "current turnovers");
    const auto& q = ts.dialogs.boxes.back();
    EXPECT_EQ(q.kind, Kind::Question);
    EXPECT_EQ(q.text, "Chcete soubor D:\\LSarW\\Data\\170501SarO.Cds obnovit ?");
    EXPECT_EQ(q.title, "Vstupny soubor:  " + archived);

    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_TRUE(restoreFromArchive(*ts, archived, c));
    EXPECT_EQ(ts.read(c.target), archivedBytes);
    EXPECT_EQ(fileTime(*ts, c.target), fileTime(*ts, archived));

    // A period file that fails the period check: nothing is restored, not even asked.
    Platform::setPlainAttributes(ts.path(periodFileName(*ts)));
    ts.write(periodFileName(*ts), "17 99\r\n");
    const std::size_t boxes = ts.dialogs.boxes.size();
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(restoreFromArchive(*ts, archived, c));
    EXPECT_EQ(ts.read(c.target), archivedBytes);
    ASSERT_EQ(ts.dialogs.boxes.size(), boxes + 1);
    EXPECT_EQ(ts.dialogs.boxes.back().text, "Chybne zadane obdobie: 17 99");
    setPeriod("17 05");

    // A generation that is gone: the target stays.
    ts.dialogs.answers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(restoreFromArchive(*ts, "D:\\LSarW\\Archiv\\170501SarO_9.Cds", c));
    EXPECT_EQ(ts.read(c.target), archivedBytes);
}

} // namespace
