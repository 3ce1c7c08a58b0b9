#pragma once

#include "output/PagePictures.h"
#include "screens/ColumnGeometry.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

struct Definition;

// The framed graphic table report ("Sestava III") short of drawing: which lines of the table
// report form the head, the column titles, the body and the lower text of a page, the cells and
// their alignment, and the column edges from the measured cell widths.

// What the grand-total row begins with.
constexpr std::string_view kTotalWord = "Celkem";

// Pixel edges of the framed table: column 1 starts at 31 and ends at 37 + w(1); column k ends
// w(k) + 4 right of the end of column k - 1 and starts where that one ends.
struct FramedColumns {
    std::vector<int> left;
    std::vector<int> right;
    int pictureWidth = 0; // right edge of the last column + 32
    int headingLimit = 0; // right edge of the last column - 26
};
FramedColumns framedColumnEdges(const std::vector<int>& cellWidths);

// A column's cell of a report line: its characters trimmed on both sides, only trailing blanks
// off the right-text column.
std::string framedCell(std::string_view line, const GeometryColumn& column);

// Columns drawn right-aligned: fields whose type code begins with "N" or "L".
std::vector<bool> numericColumns(const Definition& def, const ColumnGeometry& g);

// The widest cell of each column over the whole report, in the items font: every line but the
// page breaks and the head lines under them (the file's start counts as a page break), empty
// lines skipped, the total word counted as "S" and five blanks. Empty when the file cannot be
// read.
std::vector<int> widestCells(const std::filesystem::path& report, const ColumnGeometry& g,
                             const TextWidth& width);

// Reads the report one page at a time as the pictures store it: an empty line is dropped
// while the page holds no more than the head and title lines, kept as a blank row after.
ReportPageReader framedPageReader(const std::filesystem::path& report, const ColumnGeometry& g);

// A stored page in its parts. Lines beyond what the geometry names fall into the body; a page
// shorter than its head holds only head lines.
struct FramedPage {
    std::vector<std::string> head;
    std::vector<std::string> titles;
    std::vector<std::string> body;
    std::vector<std::string> lower;
};
FramedPage splitFramedPage(std::vector<std::string> lines, const ColumnGeometry& g);

// 31 + head lines x (hb + 3) + 7 + title lines x (h + 3) + 6 + r x (h + 4) + 30, with r the rows
// per page less the head and title lines (never below zero).
int framedNominalHeight(const ColumnGeometry& g, int headingHeight, int itemHeight);

// The grand-total row with its total word turned into a run of "S" (then blanks) as wide as
// fits below `limit` pixels; other rows unchanged.
std::string framedTotalRow(std::string_view row, int limit, const TextWidth& width);

// A heading fitted to the width limit: blanks taken from runs of three while too wide, then
// blanks put before "STR:" (or the first four blanks) while it still fits.
std::string fitHeading(std::string text, int limit, const TextWidth& width);

} // namespace sarw
