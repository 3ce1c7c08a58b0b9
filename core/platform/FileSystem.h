#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace sarw {

// The small file-system calls of the program. Paths are native; results are 0 or the system's
// error number (errno), which windowsError() turns into the codes the messages show.

// A moment of a file's life, as the file system keeps it.
struct FileTime {
    std::int64_t seconds = 0;
    long nanoseconds = 0;
};

struct FileInfo {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    std::uint64_t size = 0;
    unsigned mode = 0; // permission bits
    FileTime accessed;
    FileTime modified;
};

// What the file system says of the file a path names (links followed); exists is false when
// there is none.
FileInfo fileInfo(const std::filesystem::path& file);
// The same of a descriptor the platform layer holds open.
FileInfo fileInfo(int descriptor);

// Gives the file plain attributes and removes it; a link goes without touching what it points
// to. 0 or the error (ENOENT when there was nothing to remove).
int removeFile(const std::filesystem::path& file);

// Gives `from` the name `to`, replacing a file of that name in one step. 0 or the error (EXDEV
// when the two lie on different file systems).
int renameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Waits until the folder's entries (a file just renamed into it) are on disk. 0 or the error; a
// file system that keeps no such order counts as done.
int syncDirectory(const std::filesystem::path& dir);

// Free bytes for the program on the file system holding the path; nullopt when it cannot be
// measured.
std::optional<std::uint64_t> freeSpaceAt(const std::filesystem::path& path);

} // namespace sarw
