#include "platform/FileMask.h"
#include "shell/LSysCopy.h"
#include "support/FileSizeLimit.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;
using namespace sarw;
using Kind = ScriptedDialogs::Kind;

namespace {

// Sets the last write time, in seconds since the epoch.
void setWriteTime(const fs::path& p, std::time_t when) {
    const struct timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
}

std::time_t writeTime(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_mtime : -1;
}

ino_t inode(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

constexpr std::time_t kOld = 1494000000; // May 2017

struct LSysCopy : ::testing::Test {
    LSysCopy() { t->retryDelayMs = 0; }
    test::TestSession t;
};

} // namespace

TEST_F(LSysCopy, FileCopyCopiesEveryBlockAndKeepsTheTimeStampAndAttributes) {
    std::string bytes;
    for (int i = 0; i < 100003; ++i) bytes += static_cast<char>(i * 7 % 251);
    t.write("C:\\Src\\Big.Cds", bytes);
    setWriteTime(t.path("C:\\Src\\Big.Cds"), kOld);
    Platform::setReadOnly(t.path("C:\\Src\\Big.Cds"), true);
    fs::create_directories(t.path("D:\\Dst"));

    ASSERT_EQ(FileCopy(*t, "C:\\Src\\Big.Cds", "D:\\Dst\\Big.Cds", 0), kCopyOk);
    EXPECT_EQ(t.read("D:\\Dst\\Big.Cds"), bytes);
    EXPECT_EQ(writeTime(t.path("D:\\Dst\\Big.Cds")), kOld);
    EXPECT_TRUE(Platform::isReadOnly(t.path("D:\\Dst\\Big.Cds")));
    EXPECT_EQ(t->copyStatus.success, 1);
    EXPECT_EQ(t->copyStatus.route, "");

    // A read-only target is replaced; newTime 1 gives the copy the time of copying.
    ASSERT_EQ(FileCopy(*t, "C:\\Src\\Big.Cds", "D:\\Dst\\Big.Cds", 1), kCopyOk);
    EXPECT_GT(writeTime(t.path("D:\\Dst\\Big.Cds")), std::time(nullptr) - 60);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(LSysCopy, FileCopyRefusesBadArgumentsWithItsWarningsAndWritesNothing) {
    t.write("C:\\Src\\a.Cds", "source");
    struct Case {
        const char* source;
        const char* target;
        int code;
        const char* message;
    } cases[] = {
        {"C:\\Src\\none.Cds", "C:\\Src\\b.Cds", kCopyNoSource, "     - nebyl nalezen !"},
        {"C:\\Src\\a.Cds", "C:\\Src\\a.Cds", kCopySameFile,
         "Vstupni soubor:   C:\\Src\\a.Cds\rVystupni soubor:  C:\\Src\\a.Cds\r\rSoubory se rovnaji "
         "!"},
        // Another spelling of the same file must not delete it before copying it.
        {"C:\\Src\\a.Cds", "c:\\SRC\\A.cds", kCopySameFile, "Soubory se rovnaji !"},
        {"C:\\Src\\a.Cds", "C:\\NoDir\\a.Cds", kCopyNoTargetDir, "Adresar:\r\r\"C:\\NoDir\""},
    };
    for (const auto& c : cases) {
        t.dialogs.clear();
        EXPECT_EQ(FileCopy(*t, c.source, c.target, 0), c.code) << c.target;
        ASSERT_EQ(t.dialogs.count(Kind::Warning), 1) << c.target;
        EXPECT_NE(t.dialogs.boxes[0].text.find(c.message), std::string::npos) << c.target;
        EXPECT_EQ(t->copyStatus.success, 0);
        EXPECT_EQ(t->copyStatus.route, std::string(c.source) + "\r\r==>\r\r" + c.target);
    }
    EXPECT_EQ(t.read("C:\\Src\\a.Cds"), "source");
    EXPECT_FALSE(t.exists("C:\\Src\\b.Cds"));
}

TEST_F(LSysCopy, FileCopyAsksBeforeGivingUpOnATargetItCannotCreate) {
    t.write("C:\\Src\\a.Cds", "source");
    fs::create_directories(t.path("C:\\Dst\\a.Cds\\in-the-way"));
    t.dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::No};
    EXPECT_EQ(FileCopy(*t, "C:\\Src\\a.Cds", "C:\\Dst\\a.Cds", 0), kCopyDeclined);
    ASSERT_EQ(t.dialogs.count(Kind::Question), 2);
    EXPECT_EQ(t.dialogs.boxes[0].text, "C:\\Dst\\a.Cds\r\rSoubor nelze zalozit. Opakovat akci ? ");
    EXPECT_EQ(t->copyStatus.success, 0);
}

TEST_F(LSysCopy, DirFileCopyJoinsTheDirectories) {
    t.write("C:\\Src\\a.Cds", "x");
    fs::create_directories(t.path("C:\\Dst"));
    EXPECT_EQ(DirFileCopy(*t, "a.Cds", "C:\\Src\\", "C:\\Dst", 0), kCopyOk);
    EXPECT_EQ(t.read("C:\\Dst\\a.Cds"), "x");
}

TEST_F(LSysCopy, CopyFilesModes) {
    // new: missing in the target; older: the target copy is older; newer: the target is newer.
    auto setUp = [&] {
        fs::remove_all(t.path("C:\\Dst"));
        for (const char* n : {"new", "older", "newer"})
            t.write(std::string("C:\\Src\\") + n + ".Cds", std::string("src-") + n);
        t.write("C:\\Src\\skip.Def", "not matching");
        t.write("C:\\Dst\\older.Cds", "dst-older");
        t.write("C:\\Dst\\newer.Cds", "dst-newer");
        setWriteTime(t.path("C:\\Dst\\older.Cds"), kOld - 100);
        setWriteTime(t.path("C:\\Src\\older.Cds"), kOld);
        setWriteTime(t.path("C:\\Src\\newer.Cds"), kOld);
        setWriteTime(t.path("C:\\Dst\\newer.Cds"), kOld + 100);
        Platform::setReadOnly(t.path("C:\\Dst\\newer.Cds"), true);
    };
    struct Case {
        int mode;
        const char* older;
        const char* newer;
    } cases[] = {{0, "src-older", "src-newer"},
                 {1, "src-older", "dst-newer"},
                 {2, "dst-older", "dst-newer"}};
    for (const auto& c : cases) {
        setUp();
        CopyFiles(*t, "*.cds", "C:\\Src", "C:\\Dst\\", static_cast<std::uint8_t>(c.mode));
        EXPECT_EQ(t.read("C:\\Dst\\new.Cds"), "src-new") << c.mode;
        EXPECT_EQ(t.read("C:\\Dst\\older.Cds"), c.older) << c.mode;
        EXPECT_EQ(t.read("C:\\Dst\\newer.Cds"), c.newer) << c.mode;
        EXPECT_FALSE(t.exists("C:\\Dst\\skip.Def"));
        EXPECT_EQ(writeTime(t.path("C:\\Dst\\older.Cds")), c.mode == 2 ? kOld - 100 : kOld);
        // Every target of the mask ends up writable, copied or not.
        EXPECT_FALSE(Platform::isReadOnly(t.path("C:\\Dst\\newer.Cds"))) << c.mode;
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());

    // A missing target directory is reported once, not once per file.
    CopyFiles(*t, "*.*", "C:\\Src", "C:\\Missing", 0);
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
}

TEST_F(LSysCopy, FileMoveRenamesWithinADriveAndCopiesBetweenDrives) {
    t.write("C:\\A\\f.Cds", "one");
    t.write("C:\\B\\f.Cds", "old target");
    const ino_t original = inode(t.path("C:\\A\\f.Cds"));
    EXPECT_TRUE(FileMove(*t, "C:\\A\\f.Cds", "C:\\B\\f.Cds"));
    EXPECT_FALSE(t.exists("C:\\A\\f.Cds"));
    EXPECT_EQ(t.read("C:\\B\\f.Cds"), "one");
    EXPECT_EQ(inode(t.path("C:\\B\\f.Cds")), original); // renamed, not copied

    fs::create_directories(t.path("D:\\B"));
    setWriteTime(t.path("C:\\B\\f.Cds"), kOld);
    EXPECT_TRUE(FileMove(*t, "C:\\B\\f.Cds", "D:\\B\\f.Cds"));
    EXPECT_FALSE(t.exists("C:\\B\\f.Cds"));
    EXPECT_EQ(t.read("D:\\B\\f.Cds"), "one");
    EXPECT_EQ(writeTime(t.path("D:\\B\\f.Cds")), kOld);

    // When the copy fails the source stays.
    EXPECT_FALSE(FileMove(*t, "D:\\B\\f.Cds", "E:\\B\\f.Cds"));
    EXPECT_EQ(t.read("D:\\B\\f.Cds"), "one");
    // A file moved onto itself stays too.
    EXPECT_TRUE(FileMove(*t, "D:\\B\\f.Cds", "d:\\b\\F.CDS"));
    EXPECT_EQ(t.read("D:\\B\\f.Cds"), "one");
}

TEST_F(LSysCopy, FileMoveCopiesWhereARenameCannotCrossFileSystems) {
    struct stat shm {
    }, tmp{};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(t.root.c_str(), &tmp) != 0 ||
        shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "needs /dev/shm on another file system";
    const fs::path dir = fs::path("/dev/shm") / t.root.filename();
    fs::create_directories(dir);
    std::ofstream(dir / "f.Cds") << "elsewhere";
    const std::string target = (t.root / "C" / "f.Cds").string();
    EXPECT_TRUE(FileMove(*t, (dir / "f.Cds").string(), target));
    EXPECT_EQ(test::readFile(target), "elsewhere");
    EXPECT_FALSE(fs::exists(dir / "f.Cds"));
    fs::remove_all(dir);
}

TEST_F(LSysCopy, SafeCopyReplacesAReadOnlyTargetThroughATemporaryFile) {
    t.write("C:\\Work\\SarWork.Cds", "new table");
    setWriteTime(t.path("C:\\Work\\SarWork.Cds"), kOld);
    t.write("D:\\Data\\170501SarO.Cds", "old table");
    Platform::setReadOnly(t.path("D:\\Data\\170501SarO.Cds"), true);

    EXPECT_TRUE(SafeCopy(*t, "C:\\Work\\SarWork.Cds", "D:\\Data\\170501SarO.Cds", 1));
    EXPECT_EQ(t.read("D:\\Data\\170501SarO.Cds"), "new table");
    EXPECT_EQ(writeTime(t.path("D:\\Data\\170501SarO.Cds")), kOld);
    EXPECT_FALSE(Platform::isReadOnly(t.path("D:\\Data\\170501SarO.Cds")));
    EXPECT_EQ(filesMatching(t.path("D:\\Data"), "*.*").size(), 1u); // no temporary file left
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(LSysCopy, SafeCopyReplacesAWorkFile) {
    // A work file is removed before the copy takes its name; the result is the same.
    t.write("D:\\Data\\T.Cds", "new table");
    t.write("C:\\A_Run\\Work\\SarWork.Cds", "old table");
    Platform::setReadOnly(t.path("C:\\A_Run\\Work\\SarWork.Cds"), true);
    EXPECT_TRUE(SafeCopy(*t, "D:\\Data\\T.Cds", "C:\\A_Run\\Work\\SarWork.Cds", 1));
    EXPECT_EQ(t.read("C:\\A_Run\\Work\\SarWork.Cds"), "new table");
    EXPECT_EQ(filesMatching(t.path("C:\\A_Run\\Work"), "*.*").size(), 1u);
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST_F(LSysCopy, SafeCopyLeavesTheTargetAloneWhenTheCopyFails) {
    t.write("D:\\Data\\T.Cds", "old table");
    EXPECT_FALSE(SafeCopy(*t, "C:\\Work\\none.Cds", "D:\\Data\\T.Cds", 1));
    EXPECT_EQ(t.read("D:\\Data\\T.Cds"), "old table");
    // One not-found warning, not one per attempt, then the service's own message.
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
    ASSERT_EQ(t.dialogs.count(Kind::Information), 1);
    EXPECT_EQ(t.dialogs.boxes.back().text, "Nepodarilo se zkopirovat soubor !-Copy");
    EXPECT_EQ(t.dialogs.boxes.back().title, "C:\\Work\\none.Cds ==> D:\\Data\\T.Cds");

    t.dialogs.clear();
    EXPECT_FALSE(SafeCopy(*t, "C:\\Work\\none.Cds", "D:\\Data\\T.Cds", 0));
    EXPECT_EQ(t.dialogs.count(Kind::Information), 0);
}

TEST_F(LSysCopy, SafeCopyWaitsForABusyTarget) {
    t->retryDelayMs = 5;
    t.write("C:\\Work\\SarWork.Cds", "new table");
    // A directory in the target's place refuses the rename until it goes away.
    fs::create_directories(t.path("D:\\Data\\T.Cds\\busy"));
    std::vector<std::string> seen;
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (const auto& f : filesMatching(t.path("D:\\Data"), "*.*")) seen.push_back(f.name);
        fs::remove_all(t.path("D:\\Data\\T.Cds"));
    });
    const bool replaced = SafeCopy(*t, "C:\\Work\\SarWork.Cds", "D:\\Data\\T.Cds", 1);
    other.join();
    EXPECT_TRUE(replaced);
    EXPECT_EQ(t.read("D:\\Data\\T.Cds"), "new table");
    // The copy waited beside the target under the target's name with six characters more.
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(maskMatches("T??????.Cds", seen[0])) << seen[0];

    // A target that stays busy: the old one is kept and no temporary file is left.
    t->retryDelayMs = 0;
    fs::create_directories(t.path("D:\\Data\\U.Cds\\busy"));
    EXPECT_FALSE(SafeCopy(*t, "C:\\Work\\SarWork.Cds", "D:\\Data\\U.Cds", 1));
    EXPECT_TRUE(fs::is_directory(t.path("D:\\Data\\U.Cds\\busy")));
    EXPECT_EQ(filesMatching(t.path("D:\\Data"), "U*.*").size(), 0u);
    EXPECT_EQ(t.dialogs.boxes.back().text,
              "Nepodarilo se zkopirovat soubor !-Rename  Ukoncete program a zavolejte odbornika.");
}

TEST_F(LSysCopy, AFileCopyThatFailsLeavesTheOldTargetAndNothingBesideIt) {
    t.write("C:\\Src\\a.Cds", std::string(100000, 'n'));
    t.write("C:\\Dst\\a.Cds", "old copy");
    {
        test::FileSizeLimit full(4096);
        EXPECT_EQ(FileCopy(*t, "C:\\Src\\a.Cds", "C:\\Dst\\a.Cds", 0), kCopyIoError);
    }
    EXPECT_EQ(t.read("C:\\Dst\\a.Cds"), "old copy");
    EXPECT_EQ(std::distance(fs::directory_iterator(t.path("C:\\Dst")), fs::directory_iterator()), 1);
    EXPECT_EQ(FileCopy(*t, "C:\\Src\\a.Cds", "C:\\Dst\\a.Cds", 0), kCopyOk);
    EXPECT_EQ(t.read("C:\\Dst\\a.Cds"), std::string(100000, 'n'));
}
