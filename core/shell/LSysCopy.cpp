#include "shell/LSysCopy.h"

#include "platform/FileMask.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace sarw {

namespace {

constexpr size_t kBlock = 1u << 20;
constexpr size_t kRangeBlock = 64u << 20;
constexpr int kSafeAttempts = 101;

struct CopyOptions {
    bool newTime = false;
    bool durable = false; // flushed to disk before it counts as copied
    bool warn = true;     // existence warnings
    bool ask = true;      // retry questions; without them a file that will not open fails at once
};

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        int f = fd;
        fd = -1;
        return f;
    }
};

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Copies the bytes, then gives the target the source's permissions and, unless newTime, its
// time stamps. False on any input/output error.
bool copyContents(int in, int out, const struct stat& st, const CopyOptions& o) {
    // The system copies within itself where it can; where it cannot (another file system, an
    // old system), before the first byte, the bytes go through a buffer.
    bool through = false;
    for (std::uint64_t copied = 0;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kRangeBlock, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && copied == 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            through = true;
            break;
        }
        if (n < 0) return false;
        if (n == 0) break;
        copied += static_cast<std::uint64_t>(n);
    }
    std::vector<char> buf(through ? kBlock : 0);
    while (through) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        if (!writeAll(out, buf.data(), static_cast<size_t>(n))) return false;
    }
    if (!o.newTime) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(out, times) != 0) return false;
    }
    if (::fchmod(out, st.st_mode & 0777) != 0) return false;
    return !o.durable || ::fsync(out) == 0;
}

std::string targetDirOf(const std::string& target) {
    return splitDirName(target).first;
}

bool sameFile(Session& s, const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(s.platform().native(a), s.platform().native(b), ec) && !ec;
}

void removeQuietly(const fs::path& file) {
    Platform::setPlainAttributes(file);
    ::unlink(file.c_str());
}

// Opens, asking after each failure whether to try again; -1 when the user declines (or may not
// be asked).
int openWithRetry(Session& s, const std::string& name, const fs::path& p, int flags,
                  const char* again, bool ask) {
    for (;;) {
        int fd = ::open(p.c_str(), flags | O_CLOEXEC, 0600);
        if (fd >= 0) return fd;
        if (!ask || !question(s, name + "\r\r" + again)) return -1;
    }
}

int copyFile(Session& s, const std::string& source, const std::string& target,
             const CopyOptions& o) {
    if (!(o.warn ? fileExistsWarn(s, source) : fileExists(s, source))) return kCopyNoSource;
    if (source == target || sameFile(s, source, target)) {
        if (o.warn)
            warning(s, "Vstupni soubor:   " + source + "\rVystupni soubor:  " + target +
                           "\r\rSoubory se rovnaji !");
        return kCopySameFile;
    }
    const std::string dir = targetDirOf(target);
    if (!dir.empty() && !(o.warn ? dirExistsWarn(s, dir) : dirExists(s, dir)))
        return kCopyNoTargetDir;

    const fs::path src = s.platform().native(source);
    const fs::path dst = s.platform().native(target);
    // The source is opened before the old target goes, so a source that will not open costs
    // nothing.
    Fd in{openWithRetry(s, source, src, O_RDONLY, "Soubor nelze otevrit. Opakovat akci ? ", o.ask)};
    if (in.fd < 0) return kCopyDeclined;
    struct stat st {};
    if (::fstat(in.fd, &st) != 0) return kCopyIoError;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(dst, ec))) removeQuietly(dst);
    Fd out{openWithRetry(s, target, dst, O_WRONLY | O_CREAT | O_TRUNC,
                         "Soubor nelze zalozit. Opakovat akci ? ", o.ask)};
    if (out.fd < 0) return kCopyDeclined;
    bool ok = copyContents(in.fd, out.fd, st, o);
    ok = ::close(out.release()) == 0 && ok;
    if (!ok) {
        // A torn copy must not pass for the file.
        ::unlink(dst.c_str());
        return kCopyIoError;
    }
    return kCopyOk;
}

int copyWithStatus(Session& s, const std::string& source, const std::string& target,
                   const CopyOptions& o) {
    int rc = copyFile(s, source, target, o);
    s.copyStatus.success = rc == kCopyOk ? 1 : 0;
    s.copyStatus.route = rc == kCopyOk ? "" : source + "\r\r==>\r\r" + target;
    return rc;
}

