#include "archive/Archive.h"
#include "archive/DataSaving.h"

#include "platform/ProgramHalt.h"
#include "support/TestSession.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;
namespace fs = std::filesystem;

namespace {

const std::string kArch = "D:\\LSarW\\Archiv";
const std::string kState = "D:\\LSarW\\Data\\170401SarS.Cds";
const std::string kTurnover = "D:\\LSarW\\Data\\170501SarO.Cds";

void setWriteTime(const fs::path& p, int day, int hour, int minute = 0) {
    std::tm tm{};
    tm.tm_year = 2017 - 1900;
    tm.tm_mon = 4;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    const struct timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
}

// Data disk D: with period 17 05 and company code 01.
void install(test::TestSession& t) {
    fs::create_directories(t.root / "D");
    t->dataDisk = "D:";
    t.write("D:\\LSarW\\PomSoub\\SarInic.TXT", "01 Firma\r\n");
    t.write("C:\\A_Run\\PomSoub\\ObdobiSarW.Txt", "17 05\r\n");
    fs::create_directories(t.path("C:\\A_Run\\Aplikace\\LSarW\\PomSoub"));
}

std::string gen(const std::string& name, int k) {
    return kArch + "\\" + generationName(name, k);
}

} // namespace

TEST(Archive, GenerationNames) {
    EXPECT_EQ(generationName("SarO.Cds", 1), "SarO_001.Cds");
    EXPECT_EQ(generationName("170501SarO.Cds", 20), "170501SarO_020.Cds");
    EXPECT_EQ(generationName("Data.Old.Cds", 7), "Data_007.Old.Cds");
    EXPECT_EQ(generationName("Prehled", 3), "Prehled_003");
    EXPECT_EQ(generationName("D:\\Data.1\\SarO.Cds", 2), "D:\\Data.1\\SarO_002.Cds");
}

