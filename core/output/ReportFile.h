#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// Report files (.Ses): plain Windows-1250 text, CR LF line ends, pages separated by lines that
// hold a form feed. The services of the output viewer that are not drawing: names, the
// normalisation every producer ends with, page counting and the column mask.

// What the mask field shows until the user types a mask.
constexpr const char* kMaskPrompt = "x1/y1 x2/y2  ... xn/yn";
constexpr int kMaxMaskRanges = 19;

// The name without directory and without its extension.
std::string baseName(std::string_view file);
// C:\A_Run\Sestavy\S<table name>.Ses for the table file <table name>.Cds.
std::string tableReportName(std::string_view tableFile);
// C:\A_Run\Work\T_P_<name>.Txt for the report <name>.Ses.
std::string maskedCopyName(std::string_view reportFile);
// C:\A_Run\Work\<name>.odt: the copy of a text handed to the word processor.
std::string wordFileName(std::string_view file);
// The file the viewer's actions use: the masked copy when it exists, otherwise the report.
std::string viewerFile(Session& s, const std::string& reportFile);

// Copies the finished work file to the report file with every control character other than
// CR, LF and form feed turned into a blank; false after "Normalizace se nepodarila !".
bool normaliseReport(Session& s, const std::string& workFile, const std::string& reportFile);

// Lines that contain a form feed, plus one.
int countPagesInText(std::string_view text);
// The pages of a report file; 0 after the not-found message when it does not exist.
int countPages(Session& s, const std::string& reportFile);

// The print-from and print-to pages (defaults 1 and 100), each lowered to the page count.
struct PrintRange {
    int from = 1;
    int to = 100;
};
void clampPrintRange(PrintRange& range, int pages);

// One column range of the mask, 1-based and inclusive.
struct MaskRange {
    long long from = 0;
    long long to = 0;
};
// False for the prompt text and for blanks: the viewer then makes no masked copy.
bool maskGiven(std::string_view maskField);
// Up to 19 ranges "x/y" separated by blanks; numbers keep only their digits and minus signs.
std::vector<MaskRange> parseMask(std::string_view maskField);
// The ranges' columns of a line, in mask order; no ranges copy the line unchanged. A page break
// line stays as it is, so the masked copy keeps its pages.
std::string maskLine(std::string_view line, const std::vector<MaskRange>& ranges);
// "Upravit": writes the masked copy of the report and gives its name; empty when no mask is
// given or the report does not exist (after the not-found message) or cannot be written.
std::string applyMask(Session& s, const std::string& reportFile, std::string_view maskField);

} // namespace sarw
