#include "platform/Platform.h"

#include "platform/Cp1250.h"
#include "platform/DesktopOpen.h"
#include "platform/FileSystem.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace sarw {

namespace {

// Reads "DD.MM.YYYY" or "HH:MM:SS" into three numbers; false when the text has another shape.
bool readTriple(const char* text, char sep, int& a, int& b, int& c) {
    if (!text) return false;
    std::string s(text);
    if (sep == '.' && (s.size() != 10 || s[2] != '.' || s[5] != '.')) return false;
    if (sep == ':' && (s.size() != 8 || s[2] != ':' || s[5] != ':')) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (i != 2 && i != 5 && (s[i] < '0' || s[i] > '9')) return false;
    a = std::atoi(s.substr(0, 2).c_str());
    b = std::atoi(s.substr(3, 2).c_str());
    c = std::atoi(s.substr(6).c_str());
    return true;
}

// Splits a Windows-form text into its components; backslashes and slashes both separate.
std::vector<std::string> components(std::string_view path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!cur.empty()) parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(std::move(cur));
    return parts;
}

// Appends one component to dir: the exact name when it exists, else an existing entry whose
// name matches without regard to case, else the name as written.
fs::path appendComponent(const fs::path& dir, const std::string& cp1250Name) {
    if (cp1250Name == ".") return dir;
    if (cp1250Name == "..") return dir.parent_path();
    std::string utf8 = cp1250ToUtf8(cp1250Name);
    fs::path exact = dir / utf8;
    std::error_code ec;
    const auto type = fs::symlink_status(exact, ec).type();
    if (type != fs::file_type::not_found && type != fs::file_type::none) return exact;
    const bool wild = cp1250Name.find_first_of("*?") != std::string::npos;
    if (wild) return exact;
    std::string wanted = fileNameUpper(cp1250Name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        std::string entry1250 = isValidUtf8(entry) ? utf8ToCp1250(entry) : entry;
        if (fileNameUpper(entry1250) == wanted) return it->path();
    }
    return exact;
}

} // namespace

int windowsError(int e) {
    switch (e) {
    case 0: return 0;
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EACCES:
    case EPERM:
    case EISDIR: return 5;
    case EBUSY:
    case ETXTBSY: return 32;
    case EROFS: return 19;
    case ENOSPC: return 112;
    case EEXIST: return 80;
    case ENAMETOOLONG: return 206;
    default: return e;
    }
}

std::string fileNameUpper(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z') c -= 0x20;
        else if (c == 0x9A || c == 0x9C || c == 0x9D || c == 0x9E || c == 0x9F) c -= 0x10;
        else if (c == 0xB3) c = 0xA3;
        else if (c == 0xB9) c = 0xA5;
        else if (c == 0xBA) c = 0xAA;
        else if (c == 0xBE) c = 0xBC;
        else if (c == 0xBF) c = 0xAF;
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c -= 0x20;
        ch = static_cast<char>(c);
    }
    return out;
}

Platform::Platform(fs::path drivesRoot) : drivesRoot_(std::move(drivesRoot)) {}

Platform Platform::fromEnvironment() {
    fs::path root;
    if (const char* d = std::getenv("SARW_DRIVES"); d && *d) {
        root = d;
    } else {
        const char* home = std::getenv("HOME");
        root = fs::path(home && *home ? home : ".") / ".sarw";
    }
    Platform p(root);
    int a, b, c;
    if (readTriple(std::getenv("SARW_TODAY"), '.', a, b, c)) {
        DateTime d;
        d.day = a;
        d.month = b;
        d.year = c;
        p.setFixedDate(d);
    }
    if (readTriple(std::getenv("SARW_NOW"), ':', a, b, c)) {
        DateTime t;
        t.hour = a;
        t.minute = b;
        t.second = c;
        p.setFixedTime(t);
    }
    return p;
}

fs::path Platform::driveFolder(char letter) const {
    char up = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 0x20) : letter;
    return drivesRoot_ / std::string(1, up);
}

std::string Platform::programName(const fs::path& nativeFile) const {
    const fs::path file = fs::weakly_canonical(nativeFile);
    const fs::path root = fs::weakly_canonical(drivesRoot_);
    const fs::path relative = file.lexically_relative(root);
    const std::string first = relative.empty() ? std::string() : relative.begin()->string();
    const bool inDrive = first.size() == 1 && std::isalpha(static_cast<unsigned char>(first[0]));
    if (!inDrive) return nativeFile.string();
    // Native names are UTF-8; the program's are Windows-1250.
    std::string name = first + ":";
    for (auto it = std::next(relative.begin()); it != relative.end(); ++it)
        name += "\\" + utf8ToCp1250(it->string());
    if (name.size() == 2) name += "\\";
    return name;
}