TEST(Archive, FillsTheFirstFreeGenerationKeepingTheTimeStamp) {
    test::TestSession t;
    install(t);
    t.write(kTurnover, "v1");
    setWriteTime(t.path(kTurnover), 3, 10);
    EXPECT_EQ(Archive(*t, kTurnover, kArch, 20), gen("170501SarO.Cds", 1));
    t.write(kTurnover, "v2");
    EXPECT_EQ(Archive(*t, kTurnover, kArch, 20), gen("170501SarO.Cds", 2));
    EXPECT_EQ(t.read(gen("170501SarO.Cds", 1)), "v1");
    EXPECT_EQ(t.read(gen("170501SarO.Cds", 2)), "v2");
    EXPECT_FALSE(t.exists(kArch + "\\170501SarO.Cds"));
    EXPECT_EQ(fs::last_write_time(t.path(kTurnover)),
              fs::last_write_time(t.path(gen("170501SarO.Cds", 2))));
    EXPECT_EQ(t->platform().currentDir(), "C:\\");
    // A missing file gives nothing.
    EXPECT_EQ(Archive(*t, "D:\\LSarW\\Data\\Chybi.Cds", kArch, 20), "");
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(Archive, TwentyGenerationsRotate) {
    test::TestSession t;
    install(t);
    for (int k = 1; k <= 20; ++k) t.write(gen("SarO.Cds", k), "g" + std::to_string(k));
    t.write("D:\\LSarW\\Data\\SarO.Cds", "new");
    EXPECT_EQ(Archive(*t, "D:\\LSarW\\Data\\SarO.Cds", kArch, 20), gen("SarO.Cds", 20));
    for (int k = 1; k <= 19; ++k)
        EXPECT_EQ(t.read(gen("SarO.Cds", k)), "g" + std::to_string(k + 1)) << k;
    EXPECT_EQ(t.read(gen("SarO.Cds", 20)), "new");
    EXPECT_FALSE(t.exists(gen("SarO.Cds", 21)));
}

TEST(Archive, FailingFileStepShowsTheFileErrorAndHalts) {
    // A directory in the place of generation 001: the fresh copy cannot take that name.
    test::TestSession t;
    install(t);
    for (int k = 2; k <= 20; ++k) t.write(gen("SarO.Cds", k), "g");
    fs::create_directories(t.path(gen("SarO.Cds", 1)) / "sub");
    t.write("D:\\LSarW\\Data\\SarO.Cds", "new");
    EXPECT_THROW(Archive(*t, "D:\\LSarW\\Data\\SarO.Cds", kArch, 20), ProgramHalt);
    ASSERT_EQ(t.dialogs.count(Kind::Error), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text, kArch + "\\SarO.Cds-RENAME");
    EXPECT_EQ(t.dialogs.boxes[0].title.substr(0, 6), "Chyba:");
    EXPECT_EQ(t.read(gen("SarO.Cds", 2)), "g"); // nothing moved
    EXPECT_EQ(t->platform().currentDir(), "C:\\");

    // An archive directory that cannot be made.
    test::TestSession u;
    install(u);
    u.write("D:\\LSarW\\Data\\SarO.Cds", "new");
    u.write("D:\\LSarW\\Blocked", "a file where the directory should be");
    EXPECT_THROW(Archive(*u, "D:\\LSarW\\Data\\SarO.Cds", "D:\\LSarW\\Blocked\\Archiv", 20),
                 ProgramHalt);
    ASSERT_EQ(u.dialogs.count(Kind::Error), 1);
    EXPECT_EQ(u.dialogs.boxes[0].text, "D:\\LSarW\\Blocked\\Archiv-CHDIR");
}

TEST(Archive, CountMustBeEven) {
    for (int count : {19, 0, 1000}) {
        test::TestSession t;
        install(t);
        t.write(kTurnover, "v");
        EXPECT_THROW(Archive(*t, kTurnover, kArch, count), ProgramHalt) << count;
        EXPECT_EQ(t.dialogs.count(Kind::Error), 1);
        EXPECT_FALSE(t.exists(gen("170501SarO.Cds", 1)));
    }
}

TEST(Archive, NeedsArchiveByDayAndByTimeStamp) {
    test::TestSession t;
    install(t);
    t.write(kTurnover, "v");
    EXPECT_TRUE(needsArchiveByDate(*t, kTurnover, kArch));
    EXPECT_TRUE(fs::is_directory(t.path(kArch)));
    t.write(gen("170501SarO.Cds", 1), "archived");
    setWriteTime(t.path(gen("170501SarO.Cds", 1)), 10, 9);

    struct Case {
        int day, hour;
        bool byDate, byTime;
    };
    // The table's last change against the archived copy of 10.05. 09:00.
    const Case cases[] = {
        {9, 23, false, false}, {10, 9, false, false}, {10, 11, false, true}, {11, 8, true, true}};
    for (const auto& c : cases) {
        setWriteTime(t.path(kTurnover), c.day, c.hour);
        EXPECT_EQ(needsArchiveByDate(*t, kTurnover, kArch), c.byDate) << c.day << " " << c.hour;
        EXPECT_EQ(needsArchiveByTime(*t, kTurnover, kArch), c.byTime) << c.day << " " << c.hour;
    }
    // Copies of other tables do not count.
    t.write(kArch + "\\170501SarS_001.Cds", "other");
    setWriteTime(t.path(kArch + "\\170501SarS_001.Cds"), 20, 9);
    EXPECT_TRUE(needsArchiveByTime(*t, kTurnover, kArch));
    EXPECT_FALSE(needsArchiveByDate(*t, "D:\\LSarW\\Data\\Chybi.Cds", kArch));
}

TEST(DataSaving, StartupOncePerDaySavingWheneverChanged) {
    test::TestSession t;
    install(t);
    t.write(kState, "states");
    t.write(kTurnover, "turnovers");
    setWriteTime(t.path(kState), 10, 8);
    setWriteTime(t.path(kTurnover), 10, 9);
    t.write("D:\\LSarW\\PomSoub\\SarObd.Txt", "disk");
    t.write("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\SarObd.Txt", "local");
    t.write("D:\\LSarW\\PomSoub\\Sar.Jpg", "picture");

    auto written = startupArchive(*t);
    EXPECT_EQ(written,
              (std::vector<std::string>{gen("170401SarS.Cds", 1), gen("170501SarO.Cds", 1)}));
    EXPECT_EQ(t.read("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\SarObd.Txt"), "local");
    EXPECT_EQ(t.read("C:\\A_Run\\Aplikace\\LSarW\\PomSoub\\Sar.Jpg"), "picture");
    EXPECT_TRUE(t.dialogs.saw("SarW:  Probiha archivace databasi !"));

    // The same day again: nothing, even after a change.
    t.write(kTurnover, "more turnovers");
    setWriteTime(t.path(kTurnover), 10, 15);
    EXPECT_TRUE(startupArchive(*t).empty());
    // "Ulozeni dat" archives what changed since its newest copy.
    written = saveData(*t);
    EXPECT_EQ(written, (std::vector<std::string>{gen("170501SarO.Cds", 2)}));
    EXPECT_EQ(t.read(gen("170501SarO.Cds", 2)), "more turnovers");
    EXPECT_TRUE(saveData(*t).empty());
}

namespace {

const std::string kWorkingCopy = "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds";

// A turnover-like table: year, month, document text.
void writeTurnovers(test::TestSession& t, const std::string& name,
                    const std::vector<std::vector<std::string>>& rows) {
    Table table;
    for (const char* f : {"Rok", "Mes", "Text"}) {
        FieldInfo fi;
        fi.name = f;
        fi.size = 10;
        table.fields.push_back(fi);
    }
    for (const auto& r : rows) table.appendTexts(r);
    std::string error;
    fs::create_directories(t.path(name).parent_path());
    ASSERT_TRUE(writeTableFile(t.path(name), table, TableFormat::Binary, error)) << error;
}

std::vector<std::string> texts(test::TestSession& t, const std::string& name) {
    Table table;
    TableFormat format;
    std::string error;
    EXPECT_TRUE(readTableFile(t.path(name), table, format, error)) << error;
    std::vector<std::string> out;
    for (std::size_t r = 0; r < table.recordCount(); ++r) out.push_back(table.text(r, 2));
    return out;
}

} // namespace

TEST(DataSaving, RestoreLastDocumentPutsTheWorkingCopyBack) {
    test::TestSession t;
    install(t);
    writeTurnovers(t, kTurnover, {{"17", "05", "damaged"}});
    writeTurnovers(t, kWorkingCopy, {{"17", "05", "doc 1"}, {"17", "05", "doc 2"}});
    EXPECT_TRUE(restoreLastDocument(*t));
    EXPECT_EQ(texts(t, kTurnover), (std::vector<std::string>{"doc 1", "doc 2"}));
    ASSERT_EQ(t.dialogs.count(Kind::Information), 1);
    EXPECT_EQ(t.dialogs.boxes.back().text, "Prekontrolujte data !");
    EXPECT_EQ(t.dialogs.boxes.back().title, kTurnover);
    EXPECT_EQ(t.dialogs.progressShows, 1);
    EXPECT_EQ(t.dialogs.progressCloses, 1);
}

TEST(DataSaving, RestoreRefusesAWorkingCopyOfAnotherPeriod) {
    test::TestSession t;
    install(t);
    writeTurnovers(t, kTurnover, {{"17", "05", "May"}});
    writeTurnovers(t, kWorkingCopy, {{"17", "04", "April"}});
    EXPECT_FALSE(restoreLastDocument(*t));
    EXPECT_EQ(texts(t, kTurnover), (std::vector<std::string>{"May"}));
    ASSERT_EQ(t.dialogs.count(Kind::Warning), 1);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              "Pracovni kopie obsahuje doklady obdobi 17 04 !\r\rObnova nebude provedena.");

    // Without a working copy nothing is replaced either.
    test::TestSession u;
    install(u);
    writeTurnovers(u, kTurnover, {{"17", "05", "May"}});
    EXPECT_FALSE(restoreLastDocument(*u));
    EXPECT_EQ(texts(u, kTurnover), (std::vector<std::string>{"May"}));
    EXPECT_TRUE(u.dialogs.saw("nebyl nalezen"));
}

TEST(Archive, CopiesACrashLeftAreNotCountedAsCurrent) {
    // A torn copy under the table's own name (a kill between the copy and its rename) and a
    // temporary of a replacement, both newer than the table: neither is an archived copy.
    for (const std::string left : {"170501SarO.Cds", "170501SarO~01234.Cds"}) {
        SCOPED_TRACE(left);
        test::TestSession t;
        install(t);
        t.write(kTurnover, "the turnovers");
        setWriteTime(t.path(kTurnover), 10, 9);
        t.write(kArch + "\\" + left, "the tur");
        setWriteTime(t.path(kArch + "\\" + left), 11, 9);
        EXPECT_TRUE(needsArchiveByDate(*t, kTurnover, kArch));
        EXPECT_TRUE(needsArchiveByTime(*t, kTurnover, kArch));
        EXPECT_EQ(Archive(*t, kTurnover, kArch, 20), gen("170501SarO.Cds", 1));
        EXPECT_EQ(t.read(gen("170501SarO.Cds", 1)), "the turnovers");
        EXPECT_FALSE(needsArchiveByTime(*t, kTurnover, kArch));
    }
}
