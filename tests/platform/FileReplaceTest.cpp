#include "platform/FileReplace.h"
#include "support/FileSizeLimit.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

struct FileReplace : ::testing::Test {
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }
    unsigned mode(const fs::path& p) const { return fileInfo(p).mode; }

    test::TestSession t;
    fs::path dir = t.root / "C";
    fs::path target = dir / "STAV.Cds";
};

constexpr Durability kBoth[] = {Durability::Durable, Durability::WorkFile};

} // namespace

TEST(ReplaceTemporaryName, IsBesideTheTargetAndRecognisable) {
    struct Case {
        const char* target;
        const char* head; // the temporary begins so
        const char* tail; // and ends so
    } cases[] = {{"T.Cds", "T~", ".Cds"},
                 {"STAV", "STAV~", ""},
                 {"170501SarO.a.Cds", "170501SarO~", ".Cds"},
                 {".Def", "~", ".Def"}};
    for (const auto& c : cases) {
        const std::string name = replaceTemporaryName(c.target);
        EXPECT_EQ(name.size(), std::string(c.head).size() + 5 + std::string(c.tail).size()) << name;
        EXPECT_TRUE(name.starts_with(c.head) && name.ends_with(c.tail)) << name;
        EXPECT_TRUE(isReplaceTemporary(name)) << name;
    }
    // The program's own names are never taken for temporaries.
    for (const char* other : {"T.Cds", "170501SarO.Cds", "T~1234.Cds", "T~123456.Cds",
                              "T~12a45.Cds", "T~12345.Cds.bak", "PROGRA~1", "T12345.Cds"})
        EXPECT_FALSE(isReplaceTemporary(other)) << other;
}

TEST_F(FileReplace, TheTargetIsOldUntilCommitAndNewAfterWithNoTemporaryLeft) {
    for (Durability d : kBoth) {
        t.write("C:\\STAV.Cds", "old");
        ::chmod(target.c_str(), 0640);
        FileReplacement r;
        ASSERT_EQ(r.open(target, d), 0);
        EXPECT_TRUE(isReplaceTemporary(r.temporary().filename().string()));
        EXPECT_EQ(r.temporary().parent_path(), dir);
        ASSERT_TRUE(r.write("new contents"));
        EXPECT_EQ(test::readFile(target), "old");
        EXPECT_EQ(names().size(), 2u);
        ASSERT_EQ(r.commit(), 0);
        EXPECT_EQ(test::readFile(target), "new contents");
        EXPECT_EQ(mode(target), 0640u); // the old file's permissions
        EXPECT_EQ(names(), std::vector<std::string>{"STAV.Cds"});
    }
    // A new name gets the default permissions, or those asked for.
    ASSERT_EQ(replaceFile(dir / "NEW.Txt", "x", Durability::Durable), 0);
    EXPECT_EQ(mode(dir / "NEW.Txt") & 0600, 0600u);
    FileReplacement r;
    ASSERT_EQ(r.open(dir / "LSar.H", Durability::Durable, 0600), 0);
    EXPECT_EQ(mode(r.temporary()), 0600u);
    ASSERT_EQ(r.commit(), 0);
    EXPECT_EQ(mode(dir / "LSar.H"), 0600u);
}

TEST_F(FileReplace, AFailedWriteReportsTheErrorAndLeavesTheTargetAlone) {
    const std::string big(64 << 10, 'x');
    for (Durability d : kBoth) {
        t.write("C:\\STAV.Cds", "old");
        {
            test::FileSizeLimit limit(1000);
            EXPECT_EQ(replaceFile(target, big, d), EFBIG);
        }
        EXPECT_EQ(test::readFile(target), "old");
        EXPECT_EQ(names(), std::vector<std::string>{"STAV.Cds"});
    }
    // A file that is never committed goes with its replacement.
    {
        FileReplacement r;
        ASSERT_EQ(r.open(target, Durability::Durable), 0);
        r.write("half");
    }
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"STAV.Cds"});
}

TEST_F(FileReplace, AFailedRenameKeepsTheTemporaryForAnotherTry) {
    // A folder holding the target's name refuses the rename until it goes.
    fs::create_directories(dir / "BUSY.Cds" / "in-the-way");
    FileReplacement r;
    ASSERT_EQ(r.open(dir / "BUSY.Cds", Durability::Durable), 0);
    r.write("new");
    EXPECT_NE(r.commit(), 0);
    EXPECT_TRUE(r.pending());
    EXPECT_TRUE(fs::exists(r.temporary()));
    fs::remove_all(dir / "BUSY.Cds");
    ASSERT_EQ(r.commit(), 0);
    EXPECT_EQ(test::readFile(dir / "BUSY.Cds"), "new");

    fs::create_directories(dir / "GIVEN.Cds" / "in-the-way");
    ASSERT_EQ(r.open(dir / "GIVEN.Cds", Durability::WorkFile), 0);
    EXPECT_NE(r.commit(), 0);
    r.abandon();
    EXPECT_EQ(names(), (std::vector<std::string>{"BUSY.Cds", "GIVEN.Cds"}));
}

TEST_F(FileReplace, AStreamWritesEveryPieceInOrder) {
    // Pieces smaller than the buffer, filling it exactly, and larger than it.
    std::string expected;
    FileReplacement r;
    ASSERT_EQ(r.open(target, Durability::WorkFile), 0);
    {
        OutputFileBuf buf(r.file(), 8);
        std::ostream out(&buf);
        for (std::size_t n : {3, 5, 8, 1, 20, 7, 0, 9}) {
            const std::string piece(n, static_cast<char>('a' + n % 26));
            out.write(piece.data(), static_cast<std::streamsize>(n));
            out.put('|');
            expected += piece + "|";
        }
        ASSERT_TRUE(buf.flushToFile());
    }
    ASSERT_EQ(r.commit(), 0);
    EXPECT_EQ(test::readFile(target), expected);
}
