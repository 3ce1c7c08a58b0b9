#include "shell/LSysCopy.h"

#include "platform/FileMask.h"
#include "platform/FileReplace.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>

namespace fs = std::filesystem;

namespace sarw {

namespace {

constexpr int kSafeAttempts = 101;

struct CopyOptions {
    bool newTime = false;
    bool warn = true; // existence warnings
    bool ask = true;  // retry questions; without them a file that will not open fails at once
    // SafeCopy's copy: the target is the temporary of this replacement of `replaced`.
    FileReplacement* replacement = nullptr;
    fs::path replaced;
    Durability durability = Durability::Durable;
};

// Copies the bytes, then gives the target the source's permissions and, unless newTime, its
// time stamps. False on any input/output error.
bool copyContents(const InputFile& in, OutputFile& out, const CopyOptions& o) {
    out.copyFrom(in);
    if (!o.newTime) out.setTimes(in.info().accessed, in.info().modified);
    out.setMode(in.info().mode & 0777);
    return out.error() == 0;
}

std::string targetDirOf(const std::string& target) {
    return splitDirName(target).first;
}

bool sameFile(Session& s, const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(s.platform().native(a), s.platform().native(b), ec) && !ec;
}

// Runs open until it gives 0, asking after each failure whether to try again; false when the
// user declines (or may not be asked).
template <class Open>
bool openWithRetry(Session& s, const std::string& name, const char* again, bool ask, Open open) {
    for (;;) {
        if (open() == 0) return true;
        if (!ask || !question(s, name + "\r\r" + again)) return false;
    }
}

constexpr const char* kCannotCreate = "Soubor nelze zalozit. Opakovat akci ? ";

// Makes the replacement's temporary to copy into.
bool createTarget(Session& s, const std::string& target, const fs::path& dst,
                  const CopyOptions& o) {
    return openWithRetry(s, target, kCannotCreate, o.ask, [&] {
        return o.replacement->openAs(o.replaced, dst, o.durability, 0600);
    });
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
    InputFile in;
    if (!openWithRetry(s, source, "Soubor nelze otevrit. Opakovat akci ? ", o.ask,
                       [&] { return in.open(src); }))
        return kCopyDeclined;
    if (o.replacement) {
        if (!createTarget(s, target, dst, o)) return kCopyDeclined;
        // Flushed to disk before it counts as copied.
        const bool ok = copyContents(in, o.replacement->file(), o);
        if (!ok) o.replacement->abandon();
        return ok && o.replacement->finish() == 0 ? kCopyOk : kCopyIoError;
    }
    // Written beside the target and renamed over it: a crash or a failed write never leaves a
    // torn copy that would pass for the file.
    FileReplacement local;
    if (!openWithRetry(s, target, kCannotCreate, o.ask,
                       [&] { return local.open(dst, durabilityOf(s, target), 0600); }))
        return kCopyDeclined;
    if (!copyContents(in, local.file(), o) || local.finish() != 0) {
        local.abandon();
        return kCopyIoError;
    }
    // A target that cannot be replaced (a folder in the way, no rights) is asked about as one
    // that cannot be made.
    int err = 0;
    const bool done = openWithRetry(s, target, kCannotCreate, o.ask, [&] {
        err = local.commit();
        return local.pending() ? err : 0; // only a failed rename is worth trying again
    });
    local.abandon();
    if (!done) return kCopyDeclined;
    return err == 0 ? kCopyOk : kCopyIoError;
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

// A temporary beside the target under the name pattern of every replacement.
std::string temporaryName(Session& s, const std::string& target) {
    auto [dir, base] = splitDirName(target);
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/' && dir.back() != ':') dir += '\\';
    std::string name;
    do {
        name = dir + replaceTemporaryName(base);
    } while (fileExists(s, name));
    return name;
}

// The copy to the temporary file: deterministic failures end it at once, others are retried
// quietly; the last attempt asks the user as FileCopy does.
bool copyToTemporary(Session& s, const std::string& source, const std::string& temp,
                     CopyOptions o) {
    for (int attempt = 1; attempt <= kSafeAttempts; ++attempt) {
        o.warn = attempt == 1;
        o.ask = attempt == kSafeAttempts;
        const int rc = copyWithStatus(s, source, temp, o);
        if (rc == kCopyOk) return true;
        if (rc == kCopyNoSource || rc == kCopySameFile || rc == kCopyNoTargetDir) return false;
        if (attempt < kSafeAttempts) s.pause();
    }
    return false;
}

// The rename over the target, tried again while it fails.
bool commitWithRetry(Session& s, FileReplacement& replacement) {
    for (int attempt = 1; attempt <= kSafeAttempts; ++attempt) {
        if (replacement.commit() == 0) return true;
        if (!replacement.pending()) return false;
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
        const int err = renameFile(src, dst);
        if (err == 0) return true;
        if (err != EXDEV) return false;
    }
    if (FileCopy(s, source, target, 0) != kCopyOk) return false;
    removeFile(src);
    return true;
}

bool SafeCopy(Session& s, const std::string& source, const std::string& target,
              std::uint8_t messages) {
    const std::string caption = source + " ==> " + target;
    // Work files are computed again by every run: they need not wait for the disk.
    CopyOptions o;
    o.durability = inWorkDirs(s, target) ? Durability::WorkFile : Durability::Durable;
    o.replaced = s.platform().native(target);
    FileReplacement replacement;
    o.replacement = &replacement;
    if (!copyToTemporary(s, source, temporaryName(s, target), o)) {
        if (messages) information(s, "Nepodarilo se zkopirovat soubor !-Copy", caption);
        return false;
    }
    // The rename replaces the old target in one step: no moment without a target.
    if (!commitWithRetry(s, replacement)) {
        replacement.abandon();
        if (messages)
            information(s,
                        "Nepodarilo se zkopirovat soubor !-Rename  Ukoncete program a zavolejte "
                        "odbornika.",
                        caption);
        return false;
    }
    return true;
}

} // namespace sarw
