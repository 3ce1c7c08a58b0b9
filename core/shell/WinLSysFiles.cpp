#include "shell/WinLSys.h"

#include "platform/FileMask.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace sarw {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\", "\" or "/": a prefix that names a root, never created.
bool isRoot(std::string_view dir) {
    return dir == "\\" || dir == "/" || (dir.size() == 3 && dir[1] == ':' && isSeparator(dir[2])) ||
           (dir.size() == 2 && dir[1] == ':');
}

std::string withoutTrailingSeparator(std::string dir) {
    while (dir.size() > 1 && isSeparator(dir.back()) && !isRoot(dir)) dir.pop_back();
    return dir;
}

// "." and ".." resolved and separators made single, so the current directory reads as a
// plain path.
std::string normalized(const std::string& abs) {
    const size_t rootLen = abs.size() >= 2 && abs[1] == ':' ? 3 : 1;
    std::string root = abs.substr(0, std::min(rootLen, abs.size()));
    if (root.size() == 2) root += '\\';
    const char sep = root.back() == '/' ? '/' : '\\';
    std::vector<std::string> parts;
    std::string cur;
    for (size_t i = root.size(); i <= abs.size(); ++i) {
        if (i < abs.size() && !isSeparator(abs[i])) {
            cur += abs[i];
            continue;
        }
        if (cur == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!cur.empty() && cur != ".") {
            parts.push_back(cur);
        }
        cur.clear();
    }
    std::string out = root;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? std::string(1, sep) : "") + parts[i];
    return out;
}

// A directory name made absolute against the current directory, in Windows form.
std::string absoluteDir(const Platform& p, const std::string& dir) {
    const std::string& cur = p.currentDir();
    std::string abs;
    if (!dir.empty() && dir[0] == '/') {
        abs = dir;
    } else if (dir.size() >= 2 && dir[1] == ':') {
        abs = dir.size() > 2 && isSeparator(dir[2]) ? dir : dir.substr(0, 2) + "\\" + dir.substr(2);
    } else if (!dir.empty() && dir[0] == '\\') {
        abs = cur.size() >= 2 && cur[1] == ':' ? cur.substr(0, 2) + dir : dir;
    } else {
        abs = cur;
        if (abs.empty() || !isSeparator(abs.back())) abs += '\\';
        abs += dir;
    }
    return normalized(abs);
}

// Runs fn on every file matching the mask, with the mask's directory as the current one for the
// time being. A directory that cannot be entered is skipped.
template <class Fn> void forEachMatching(Session& s, const std::string& mask, Fn fn) {
    Platform& p = s.platform();
    auto [dir, pattern] = splitDirName(mask);
    const std::string saved = p.currentDir();
    if (!dir.empty()) {
        const std::string abs = absoluteDir(p, dir);
        std::error_code ec;
        if (!fs::is_directory(p.native(abs), ec)) return;
        p.setCurrentDir(abs);
    }
    struct Restore {
        Platform& p;
        const std::string& dir;
        ~Restore() { p.setCurrentDir(dir); }
    } restore{p, saved};
    for (const auto& f : filesMatching(p.native("."), pattern)) fn(f.path);
}

// Year, month and day of the file's last write, as one number YYYYMMDD (0 when unknown).
long writeDay(const fs::path& file) {
    const FileInfo info = fileInfo(file);
    if (!info.exists) return 0;
    const std::time_t written = info.modified.seconds;
    std::tm tm{};
    localtime_r(&written, &tm);
    return (tm.tm_year + 1900L) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday;
}

// The first file matching the name (masks allowed).
std::optional<fs::path> firstMatching(Session& s, const std::string& name) {
    if (name.empty()) return std::nullopt;
    auto [dir, base] = splitDirName(name);
    std::error_code ec;
    if (!hasWildcard(base)) {
        fs::path p = s.platform().native(name);
        if (fs::is_regular_file(p, ec)) return p;
        return std::nullopt;
    }
    auto found = filesMatching(s.platform().native(dir.empty() ? "." : dir), base, 1);
    if (found.empty()) return std::nullopt;
    return found.front().path;
}

} // namespace

