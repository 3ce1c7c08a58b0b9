#include "output/ReportFile.h"

#include "output/ReportLines.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/TCdsProc.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace sarw {

namespace {

bool readWhole(Session& s, const std::string& name, std::string& bytes) {
    std::ifstream in(s.platform().native(name), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string collapseBlanks(std::string_view text) {
    std::string out;
    for (char c : trimBoth(text))
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

} // namespace

std::string baseName(std::string_view file) {
    const std::size_t sep = file.find_last_of("\\/:");
    std::string_view name = sep == std::string_view::npos ? file : file.substr(sep + 1);
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string tableReportName(std::string_view tableFile) {
    return std::string(kReportDir) + "\\S" + baseName(tableFile) + ".Ses";
}

std::string maskedCopyName(std::string_view reportFile) {
    return std::string(kWorkDir) + "\\T_P_" + baseName(reportFile) + ".Txt";
}

std::string wordFileName(std::string_view file) {
    return std::string(kWorkDir) + "\\" + baseName(file) + ".odt";
}

std::string viewerFile(Session& s, const std::string& reportFile) {
    const std::string masked = maskedCopyName(reportFile);
    return fileExists(s, masked) ? masked : reportFile;
}

bool normaliseReport(Session& s, const std::string& workFile, const std::string& reportFile) {
    makePath(s, kReportDir);
    return s.cdsProc().FileNorm(workFile, reportFile);
}

int countPagesInText(std::string_view text) {
    int pages = 1;
    forEachLine(text, [&](std::string_view line) {
        if (line.find('\f') != std::string_view::npos) ++pages;
    });
    return pages;
}

int countPages(Session& s, const std::string& reportFile) {
    std::string bytes;
    if (!fileExistsWarn(s, reportFile)) return 0;
    if (!readWhole(s, reportFile, bytes)) {
        warning(s, "Soubor nelze precist:\r\r" + reportFile);
        return 0;
    }
    return countPagesInText(bytes);
}

void clampPrintRange(PrintRange& range, int pages) {
    range.from = std::min(range.from, pages);
    range.to = std::min(range.to, pages);
}

bool maskGiven(std::string_view maskField) {
    // The prompt counts however its blanks are spaced.
    return !isBlank(maskField) && collapseBlanks(maskField) != collapseBlanks(kMaskPrompt);
}

std::vector<MaskRange> parseMask(std::string_view text) {
    std::vector<MaskRange> ranges;
    std::size_t at = 0;
    while (ranges.size() < static_cast<std::size_t>(kMaxMaskRanges)) {
        at = text.find_first_not_of(' ', at);
        if (at == std::string_view::npos) break;
        std::size_t slash = text.find('/', at);
        if (slash == std::string_view::npos) slash = text.size();
        MaskRange r;
        r.from = textToInt(text.substr(at, slash - at));
        at = std::min(slash + 1, text.size());
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos) end = text.size();
        r.to = textToInt(text.substr(at, end - at));
        ranges.push_back(r);
        at = end;
    }
    return ranges;
}

std::string maskLine(std::string_view line, const std::vector<MaskRange>& ranges) {
    if (ranges.empty() || line.find('\f') != std::string_view::npos) return std::string(line);
    std::string out;
    const auto size = static_cast<long long>(line.size());
    for (const auto& r : ranges) {
        const long long from = std::max(r.from, 1LL);
        const long long to = std::min(r.to, size);
        if (from <= to)
            out.append(line.substr(static_cast<std::size_t>(from - 1),
                                   static_cast<std::size_t>(to - from + 1)));
    }
    return out;
}

std::string applyMask(Session& s, const std::string& reportFile, std::string_view maskField) {
    if (!maskGiven(maskField) || !fileExistsWarn(s, reportFile)) return {};
    std::string bytes;
    if (!readWhole(s, reportFile, bytes)) {
        warning(s, "Soubor nelze precist:\r\r" + reportFile);
        return {};
    }
    const auto ranges = parseMask(maskField);
    std::string out;
    out.reserve(bytes.size());
    forEachLine(bytes, [&](std::string_view line) {
        out += maskLine(line, ranges);
        out += "\r\n";
    });
    const std::string masked = maskedCopyName(reportFile);
    makePath(s, kWorkDir);
    if (replaceWholeFile(s, masked, out) != 0) {
        warnNotSaved(s, masked);
        return {};
    }
    return masked;
}

} // namespace sarw
