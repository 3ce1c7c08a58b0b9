#include "screens/SesNormalise.h"

#include "output/ReportFile.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

// Copies in to out block by block, blanking the control characters; false on any read or
// write error.
bool copyNormalised(int in, int out) {
    std::vector<char> block(kBlock);
    for (;;) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        for (ssize_t i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(block[static_cast<std::size_t>(i)]);
            if (b < 32 && b != 10 && b != 12 && b != 13) block[static_cast<std::size_t>(i)] = ' ';
        }
        if (!writeAll(out, block.data(), static_cast<std::size_t>(n))) return false;
    }
}

bool copyFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    std::filesystem::path temp = target;
    temp += ".~" + std::to_string(::getpid());
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = out >= 0 && copyNormalised(in, out);
    ::close(in);
    if (out >= 0) {
        ok = ok && ::fsync(out) == 0;
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
    if (copyFile(s.platform().native(workFile), s.platform().native(reportFile))) return true;
    warning(s, "Vstupni soubor:    " + workFile + "\rVystupni soubor:  " + reportFile +
                   "\r\rNormalizace se nepodarila !");
    return false;
}

} // namespace sarw
