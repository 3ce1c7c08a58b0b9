#include "archive/Archive.h"

#include "platform/FileMask.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"

#include <ctime>

namespace sarw {

namespace {

// Seconds and nanoseconds of the last write, or the local day YYYYMMDD in the first member.
struct Stamp {
    long long major = 0;
    long long minor = 0;
    bool operator>=(const Stamp& o) const {
        return major != o.major ? major > o.major : minor >= o.minor;
    }
};

bool stampOf(const std::filesystem::path& p, bool dayOnly, Stamp& out) {
    const FileInfo info = fileInfo(p);
    if (!info.exists) return false;
    if (!dayOnly) {
        out = {info.modified.seconds, info.modified.nanoseconds};
        return true;
    }
    const std::time_t written = info.modified.seconds;
    std::tm tm{};
    localtime_r(&written, &tm);
    out = {(tm.tm_year + 1900LL) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday, 0};
    return true;
}

// The pattern of every archived copy of a file: "*" before the first point of its name.
std::string copiesPattern(const std::string& base) {
    const size_t point = base.find('.');
    if (point == std::string::npos) return base + "*.*";
    return base.substr(0, point) + "*" + base.substr(point);
}

bool needsArchive(Session& s, const std::string& file, const std::string& dir, bool dayOnly) {
    if (!fileExists(s, file)) return false;
    makePath(s, dir);
    Stamp fileStamp;
    if (!stampOf(s.platform().native(file), dayOnly, fileStamp)) return false;
    const std::string base = splitDirName(file).second;
    for (const auto& copy : filesMatching(s.platform().native(dir), copiesPattern(base))) {
        // Only generations count: a temporary, or a copy under the table's own name that an
        // earlier version left torn when it was killed before the rename, is no archived copy.
        if (isReplaceTemporary(copy.name) || fileNameUpper(copy.name) == fileNameUpper(base))
            continue;
        Stamp copyStamp;
        if (stampOf(copy.path, dayOnly, copyStamp) && copyStamp >= fileStamp) return false;
    }
    return true;
}

int renameCode(Session& s, const std::string& from, const std::string& to) {
    const auto src = s.platform().native(from);
    const auto dst = s.platform().native(to);
    return windowsError(renameFile(src, dst));
}

void checkCount(Session& s, int count) {
    if (count >= 2 && count <= 998 && count % 2 == 0) return;
    s.dialogs().error("Chybny pocet generaci archivu: " + std::to_string(count) +
                          "\r\rProgram bude ukoncen.",
                      "SarW");
    throw ProgramHalt("archive generation count not even");
}

// Drops generation 1 and moves every other one down, leaving generation count free.
void rotate(Session& s, const std::string& dir, const std::string& base, int count) {
    const std::string first = dir + generationName(base, 1);
    fatalCode(s, deleteFile(s, first), first + "-ERASE");
    for (int k = 2; k <= count; ++k) {
        const std::string from = dir + generationName(base, k);
        fatalCode(s, renameCode(s, from, dir + generationName(base, k - 1)), from + "-RENAME");
    }
}

} // namespace

std::string archiveDir(const Session& s) {
    return workDir(s, "Archiv");
}

std::string generationName(std::string_view name, int k) {
    const size_t baseStart = name.find_last_of("\\/:") + 1; // npos + 1 == 0
    const size_t point = name.find('.', baseStart);
    const std::string tag = "_" + zeroPadInt(k, 3);
    std::string out(name);
    return point == std::string::npos ? out + tag : out.insert(point, tag);
}

bool needsArchiveByDate(Session& s, const std::string& file, const std::string& dir) {
    return needsArchive(s, file, dir, true);
}

bool needsArchiveByTime(Session& s, const std::string& file, const std::string& dir) {
    return needsArchive(s, file, dir, false);
}

std::string Archive(Session& s, const std::string& file, const std::string& dir, int count) {
    checkCount(s, count);
    if (!fileExists(s, file)) return "";
    Platform& p = s.platform();
    struct Restore {
        Platform& p;
        std::string dir;
        ~Restore() { p.setCurrentDir(dir); }
    } restore{p, p.currentDir()};
    makePath(s, dir);
    if (!dirExists(s, dir)) fatalCode(s, 3, dir + "-CHDIR");
    p.setCurrentDir(dir);

    const std::string base = splitDirName(file).second;
    const std::string archDir = dir.back() == '\\' ? dir : dir + "\\";
    // Without a fresh copy the rotation would drop the oldest generation for nothing. It is
    // made whole under a temporary name and only then becomes a generation, so a crash never
    // leaves a torn copy that could pass for one.
    const std::string fresh = archDir + replaceTemporaryName(base);
    // Whatever step fails (and halts), the fresh copy does not stay behind.
    struct Fresh {
        Session& s;
        const std::string& name;
        bool kept = false;
        ~Fresh() {
            if (!kept) deleteFile(s, name);
        }
    } freshCopy{s, fresh};
    // The steps are named by the table's name in the archive, as the user knows it.
    const std::string named = archDir + base;
    fatalCode(s, SafeCopy(s, file, fresh, 0) ? 0 : kCopyIoError, named + "-COPY");

    int k = 1;
    while (k <= count && fileExists(s, archDir + generationName(base, k))) ++k;
    if (k > count) {
        rotate(s, archDir, base, count);
        k = count;
    }
    const std::string generation = archDir + generationName(base, k);
    const int renamed = renameCode(s, fresh, generation);
    freshCopy.kept = renamed == 0;
    fatalCode(s, renamed, named + "-RENAME");
    return generation;
}

} // namespace sarw
