#include "platform/FileRead.h"
#include "platform/Platform.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

namespace fs = std::filesystem;
using namespace sarw;

TEST(InputFile, ReadsAtAnyOffsetWithoutASharedPosition) {
    test::TestSession t;
    std::string bytes;
    for (int i = 0; i < 300000; ++i) bytes += static_cast<char>(i * 13 % 251);
    t.write("C:\\Big.Cds", bytes);
    InputFile in;
    ASSERT_EQ(in.open(t.root / "C" / "Big.Cds"), 0);
    EXPECT_TRUE(in.info().regular);
    EXPECT_EQ(in.size(), bytes.size());

    // Two threads reading their own halves backwards block by block.
    std::string back(bytes.size(), '\0');
    auto readHalf = [&](std::size_t from, std::size_t to) {
        for (std::size_t end = to; end > from;) {
            const std::size_t start = end - std::min<std::size_t>(4099, end - from);
            EXPECT_TRUE(in.readExactAt(back.data() + start, end - start, start));
            end = start;
        }
    };
    std::thread other(readHalf, 0, bytes.size() / 2);
    readHalf(bytes.size() / 2, bytes.size());
    other.join();
    EXPECT_EQ(back, bytes);

    // At the end: the bytes there are, then nothing.
    char tail[10];
    EXPECT_EQ(in.readAt(tail, sizeof tail, bytes.size() - 4), 4);
    EXPECT_EQ(std::string(tail, 4), bytes.substr(bytes.size() - 4));
    EXPECT_EQ(in.readAt(tail, sizeof tail, bytes.size()), 0);
    EXPECT_FALSE(in.readExactAt(tail, sizeof tail, bytes.size() - 4));

    std::string whole;
    ASSERT_TRUE(readWholeFile(t.root / "C" / "Big.Cds", whole));
    EXPECT_EQ(whole, bytes);
}

TEST(InputFile, TellsWhatCannotBeRead) {
    test::TestSession t;
    InputFile in;
    EXPECT_EQ(in.open(t.root / "C" / "none.Cds"), ENOENT);
    EXPECT_FALSE(in.isOpen());
    // A folder opens, and says so; it is no whole file to read.
    ASSERT_EQ(in.open(t.root / "C"), 0);
    EXPECT_TRUE(in.info().directory);
    std::string bytes;
    EXPECT_FALSE(readWholeFile(t.root / "C", bytes));
    EXPECT_FALSE(readWholeFile(t.root / "C" / "none.Cds", bytes));
}

TEST(RemoveFile, RemovesReadOnlyFilesAndLinksWithoutTouchingWhatTheyPointTo) {
    test::TestSession t;
    const fs::path dir = t.root / "C";
    t.write("C:\\ro.Cds", "x");
    Platform::setReadOnly(dir / "ro.Cds", true);
    // A second name of the read-only file shows that it was made plain before it went.
    fs::create_hard_link(dir / "ro.Cds", dir / "other-name.Cds");
    t.write("C:\\kept.Cds", "y");
    Platform::setReadOnly(dir / "kept.Cds", true);
    fs::create_symlink(dir / "kept.Cds", dir / "link.Cds");

    EXPECT_EQ(removeFile(dir / "ro.Cds"), 0);
    EXPECT_FALSE(fs::exists(dir / "ro.Cds"));
    EXPECT_FALSE(Platform::isReadOnly(dir / "other-name.Cds"));
    EXPECT_EQ(removeFile(dir / "link.Cds"), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "link.Cds")));
    EXPECT_TRUE(Platform::isReadOnly(dir / "kept.Cds"));
    EXPECT_EQ(removeFile(dir / "ro.Cds"), ENOENT);
}
