#include "output/PagePictures.h"

#include "output/ReportFile.h"
#include "output/ReportLines.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <cmath>

namespace sarw {

int textPageHeight(long long lines, int lineHeight) {
    const long long h = kPictureMargin + lines * (lineHeight + 2) + kPictureBottom;
    return static_cast<int>(std::min<long long>(h, 1LL << 30));
}

int pdfPictureHeight(int width, int nominalHeight) {
    return std::max(static_cast<int>(std::lround(width * 1.5)), nominalHeight);
}

bool ReportPageReader::next(std::vector<std::string>& lines) {
    lines.clear();
    if (done_) return false;
    std::string line;
    while (in_.next(line)) {
        if (isPageBreak(line)) return true;
        if (line.empty() && static_cast<int>(lines.size()) <= dropEmptyUpTo_) continue;
        lines.push_back(line);
    }
    done_ = true;
    return true;
}

ReportShape measureReport(const std::filesystem::path& file, const TextWidth& width) {
    ReportShape shape;
    TextLineReader in(file);
    if (!in.isOpen()) return shape;
    shape.pages = 1;
    std::string line;
    while (in.next(line)) {
        ++shape.lines;
        if (isPageBreak(line))
            ++shape.pages;
        else
            shape.widest = std::max(shape.widest, width(line));
    }
    shape.read = !in.failed();
    return shape;
}

std::string pageNumberText(long long page) {
    return zeroPadInt(page, 4);
}

namespace {

int fieldNumber(const std::string& text) {
    const long long n = textToInt(text);
    return static_cast<int>(std::clamp<long long>(n, -1, 1 << 30));
}

bool inRange(const std::string& text, int pageCount) {
    const int n = fieldNumber(text);
    return n >= 1 && n <= pageCount;
}

void tellReversed(Session& s, const PageRangeFields& f) {
    if (f.last() < f.first())
        information(s, "Strana 1 je vetsi nez Strana 2 !",
                    "Str1:  " + f.str1 + ",Str2:  " + f.str2);
}

} // namespace

int PageRangeFields::first() const {
    return fieldNumber(str1);
}
int PageRangeFields::last() const {
    return fieldNumber(str2);
}

bool leaveStr1(Session& s, PageRangeFields& f, int pageCount) {
    if (!inRange(f.str1, pageCount)) {
        information(s, "Zvolena strana je mimo rozsah !", "Str:  " + f.str1);
        f.str1 = pageNumberText(1);
        return false;
    }
    f.str1 = pageNumberText(f.first());
    tellReversed(s, f);
    return true;
}

bool leaveStr2(Session& s, PageRangeFields& f, int pageCount) {
    if (!inRange(f.str2, pageCount)) {
        information(s, "Zvolena strana je mimo rozsah !", "Str:  " + f.str2);
        f.str2 = pageNumberText(std::max(pageCount, 0));
        return false;
    }
    f.str2 = pageNumberText(f.last());
    tellReversed(s, f);
    return true;
}

bool checkPageRange(Session& s, PageRangeFields& f, int pageCount) {
    const bool first = leaveStr1(s, f, pageCount);
    return leaveStr2(s, f, pageCount) && first;
}

PrintScale readPrintScale(std::string_view field) {
    PrintScale p;
    const double n = textToNumber(field);
    std::string text = std::to_string(std::lround(n));
    if (n != std::floor(n)) {
        text = std::to_string(n);
        text.erase(text.find_last_not_of('0') + 1);
    }
    p.field = std::string(text.size() < 4 ? 4 - text.size() : 0, ' ') + text;
    p.scale = n / 100.0;
    return p;
}

SheetRect pictureOnSheet(int width, int height, double ratio, double scale, int sheetWidth,
                         int sheetHeight, bool portrait) {
    double w = width * 0.99 * ratio * scale;
    double h = height * 0.99 * ratio * scale;
    // Shrinks towards nothing, so a sheet of any size ends the loop.
    while ((w > sheetWidth || h > sheetHeight) && (w >= 1 || h >= 1)) {
        w *= 0.99;
        h *= 0.99;
    }
    SheetRect r;
    r.left = (sheetWidth - static_cast<int>(std::lround(w))) / 2;
    r.right = r.left + static_cast<int>(std::lround(w));
    r.top = std::min((sheetHeight - static_cast<int>(std::lround(h))) / 2,
                     sheetHeight / (portrait ? 30 : 20));
    r.top = std::max(r.top, 0);
    r.bottom = r.top + static_cast<int>(std::lround(h));
    return r;
}

std::string pagePictureName(std::string_view prefix, std::string_view reportFile, int page) {
    return std::string("C:\\A_Run\\Sestavy\\") + std::string(prefix) + baseName(reportFile) + "_" +
           pageNumberText(page) + ".Png";
}

void deletePagePictures(Session& s, std::string_view prefix, std::string_view reportFile) {
    for (int page = 1;; ++page) {
        const std::string name = pagePictureName(prefix, reportFile, page);
        if (!fileExists(s, name)) break;
        deleteFile(s, name);
    }
}

} // namespace sarw
