#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace sarw {

// A file open for reading. Reads name their offset and move no shared position, so several
// threads may read one file at once.
class InputFile {
public:
    InputFile() = default;
    ~InputFile() { close(); }
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;

    // Opens the file (a folder opens too: info() tells); 0 or the error.
    int open(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // Of the open file, as it was when it was opened.
    const FileInfo& info() const { return info_; }
    std::uint64_t size() const { return info_.size; }

    // Up to n bytes from offset on: how many were read, 0 at the end, -1 when reading failed.
    long long readAt(void* into, std::size_t n, std::uint64_t offset) const;
    // Exactly n bytes from offset on; false when the file ends before or reading fails.
    bool readExactAt(void* into, std::size_t n, std::uint64_t offset) const;

private:
    friend class OutputFile; // copies within the system from the descriptor

    int fd_ = -1;
    FileInfo info_;
};

// The whole of a regular file; false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& file, std::string& bytes);

} // namespace sarw
