#pragma once

// Inside tables/fast only: the folder's interface headers (those that say so) are what the code
// outside uses.

#include "platform/FileRead.h"
#include "shell/Parallel.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

namespace sarw {

// A whole file read into memory in blocks by threads of their own, so that the caller can look
// at the first blocks while the rest arrive. Small files, and any file when no thread is to be
// had, are read at once.
class FileBlockReader {
public:
    static constexpr std::uint64_t kBlock = 4u << 20;
    static constexpr std::uint64_t kThreadedFrom = 16u << 20;

    FileBlockReader() = default;
    ~FileBlockReader();
    FileBlockReader(const FileBlockReader&) = delete;
    FileBlockReader& operator=(const FileBlockReader&) = delete;

    // Starts reading a regular, non-empty file; false when it cannot be opened or is none.
    bool start(const std::filesystem::path& file, std::uint64_t block = kBlock,
               std::uint64_t threadedFrom = kThreadedFrom);
    std::uint64_t size() const { return size_; }
    const char* data() const { return bytes_.get(); }
    // Waits until the first `end` bytes (at most the size) have been read; gives how many have
    // been read by then, fewer than `end` only when reading failed.
    std::uint64_t wait(std::uint64_t end);
    // Waits for the whole file; false when reading failed. The bytes are then the caller's.
    bool finish(std::unique_ptr<char[]>& bytes);

private:
    static constexpr unsigned kReaders = 2;

    void readBlocks();
    void stop();

    InputFile file_;
    std::uint64_t size_ = 0;
    std::unique_ptr<char[]> bytes_;
    std::array<Beside, kReaders> readers_;
    bool threaded_ = false; // readers started
    std::uint64_t block_ = 0;
    std::atomic<std::size_t> claimed_ = 0; // blocks taken by a reader
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::uint64_t done_ = 0;           // guarded by mutex_: bytes [0, done_) have been read
    std::vector<bool> arrived_blocks_; // guarded by mutex_
    std::size_t next_ = 0;             // guarded by mutex_: the first block not read yet
    bool failed_ = false;              // guarded by mutex_
    bool cancel_ = false;              // guarded by mutex_
};

} // namespace sarw
