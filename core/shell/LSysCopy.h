#pragma once

#include <cstdint>
#include <string>

namespace sarw {

class Session;

// Whole-file copies between the program's trees. Names are Windows-form texts; every FileCopy
// writes Session::copyStatus.

// Result codes of FileCopy.
constexpr int kCopyOk = 0;
constexpr int kCopyNoSource = -1;
constexpr int kCopySameFile = -2;
constexpr int kCopyNoTargetDir = -3;
constexpr int kCopyIoError = -4;
constexpr int kCopyDeclined = -5; // the user declined to retry opening or creating a file

// Copies source to target, keeping the source's attributes, and its time stamp when newTime is
// 0 (otherwise the copy has the time of copying).
int FileCopy(Session& s, const std::string& source, const std::string& target,
             std::uint8_t newTime);
// FileCopy of sourceDir\name to targetDir\name (one trailing backslash of each is dropped).
int DirFileCopy(Session& s, const std::string& name, const std::string& sourceDir,
                const std::string& targetDir, std::uint8_t newTime);
// Copies the files of sourceDir matching the mask (at most 1000): mode 0 all, mode 1 those
// missing or older in the target, mode 2 only the missing ones. Targets end up writable.
void CopyFiles(Session& s, const std::string& mask, const std::string& sourceDir,
               const std::string& targetDir, std::uint8_t mode);
// Renames within one drive; between drives (or file systems) copies and then deletes the source,
// which is kept when the copy failed. True when the file is at the target.
bool FileMove(Session& s, const std::string& source, const std::string& target);
// Replaces target by a copy of source through a temporary file beside the target that is flushed
// to disk and renamed over it, so a crash leaves the old or the new target. Each step is retried
// for about ten seconds; messages 0 keeps its own failure messages quiet. True when replaced.
bool SafeCopy(Session& s, const std::string& source, const std::string& target,
              std::uint8_t messages);

} // namespace sarw