fs::path Platform::native(std::string_view winPath) const {
    if (!winPath.empty() && winPath[0] == '/') {
        fs::path p("/");
        for (const auto& c : components(winPath)) p = appendComponent(p, c);
        return p;
    }
    std::string full;
    const bool hasDrive = winPath.size() >= 2 && winPath[1] == ':' &&
                          std::isalpha(static_cast<unsigned char>(winPath[0]));
    if (hasDrive) {
        full = std::string(winPath);
    } else if (!winPath.empty() && (winPath[0] == '\\')) {
        // The root of the current drive; a native current directory counts as drive C.
        const bool nativeDir = !currentDir_.empty() && currentDir_[0] == '/';
        full = (nativeDir ? std::string("C:") : currentDir_.substr(0, 2)) + std::string(winPath);
    } else {
        full = currentDir_;
        if (!full.empty() && full.back() != '\\') full += '\\';
        full += winPath;
    }
    if (full.size() >= 2 && full[1] == ':') {
        fs::path p = driveFolder(full[0]);
        for (const auto& c : components(std::string_view(full).substr(2))) p = appendComponent(p, c);
        return p;
    }
    // A current directory that is native itself.
    fs::path p(full.empty() || full[0] != '/' ? fs::current_path() : fs::path("/"));
    for (const auto& c : components(full)) p = appendComponent(p, c);
    return p;
}

DateTime Platform::now() const {
    DateTime r;
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    r.year = tm.tm_year + 1900;
    r.month = tm.tm_mon + 1;
    r.day = tm.tm_mday;
    r.hour = tm.tm_hour;
    r.minute = tm.tm_min;
    r.second = tm.tm_sec;
    if (fixedDate_) {
        r.year = fixedDate_->year;
        r.month = fixedDate_->month;
        r.day = fixedDate_->day;
    }
    if (fixedTime_) {
        r.hour = fixedTime_->hour;
        r.minute = fixedTime_->minute;
        r.second = fixedTime_->second;
    }
    return r;
}

bool Platform::driveUsable(char letter) const {
    if (!std::isalpha(static_cast<unsigned char>(letter))) return false;
    std::error_code ec;
    return fs::is_directory(driveFolder(letter), ec);
}

std::optional<std::uint64_t> Platform::freeSpace(char letter) const {
    if (!std::isalpha(static_cast<unsigned char>(letter))) return std::nullopt;
    return freeSpaceAt(driveFolder(letter));
}

bool Platform::isReadOnly(const fs::path& p) {
    std::error_code ec;
    auto perms = fs::status(p, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

void Platform::setReadOnly(const fs::path& p, bool readOnly) {
    std::error_code ec;
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (readOnly)
        fs::permissions(p, write, fs::perm_options::remove, ec);
    else
        fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, ec);
}

void Platform::setPlainAttributes(const fs::path& p) { setReadOnly(p, false); }

namespace {

std::optional<pid_t> spawn(const fs::path& program, const std::vector<std::string>& args) {
    std::vector<std::string> argvStore;
    argvStore.push_back(program.string());
    for (const auto& a : args) argvStore.push_back(a);
    std::vector<char*> argv;
    for (auto& a : argvStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    return pid;
}

// Nobody waits for the child here, so a watcher collects its end and no zombie stays.
void reapLater(pid_t pid) {
    std::thread([pid] {
        int st = 0;
        while (waitpid(pid, &st, 0) < 0 && errno == EINTR) {}
    }).detach();
}

} // namespace

std::optional<int> Platform::startProgram(const fs::path& program,
                                          const std::vector<std::string>& args, bool wait) const {
    const auto pid = spawn(program, args);
    if (!pid) return std::nullopt;
    if (!wait) {
        reapLater(*pid);
        return 0;
    }
    int status = 0;
    while (waitpid(*pid, &status, 0) < 0) {
        if (errno != EINTR) return std::nullopt;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

namespace {

std::optional<fs::path> testOpener;

std::optional<fs::path> desktopOpener() {
    if (testOpener) return testOpener;
    for (const char* opener : {"/usr/bin/xdg-open", "/usr/local/bin/xdg-open"}) {
        std::error_code ec;
        if (fs::exists(opener, ec)) return fs::path(opener);
    }
    return std::nullopt;
}

} // namespace

bool Platform::openDocument(const fs::path& file) const {
    const auto tool = desktopOpener();
    return tool && startProgram(*tool, {file.string()}, false).has_value();
}

void setDocumentOpener(std::optional<fs::path> opener) { testOpener = std::move(opener); }

// Defined here, beside the program start it shares.
bool openDocumentChecked(const fs::path& file, int verdictMs) {
    const auto tool = desktopOpener();
    if (!tool) return false;
    const auto pid = spawn(*tool, {file.string()});
    if (!pid) return false;
    for (int waited = 0;; waited += 20) {
        int status = 0;
        const pid_t r = waitpid(*pid, &status, WNOHANG);
        if (r == *pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (r < 0 && errno != EINTR) return false;
        // Openers that hand the file to a running program return at once; one that keeps
        // running is showing the file itself.
        if (waited >= verdictMs) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    reapLater(*pid);
    return true;
}

} // namespace sarw
