#pragma once

#include "tables/model/ReadDef.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// A report page drawn as a picture: the rules that are not drawing. Sizes are pixels; the
// drawing side measures texts in the report font and hands the widths in.

using TextWidth = std::function<int(std::string_view)>;

// Every picture has a 31-pixel margin above and left of the text and 62 below it.
constexpr int kPictureMargin = 31;
constexpr int kPictureBottom = 62;

// 31 + lines x (line height + 2) + 62: of one page, and of a page of rows-per-page lines.
int textPageHeight(long long lines, int lineHeight);
// The height a page is put into a PDF at: the greater of 1.5 x the width and the nominal height.
int pdfPictureHeight(int width, int nominalHeight);

// Reads a report file one page at a time, so memory holds one page however long the report
// is. A line that holds a form feed ends a page and belongs to none; a report without such lines
// is one page, one that ends with such a line has an empty last page. With dropEmptyUpTo >= 0 an
// empty line is dropped while the page holds no more than that many lines (the framed report's
// head and titles).
class ReportPageReader {
public:
    explicit ReportPageReader(const std::filesystem::path& file, int dropEmptyUpTo = -1)
        : in_(file), dropEmptyUpTo_(dropEmptyUpTo) {}
    bool isOpen() const { return in_.isOpen(); }
    // The next page's lines; false after the last page.
    bool next(std::vector<std::string>& lines);
    bool failed() const { return in_.failed(); }

private:
    TextLineReader in_;
    int dropEmptyUpTo_;
    bool done_ = false;
};

// What the first pass over a report finds.
struct ReportShape {
    long long lines = 0;
    int pages = 0;  // page-break lines + 1
    int widest = 0; // the widest line, measured by the caller
    bool read = false;
};
ReportShape measureReport(const std::filesystem::path& file, const TextWidth& width);

// "0007": page numbers in the range fields.
std::string pageNumberText(long long page);

// The viewer's range fields Str1 and Str2, checked as on leaving them: a number from 1 to the
// page count is written in 4 digits, and Str1 above Str2 is told ("Strana 1 je vetsi nez
// Strana 2 !"); a number out of range is told ("Zvolena strana je mimo rozsah !") and Str1
// becomes "0001", Str2 the page count. False when the field was out of range.
struct PageRangeFields {
    std::string str1 = "0000";
    std::string str2 = "9999";
    int first() const;
    int last() const;
};
bool leaveStr1(Session& s, PageRangeFields& f, int pageCount);
bool leaveStr2(Session& s, PageRangeFields& f, int pageCount);
// Both, as the print operations start with; false when either was out of range.
bool checkPageRange(Session& s, PageRangeFields& f, int pageCount);

// The print scale field rewritten as its number right-aligned in 4 characters (comma accepted
// as the decimal point); the scale is that number / 100.
struct PrintScale {
    std::string field = " 100";
    double scale = 1.0;
};
PrintScale readPrintScale(std::string_view field);

// Where a page picture goes on the printed sheet: shrunk by 1 % steps until it fits, centred
// across, the top margin at most 1/30 (portrait) or 1/20 (landscape) of the sheet height.
struct SheetRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
SheetRect pictureOnSheet(int width, int height, double ratio, double scale, int sheetWidth,
                         int sheetHeight, bool portrait);

// The page picture files C:\A_Run\Sestavy\<prefix><name>_<nnnn>.Png ("T_I_" for text reports,
// "I_" for the framed table report).
std::string pagePictureName(std::string_view prefix, std::string_view reportFile, int page);
// Deletes page 1, 2, ... up to the first that does not exist.
void deletePagePictures(Session& s, std::string_view prefix, std::string_view reportFile);

} // namespace sarw
