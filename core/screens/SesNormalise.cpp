#include "screens/SesNormalise.h"

#include "output/ReportFile.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

namespace sarw {

namespace {

constexpr std::size_t kBlock = 1 << 20;

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

// Eight bytes at a time are looked at for a byte below 32 (the high bit of a byte of the result
// is set for those), and only those words byte by byte.
void blankControlsKeepingLines(char* bytes, std::size_t n) {
    auto* b = reinterpret_cast<unsigned char*>(bytes);
    auto blank = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (b[i] < 32 && b[i] != 10 && b[i] != 12 && b[i] != 13) b[i] = ' ';
    };
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, b + i, 8);
        if (((w - 32 * kOnes) & ~w & kHigh) != 0) blank(i, i + 8);
    }
    blank(i, n);
}

namespace {

// Copies in to out block by block, blanking the control characters; false on any read or
// write error.
bool copyNormalised(int in, int out) {
    std::vector<char> block(kBlock);
    for (;;) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        blankControlsKeepingLines(block.data(), static_cast<std::size_t>(n));
        if (!writeAll(out, block.data(), static_cast<std::size_t>(n))) return false;
    }
}

// A durable copy waits for the disk; reports in the work directories, made again on demand,
// need not.
bool copyFile(const std::filesystem::path& source, const std::filesystem::path& target,
              bool durable) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    std::filesystem::path temp = target;
    temp += ".~" + std::to_string(::getpid());
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = out >= 0 && copyNormalised(in, out);
    ::close(in);
    if (out >= 0) {
        ok = ok && (!durable || ::fsync(out) == 0);
        ok = ::close(out) == 0 && ok;
    }
    // The finished report replaces the old one in one step: a crash leaves the one or the other.
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace

bool normaliseReportInBlocks(Session& s, const std::string& workFile,
                             const std::string& reportFile) {
    makePath(s, kReportDir);
    if (!fileExistsWarn(s, workFile)) return false;
    if (copyFile(s.platform().native(workFile), s.platform().native(reportFile),
                 !inWorkDirs(s, reportFile)))
        return true;
    warning(s, "Vstupni soubor:    " + workFile + "\rVystupni soubor:  " + reportFile +
                   "\r\rNormalizace se nepodarila !");
    return false;
}

} // namespace sarw
