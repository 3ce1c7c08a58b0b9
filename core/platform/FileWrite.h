#pragma once

#include "platform/FileRead.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <streambuf>
#include <string_view>

namespace sarw {

// A file open for writing. Every write, copy and flush to disk of the program passes through
// these calls. The first failure is kept: later calls do nothing and fail, and error() gives it
// (errno), so a writer may check once at the end.
class OutputFile {
public:
    OutputFile() = default;
    // Closes without waiting for the disk.
    ~OutputFile() { close(); }
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;

    // Creates the file with the permission bits `mode` (less the umask), or empties the one of
    // that name; with `exclusive` an existing name fails with EEXIST. 0 or the error.
    int create(const std::filesystem::path& file, bool exclusive = false, unsigned mode = 0666);
    // Opens an existing file to be written in place; 0 or the error.
    int openExisting(const std::filesystem::path& file);
    bool isOpen() const { return fd_ >= 0; }
    int error() const { return error_; }

    // Appends all n bytes.
    bool write(const void* data, std::size_t n);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // Puts all n bytes at the offset, wherever the appending writes stand.
    bool writeAt(const void* data, std::size_t n, std::uint64_t offset);
    // Appends the whole input file from its start: within the system where it can, else through
    // a buffer.
    bool copyFrom(const InputFile& in);
    // Starts writing the bytes [from, from + length) out to disk without waiting for them, so
    // that a later sync() of a large file has little left to do.
    void startWriteBack(std::uint64_t from, std::uint64_t length);
    // Exactly these permission bits; the time stamps.
    bool setMode(unsigned mode);
    bool setTimes(const FileTime& accessed, const FileTime& modified);
    // Returns when everything written is on disk.
    bool sync();
    // False when closing failed or any call before it did.
    bool close();

private:
    bool fail(int err);
    int openWith(const std::filesystem::path& file, int flags, unsigned mode);
    bool put(const void* data, std::size_t n, std::int64_t offset);

    int fd_ = -1;
    int error_ = 0;
};

// A stream buffer that writes through an OutputFile, for writers that make their text as a
// stream. flushToFile() at the end; the file's error() tells whether everything was written.
class OutputFileBuf : public std::streambuf {
public:
    explicit OutputFileBuf(OutputFile& file, std::size_t size = 256u << 10);
    bool flushToFile();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override { return flushToFile() ? 0 : -1; }

private:
    OutputFile& file_;
    std::unique_ptr<char[]> buf_; // not cleared: only what is put in is written
    std::size_t size_;
};

} // namespace sarw
