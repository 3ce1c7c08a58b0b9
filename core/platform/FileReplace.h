#pragma once

#include "platform/FileWrite.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sarw {

// How a replaced file reaches the disk.
enum class Durability {
    // Flushed to disk before it takes the target's name, the folder flushed after: a crash at
    // any moment leaves the old file or the new one, never a torn one.
    Durable,
    // A work file that every run makes again: nothing waits for the disk, and the old file is
    // removed before the new one takes its name (replacing a file by a rename makes the system
    // write the new one out at once).
    WorkFile,
};

// The name of a temporary file beside a target: the target's name before its first point, "~",
// five digits, the target's extension ("T.Cds" gives "T~04711.Cds"). Every replacement writes
// under this pattern, so that what a crash left behind can be found and removed.
// A fresh number each time: the caller creates the file exclusively and tries another name when
// the name is taken.
std::string replaceTemporaryName(std::string_view targetName);
bool isReplaceTemporary(std::string_view fileName);

// Replaces a file by one written beside it under a temporary name and renamed over it when it
// is complete. The target stays as it was until commit() and whenever the replacement fails;
// it is never removed first unless it is a work file.
class FileReplacement {
public:
    FileReplacement() = default;
    // Abandons a replacement that was not committed.
    ~FileReplacement() { abandon(); }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates a temporary of a fresh name beside the target; 0 or the error. The new file has
    // the permission bits `mode`; without one, the old file's, or the default for a new name.
    int open(const std::filesystem::path& target, Durability durability,
             std::optional<unsigned> mode = std::nullopt);
    // The same under a temporary name beside the target that the caller chose with
    // replaceTemporaryName().
    int openAs(const std::filesystem::path& target, const std::filesystem::path& temporary,
               Durability durability, std::optional<unsigned> mode = std::nullopt);

    // The temporary, to be written.
    OutputFile& file() { return file_; }
    bool write(std::string_view bytes) { return file_.write(bytes); }
    const std::filesystem::path& temporary() const { return temporary_; }

    // Flushes the temporary to disk (durable) and closes it; 0 or the error, after which the
    // temporary is gone. commit() does this itself when it has not been done.
    int finish();
    // Puts the written file in the target's place: finished, renamed over the target, the folder
    // flushed (durable). 0 or the error. A failed rename keeps the temporary, so commit() may be
    // tried again; any other failure removes it.
    int commit();
    // A temporary waits to take the target's name.
    bool pending() const { return pending_; }
    // Removes the temporary; the target stays as it was.
    void abandon();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    Durability durability_ = Durability::Durable;
    OutputFile file_;
    bool pending_ = false; // a temporary exists that is not the target yet
};

// Replaces the target by the bytes; 0 or the error, the target untouched on failure.
int replaceFile(const std::filesystem::path& target, std::string_view bytes,
                Durability durability);

} // namespace sarw
