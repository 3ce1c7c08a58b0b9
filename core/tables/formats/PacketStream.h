#pragma once

#include "shell/Parallel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sarw {

class InputFile;
class OutputFile;

// Input of the packet readers: bytes held in memory, or a file read in pieces so that a large
// file is never held whole beside the table it fills. The reader works relative to the current
// position: need(n) makes the next n bytes available (moving the buffer, so pointers taken
// before the call are stale), skip(n) consumes them.
class PacketSource {
public:
    explicit PacketSource(std::string_view bytes);
    // Reads the open file from its start.
    explicit PacketSource(const InputFile& file);
    ~PacketSource();
    PacketSource(const PacketSource&) = delete;
    PacketSource& operator=(const PacketSource&) = delete;

    // False when the input ends (or cannot be read) before n bytes.
    bool need(std::size_t n) { return n <= static_cast<std::size_t>(end_ - cur_) || refill(n); }
    const unsigned char* data() const { return cur_; }
    // Bytes buffered from the current position on.
    std::size_t available() const { return static_cast<std::size_t>(end_ - cur_); }
    void skip(std::size_t n) {
        cur_ += n;
        consumed_ += n;
    }
    // Bytes not consumed yet, buffered or not.
    std::uint64_t remaining() const { return total_ - consumed_; }
    std::uint64_t consumed() const { return consumed_; }
    bool readFailed() const { return readFailed_; }

private:
    bool refill(std::size_t n);

    const unsigned char* cur_ = nullptr;
    const unsigned char* end_ = nullptr;
    std::uint64_t total_ = 0;
    std::uint64_t consumed_ = 0;
    const InputFile* file_ = nullptr;
    unsigned char* buf_ = nullptr;
    std::size_t cap_ = 0;
    bool readFailed_ = false;
};

// Output of the packet writers: collects the bytes in memory, or writes them to a file in large
// blocks, each written by a thread of its own while the next is filled.
class PacketSink {
public:
    PacketSink();
    // Writing back to disk starts while the file is written unless it need not be durable.
    explicit PacketSink(OutputFile& file, bool durable = true);
    ~PacketSink();
    PacketSink(const PacketSink&) = delete;
    PacketSink& operator=(const PacketSink&) = delete;

    void put(std::string_view s) {
        if (s.size() > cap_ - len_) makeRoom(s.size());
        if (!s.empty()) s.copy(&buf_[len_], s.size());
        len_ += s.size();
    }
    void put(char c) {
        if (len_ == cap_) makeRoom(1);
        buf_[len_++] = c;
    }
    void putLE(std::uint64_t v, std::size_t bytes) {
        if (bytes > cap_ - len_) makeRoom(bytes);
        for (std::size_t i = 0; i < bytes; ++i) buf_[len_++] = static_cast<char>(v >> (8 * i));
    }
    // Room for n bytes written directly; commit(k) then adds the k bytes written.
    char* reserve(std::size_t n) {
        if (n > cap_ - len_) makeRoom(n);
        return &buf_[len_];
    }
    void commit(std::size_t n) { len_ += n; }

    // Writes what is buffered (file output); false after any write error.
    bool flush();
    // Error number of the first failed write, 0 when none.
    int error() const { return error_; }
    // The collected bytes (memory output).
    std::string take();
    // The bytes collected so far, and forgetting them (memory output).
    std::string_view collected() const { return {buf_.data(), len_}; }
    void clear() { len_ = 0; }

private:
    void makeRoom(std::size_t n);
    // Waits for the block being written, if any.
    void settle();
    void writeBlock(const char* data, std::size_t n);

    std::string buf_;
    std::string spare_; // the block being written
    Beside pending_;    // writes spare_ while buf_ fills
    std::size_t len_ = 0;
    std::size_t cap_ = 0;
    OutputFile* file_ = nullptr;
    int error_ = 0;
    std::uint64_t written_ = 0;
    std::uint64_t syncStarted_ = 0;
    bool durable_ = true;
};

} // namespace sarw
