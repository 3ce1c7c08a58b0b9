#include "screens/SesNormalise.h"

#include "output/ReportFile.h"
#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace sarw {

namespace {

constexpr std::size_t kBlock = 1 << 20;

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
bool copyNormalised(const InputFile& in, OutputFile& out) {
    std::vector<char> block(kBlock);
    for (std::uint64_t at = 0;;) {
        const long long n = in.readAt(block.data(), block.size(), at);
        if (n < 0) return false;
        if (n == 0) return true;
        blankControlsKeepingLines(block.data(), static_cast<std::size_t>(n));
        if (!out.write(block.data(), static_cast<std::size_t>(n))) return false;
        at += static_cast<std::uint64_t>(n);
    }
}

// The finished report replaces the old one in one step: a crash leaves the one or the other.
bool copyFile(Session& s, const std::string& source, const std::string& target) {
    InputFile in;
    if (in.open(s.platform().native(source)) != 0) return false;
    FileReplacement out;
    return out.open(s.platform().native(target), durabilityOf(s, target)) == 0 &&
           copyNormalised(in, out.file()) && out.commit() == 0;
}

} // namespace

bool normaliseReportInBlocks(Session& s, const std::string& workFile,
                             const std::string& reportFile) {
    makePath(s, kReportDir);
    if (!fileExistsWarn(s, workFile)) return false;
    if (copyFile(s, workFile, reportFile)) return true;
    warning(s, "Vstupni soubor:    " + workFile + "\rVystupni soubor:  " + reportFile +
                   "\r\rNormalizace se nepodarila !");
    return false;
}

} // namespace sarw
