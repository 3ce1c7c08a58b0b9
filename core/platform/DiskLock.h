#pragma once

#include <chrono>
#include <filesystem>

namespace sarw {

// An exclusive lock on a file that every process respects, also one on another machine sharing
// the folder over the network where its file system passes locks on: a lock of the open file
// description (not of the process), so two holders in one process also exclude each other.
// Held while the object lives.
class DiskLock {
public:
    enum class State {
        Acquired,
        HeldElsewhere, // still held by another after the wait
        NoLocking,     // the file cannot be opened or its file system has no locks
    };

    // Tries every 100 ms until the lock is taken or `wait` has passed.
    DiskLock(const std::filesystem::path& file, std::chrono::milliseconds wait);
    ~DiskLock();
    DiskLock(const DiskLock&) = delete;
    DiskLock& operator=(const DiskLock&) = delete;

    State state() const { return state_; }

private:
    int fd_ = -1;
    State state_ = State::NoLocking;
};

} // namespace sarw
