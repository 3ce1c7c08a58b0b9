// A file read in blocks by threads of its own arrives whole and byte for byte; what is no file
// to read is refused.
#include "tables/fast/FileBlockReader.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace sarw;

TEST(FileBlockReader, ReadsTheWholeFileInAnyBlockSize) {
    test::TestSession t;
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>(i * 7 % 251);
    const auto file = t.root / "blocks.bin";
    std::ofstream(file, std::ios::binary) << bytes;
    // Threaded in blocks that do not divide the size, of one byte, and read at once.
    for (auto [block, threadedFrom] : {std::pair<std::uint64_t, std::uint64_t>{4093, 0},
                                       {1, 0}, {1u << 20, 0}, {4093, 1u << 30}}) {
        SCOPED_TRACE("block " + std::to_string(block) + " from " + std::to_string(threadedFrom));
        FileBlockReader reader;
        ASSERT_TRUE(reader.start(file, block, threadedFrom));
        ASSERT_EQ(reader.size(), bytes.size());
        // What has arrived is already in place while the rest is read.
        ASSERT_GE(reader.wait(5000), 5000u);
        EXPECT_EQ(std::string(reader.data(), 5000), bytes.substr(0, 5000));
        EXPECT_EQ(reader.wait(1u << 30), bytes.size());
        std::unique_ptr<char[]> whole;
        ASSERT_TRUE(reader.finish(whole));
        EXPECT_EQ(std::string(whole.get(), bytes.size()), bytes);
    }
    // Left before the end: the thread is stopped with the reader.
    FileBlockReader early;
    ASSERT_TRUE(early.start(file, 1, 0));
}

TEST(FileBlockReader, RefusesWhatIsNoFileToRead) {
    test::TestSession t;
    std::ofstream(t.root / "empty.bin", std::ios::binary);
    for (const char* name : {"missing.bin", "empty.bin", ""}) {
        SCOPED_TRACE(name);
        FileBlockReader reader;
        EXPECT_FALSE(reader.start(t.root / name, 16, 0));
        std::unique_ptr<char[]> bytes;
        EXPECT_FALSE(reader.finish(bytes));
        EXPECT_FALSE(bytes);
    }
}