void deleteFileOrHalt(Session& s, const std::string& name) {
    if (deleteFile(s, name) == 0) return;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(s.platform().native(name), ec))) return;
    warning(s, "Nepodarilo se zrusit soubor:\r\r" + name + "\r\rProgram bude ukoncen !");
    throw ProgramHalt("file cannot be deleted");
}

int renameFile(Session& s, const std::string& from, const std::string& to) {
    // Renaming over the target replaces it in one step, so a failed move never costs the target.
    const fs::path src = s.platform().native(from);
    const fs::path dst = s.platform().native(to);
    const int err = renameFile(src, dst);
    if (err == 0) return 0;
    if (err != EXDEV) return 1;
    if (FileCopy(s, from, to, 0) != 0) return 1;
    removeFile(src);
    return 0;
}

void deleteByMask(Session& s, const std::string& mask) {
    forEachMatching(s, mask, [](const fs::path& f) { removeFile(f); });
}

void deleteOlderThanTodayByMask(Session& s, const std::string& mask) {
    const DateTime t = s.platform().now();
    const long today = t.year * 10000L + t.month * 100 + t.day;
    forEachMatching(s, mask, [today](const fs::path& f) {
        if (writeDay(f) < today) removeFile(f);
    });
}

namespace {

constexpr const char* kWorkDirs[] = {kReportDir, kWorkDir};

} // namespace

bool inWorkDirs(const Session& s, const std::string& name) {
    const fs::path dir = s.platform().native(name).lexically_normal().parent_path();
    for (const char* work : kWorkDirs)
        if (dir == s.platform().native(work).lexically_normal()) return true;
    return false;
}

Durability durabilityOf(const Session& s, const std::string& name) {
    return inWorkDirs(s, name) ? Durability::WorkFile : Durability::Durable;
}

int replaceWholeFile(Session& s, const std::string& name, std::string_view bytes) {
    const fs::path file = s.platform().native(name);
    // A read-only file keeps its contents, as when it was written in place.
    if (Platform::isReadOnly(file)) return EACCES;
    return replaceFile(file, bytes, durabilityOf(s, name));
}

void emptyWorkDirs(Session& s) {
    for (const char* dir : kWorkDirs) {
        deleteOlderThanTodayByMask(s, std::string(dir) + "\\*.*");
        deleteByMask(s, std::string(dir) + "\\*.*");
    }
}

void makePath(Session& s, const std::string& path) {
    if (path.empty()) return;
    std::string full = path;
    if (!isSeparator(full.back())) full += '\\';
    for (size_t i = 0; i < full.size(); ++i) {
        if (!isSeparator(full[i])) continue;
        const std::string prefix = full.substr(0, i + 1);
        if (isRoot(prefix)) continue; // drives are not made here
        std::error_code ec;
        fs::create_directory(s.platform().native(prefix), ec);
    }
}

void enterPath(Session& s, const std::string& path) {
    if (path.empty()) return;
    Platform& p = s.platform();
    std::string full = absoluteDir(p, path);
    if (!isSeparator(full.back())) full += '\\';
    for (size_t i = 0; i < full.size(); ++i) {
        if (!isSeparator(full[i])) continue;
        const std::string prefix = withoutTrailingSeparator(full.substr(0, i + 1));
        std::error_code ec;
        // As on Windows, a directory that cannot be entered leaves the current one as it was.
        if (fs::is_directory(p.native(prefix), ec)) p.setCurrentDir(prefix);
    }
}

std::uint64_t fileSize(Session& s, const std::string& name) {
    auto f = firstMatching(s, name);
    if (!f) return 0;
    std::error_code ec;
    auto size = fs::file_size(*f, ec);
    return ec ? 0 : size;
}

std::int64_t fileTime(Session& s, const std::string& name) {
    auto f = firstMatching(s, name);
    return f ? fileInfo(*f).modified.seconds : 0;
}

std::uint64_t freeSpace(Session& s, char letter) {
    const Platform& p = s.platform();
    if (letter >= 'A' && letter <= 'Z') return p.freeSpace(letter).value_or(0);
    // Any other letter measures the drive of the current directory.
    const std::string& cur = p.currentDir();
    if (cur.size() >= 2 && cur[1] == ':') return p.freeSpace(cur[0]).value_or(0);
    return freeSpaceAt(p.native(cur)).value_or(0);
}

} // namespace sarw
