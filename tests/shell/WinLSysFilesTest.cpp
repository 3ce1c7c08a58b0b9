#include "platform/ProgramHalt.h"
#include "shell/WinLSys.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

// Sets a file's last write time to a local date and time.
void setWriteTime(const fs::path& p, int y, int m, int d, int hour = 12) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = hour;
    tm.tm_isdst = -1;
    const struct timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
}

void setToday(test::TestSession& t, int y, int m, int d) {
    DateTime dt;
    dt.year = y;
    dt.month = m;
    dt.day = d;
    t->platform().setFixedDate(dt);
}

} // namespace

TEST(WinLSysFiles, DeleteByMaskTakesReadOnlyFilesAndKeepsTheCurrentDirectory) {
    test::TestSession t;
    t.write("C:\\Work\\a.Cds", "1");
    t.write("C:\\Work\\b.Cds", "2");
    t.write("C:\\Work\\c.Def", "3");
    t.write("C:\\Work\\Sub\\d.Cds", "4");
    Platform::setReadOnly(t.path("C:\\Work\\b.Cds"), true);
    t->platform().setCurrentDir("C:\\Elsewhere");

    deleteByMask(*t, "C:\\Work\\*.Cds");
    EXPECT_FALSE(t.exists("C:\\Work\\a.Cds"));
    EXPECT_FALSE(t.exists("C:\\Work\\b.Cds"));
    EXPECT_TRUE(t.exists("C:\\Work\\c.Def"));
    EXPECT_TRUE(t.exists("C:\\Work\\Sub\\d.Cds")); // subdirectories untouched
    EXPECT_EQ(t->platform().currentDir(), "C:\\Elsewhere");

    // Without a directory part the mask works in the current directory.
    t->platform().setCurrentDir("C:\\Work");
    deleteByMask(*t, "*.*");
    EXPECT_FALSE(t.exists("C:\\Work\\c.Def"));
    EXPECT_TRUE(t.exists("C:\\Work\\Sub"));

    // A directory that cannot be entered deletes nothing, not even in the current directory.
    t.write("C:\\Work\\e.Cds", "5");
    deleteByMask(*t, "C:\\Missing\\*.*");
    EXPECT_TRUE(t.exists("C:\\Work\\e.Cds"));
    EXPECT_EQ(t->platform().currentDir(), "C:\\Work");
}

TEST(WinLSysFiles, EmptyingTheWorkDirectoriesDeletesEveryFileButNoSubdirectory) {
    test::TestSession t;
    setToday(t, 2017, 5, 17);
    t.write("C:\\A_Run\\Work\\SarWork.Cds", "old");
    setWriteTime(t.path("C:\\A_Run\\Work\\SarWork.Cds"), 2017, 5, 16);
    t.write("C:\\A_Run\\Work\\Tabulo.Tbu", "today");
    t.write("C:\\A_Run\\Sestavy\\Inv.Ses", "r");
    Platform::setReadOnly(t.path("C:\\A_Run\\Sestavy\\Inv.Ses"), true);
    t.write("C:\\A_Run\\Sestavy\\Keep\\x.Ses", "kept");

    emptyWorkDirs(*t);
    EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\SarWork.Cds"));
    EXPECT_FALSE(t.exists("C:\\A_Run\\Work\\Tabulo.Tbu"));
    EXPECT_FALSE(t.exists("C:\\A_Run\\Sestavy\\Inv.Ses"));
    EXPECT_TRUE(t.exists("C:\\A_Run\\Sestavy\\Keep\\x.Ses"));
}

TEST(WinLSysFiles, DeleteOlderThanTodayLooksAtTheDayOnly) {
    test::TestSession t;
    setToday(t, 2017, 5, 17);
    struct Case {
        const char* name;
        int y, m, d, hour;
        bool deleted;
    } cases[] = {
        {"C:\\W\\yesterday.Cds", 2017, 5, 16, 23, true},
        {"C:\\W\\lastyear.Cds", 2016, 12, 31, 12, true},
        {"C:\\W\\early.Cds", 2017, 5, 17, 0, false},
        {"C:\\W\\tomorrow.Cds", 2017, 5, 18, 12, false},
    };
    for (const auto& c : cases) {
        t.write(c.name, "x");
        setWriteTime(t.path(c.name), c.y, c.m, c.d, c.hour);
    }
    deleteOlderThanTodayByMask(*t, "C:\\W\\*.Cds");
    for (const auto& c : cases) EXPECT_EQ(t.exists(c.name), !c.deleted) << c.name;
}

TEST(WinLSysFiles, DeleteFileOrHaltHaltsOnlyWhenTheFileStays) {
    test::TestSession t;
    t.write("C:\\W\\a.Cds", "x");
    Platform::setReadOnly(t.path("C:\\W\\a.Cds"), true);
    EXPECT_NO_THROW(deleteFileOrHalt(*t, "C:\\W\\a.Cds"));
    EXPECT_FALSE(t.exists("C:\\W\\a.Cds"));
    EXPECT_NO_THROW(deleteFileOrHalt(*t, "C:\\W\\never.Cds"));
    EXPECT_TRUE(t.dialogs.boxes.empty());

    fs::create_directories(t.path("C:\\W\\Busy.Cds\\inside")); // cannot be deleted as a file
    EXPECT_THROW(deleteFileOrHalt(*t, "C:\\W\\Busy.Cds"), ProgramHalt);
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              "Nepodarilo se zrusit soubor:\r\rC:\\W\\Busy.Cds\r\rProgram bude ukoncen !");
}