std::string dropTrailingBackslash(std::string dir) {
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

// Target directory, the name before its first point, six random digits, the extension.
std::string temporaryName(Session& s, const std::string& target) {
    static thread_local std::mt19937 rng{std::random_device{}()};
    auto [dir, base] = splitDirName(target);
    const size_t lastPoint = base.rfind('.');
    const std::string ext = lastPoint == std::string::npos ? "" : base.substr(lastPoint);
    const std::string stem = base.substr(0, base.find('.'));
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/' && dir.back() != ':') dir += '\\';
    std::uniform_int_distribution<int> pick(0, 999998);
    std::string name;
    do {
        name = dir + stem + zeroPadInt(pick(rng), 6) + ext;
    } while (fileExists(s, name));
    return name;
}

void syncDirectory(const fs::path& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The copy to the temporary file: deterministic failures end it at once, others are retried
// quietly; the last attempt asks the user as FileCopy does.
bool copyToTemporary(Session& s, const std::string& source, const std::string& temp) {
    for (int attempt = 1; attempt <= kSafeAttempts; ++attempt) {
        CopyOptions o;
        // Work files are computed again by every run: they need not wait for the disk.
        o.durable = !inWorkDirs(s, temp);
        o.warn = attempt == 1;
        o.ask = attempt == kSafeAttempts;
        const int rc = copyWithStatus(s, source, temp, o);
        if (rc == kCopyOk) return true;
        if (rc == kCopyNoSource || rc == kCopySameFile || rc == kCopyNoTargetDir) return false;
        if (attempt < kSafeAttempts) s.pause();
    }
    return false;
}

bool renameWithRetry(Session& s, const fs::path& from, const fs::path& to) {
    for (int attempt = 1; attempt <= kSafeAttempts; ++attempt) {
        if (::rename(from.c_str(), to.c_str()) == 0) return true;
        if (attempt < kSafeAttempts) s.pause();
    }
    return false;
}

} // namespace

int FileCopy(Session& s, const std::string& source, const std::string& target,
             std::uint8_t newTime) {
    CopyOptions o;
    o.newTime = newTime != 0;
    return copyWithStatus(s, source, target, o);
}

int DirFileCopy(Session& s, const std::string& name, const std::string& sourceDir,
                const std::string& targetDir, std::uint8_t newTime) {
    return FileCopy(s, dropTrailingBackslash(sourceDir) + "\\" + name,
                    dropTrailingBackslash(targetDir) + "\\" + name, newTime);
}

void CopyFiles(Session& s, const std::string& mask, const std::string& sourceDir,
               const std::string& targetDir, std::uint8_t mode) {
    const std::string to = dropTrailingBackslash(targetDir);
    const auto files = filesMatching(s.platform().native(sourceDir), mask, 1000);
    // One warning for a missing target directory instead of one per file.
    if (files.empty() || !dirExistsWarn(s, to)) return;
    for (const auto& f : files) {
        const fs::path dst = s.platform().native(to + "\\" + f.name);
        std::error_code ec;
        const bool exists = fs::is_regular_file(dst, ec);
        bool copy = mode == 0 || (mode == 2 && !exists);
        if (mode == 1)
            copy = !exists || fs::last_write_time(dst, ec) < fs::last_write_time(f.path, ec);
        if (copy) DirFileCopy(s, f.name, sourceDir, to, 0);
        if (fs::exists(dst, ec)) Platform::setPlainAttributes(dst);
    }
}

bool FileMove(Session& s, const std::string& source, const std::string& target) {
    if (source.empty() || target.empty()) return false;
    const fs::path src = s.platform().native(source);
    const fs::path dst = s.platform().native(target);
    if (sameFile(s, source, target)) return true;
    if (upperCaseChar(source[0]) == upperCaseChar(target[0])) {
        // Renaming over the target replaces it in one step.
        if (::rename(src.c_str(), dst.c_str()) == 0) return true;
        if (errno != EXDEV) return false;
    }
    if (FileCopy(s, source, target, 0) != kCopyOk) return false;
    removeQuietly(src);
    return true;
}

bool SafeCopy(Session& s, const std::string& source, const std::string& target,
              std::uint8_t messages) {
    const std::string caption = source + " ==> " + target;
    const std::string temp = temporaryName(s, target);
    const fs::path tempPath = s.platform().native(temp);
    if (!copyToTemporary(s, source, temp)) {
        if (messages) information(s, "Nepodarilo se zkopirovat soubor !-Copy", caption);
        return false;
    }
    // rename replaces the old target atomically: no moment without a target. A work file is
    // removed first instead: replacing a file by a rename makes the system write the new one out
    // at once, which work files, made again on demand, do not need.
    const fs::path dst = s.platform().native(target);
    if (inWorkDirs(s, target)) removeQuietly(dst);
    if (!renameWithRetry(s, tempPath, dst)) {
        removeQuietly(tempPath);
        if (messages)
            information(s,
                        "Nepodarilo se zkopirovat soubor !-Rename  Ukoncete program a zavolejte "
                        "odbornika.",
                        caption);
        return false;
    }
    if (!inWorkDirs(s, target)) syncDirectory(dst.parent_path());
    return true;
}

} // namespace sarw