TEST(WinLSysFiles, RenameReplacesTheTargetAndKeepsItWhenTheSourceIsMissing) {
    test::TestSession t;
    t.write("C:\\W\\new.Cds", "new");
    t.write("C:\\W\\Target.Cds", "old");
    Platform::setReadOnly(t.path("C:\\W\\Target.Cds"), true);
    EXPECT_EQ(renameFile(*t, "C:\\W\\new.Cds", "C:\\W\\TARGET.CDS"), 0);
    EXPECT_FALSE(t.exists("C:\\W\\new.Cds"));
    EXPECT_EQ(test::readFile(t.root / "C" / "W" / "Target.Cds"), "new");

    EXPECT_EQ(renameFile(*t, "C:\\W\\gone.Cds", "C:\\W\\Target.Cds"), 1);
    EXPECT_EQ(t.read("C:\\W\\Target.Cds"), "new");
    // Renaming a file onto itself keeps it.
    EXPECT_EQ(renameFile(*t, "C:\\W\\Target.Cds", "c:\\w\\target.cds"), 0);
    EXPECT_EQ(t.read("C:\\W\\Target.Cds"), "new");
}

TEST(WinLSysFiles, MakePathAndEnterPath) {
    test::TestSession t;
    makePath(*t, "C:\\A_Run\\Aplikace\\LSarW\\Data");
    EXPECT_TRUE(fs::is_directory(t.path("C:\\A_Run\\Aplikace\\LSarW\\Data")));
    makePath(*t, "Q:\\X"); // drives are not made
    EXPECT_FALSE(fs::exists(t.root / "Q"));

    enterPath(*t, "C:\\A_Run\\Aplikace\\LSarW\\Data");
    EXPECT_EQ(t->platform().currentDir(), "C:\\A_Run\\Aplikace\\LSarW\\Data");
    enterPath(*t, "..\\Cisel"); // relative to the current directory; Cisel is missing
    EXPECT_EQ(t->platform().currentDir(), "C:\\A_Run\\Aplikace\\LSarW");
    enterPath(*t, "C:\\");
    EXPECT_EQ(t->platform().currentDir(), "C:\\");
}

TEST(WinLSysFiles, SizeAndTimeOfTheFirstMatchingFile) {
    test::TestSession t;
    t.write("C:\\W\\b.Cds", "12345");
    t.write("C:\\W\\a.Cds", "123");
    setWriteTime(t.path("C:\\W\\a.Cds"), 2017, 5, 16);
    EXPECT_EQ(fileSize(*t, "C:\\W\\b.Cds"), 5u);
    EXPECT_EQ(fileSize(*t, "c:\\w\\B.CDS"), 5u);
    EXPECT_EQ(fileSize(*t, "C:\\W\\?.Cds"), 3u);
    EXPECT_EQ(fileSize(*t, "C:\\W\\*.Def"), 0u);
    EXPECT_EQ(fileSize(*t, "C:\\W"), 0u);
    EXPECT_EQ(fileTime(*t, "C:\\W\\*.Cds"), fileTime(*t, "C:\\W\\a.Cds"));
    std::tm tm{};
    const std::time_t stamp = fileTime(*t, "C:\\W\\a.Cds");
    localtime_r(&stamp, &tm);
    EXPECT_EQ(tm.tm_mday, 16);
    EXPECT_EQ(fileTime(*t, "C:\\W\\none.Cds"), 0);
}

TEST(WinLSysFiles, FreeSpaceMeasuresTheCurrentDriveForOtherLetters) {
    test::TestSession t;
    EXPECT_GT(freeSpace(*t, 'C'), 0u);
    EXPECT_EQ(freeSpace(*t, 'Q'), 0u); // a drive that does not exist
    t->platform().setCurrentDir("Q:\\");
    EXPECT_EQ(freeSpace(*t, 'c'), 0u); // lower case: the current drive, Q
    t->platform().setCurrentDir("C:\\");
    EXPECT_GT(freeSpace(*t, 'c'), 0u);
}

TEST(WinLSysFiles, WholeFilesAreReplacedUnlessReadOnly) {
    test::TestSession t;
    // A durable file and a work file: replaced, nothing left beside them.
    for (const char* name : {"D:\\LSarW\\Obdobi.Txt", "C:\\A_Run\\Work\\W.Def"}) {
        t.write(name, "old");
        EXPECT_EQ(replaceWholeFile(*t, name, "new"), 0) << name;
        EXPECT_EQ(t.read(name), "new");
        EXPECT_EQ(std::distance(fs::directory_iterator(t.path(name).parent_path()),
                                fs::directory_iterator()),
                  1);
    }
    // A read-only file keeps its contents, as it would if it were written in place.
    Platform::setReadOnly(t.path("D:\\LSarW\\Obdobi.Txt"), true);
    EXPECT_EQ(replaceWholeFile(*t, "D:\\LSarW\\Obdobi.Txt", "newer"), EACCES);
    EXPECT_EQ(t.read("D:\\LSarW\\Obdobi.Txt"), "new");
}
