#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// One field of the report table as the table report sees it.
struct SesColumn {
    static constexpr int kMaxPrintWidth = 50;

    int field = 0;        // 1-based field number of the report table
    int width = 0;        // width of the definition
    bool numeric = false; // type code beginning with "N"
    int decimals = 0;
    bool memo = false;    // type code "ME": never printed
    std::string title;    // `Heading`: the column title
    bool printable = false;

    // A column never takes more than 50 characters of a line.
    int printWidth() const { return width < kMaxPrintWidth ? width : kMaxPrintWidth; }
};

// The lines of the table report. Columns are separated by two blanks; each builder drops the
// two characters after the last column. `columns` holds every field of the report table in
// order; only the printable ones appear.

// A sum right-aligned in the width with the decimals and a decimal comma (decimals dropped
// while it does not fit); below half a unit of the last decimal it is blanks.
std::string formatSum(double value, int width, int decimals);
// Titles: numeric ones right-aligned in the column, others left-aligned; the right text's
// first line follows when the right text has at least two lines.
std::string titleLine(const std::vector<SesColumn>& columns, const std::vector<std::string>& right);
// Each printable field's text padded to its width and cut to 50 characters.
std::string dataLine(const std::vector<SesColumn>& columns, const std::string_view* cells);
// Sums of the numeric columns (sums[f - 1] for field f), blanks under the others.
std::string sumLine(const std::vector<SesColumn>& columns, const double* sums);
// True when a printable numeric column's sum exceeds 0.00005 in absolute value.
bool sumsNonZero(const std::vector<SesColumn>& columns, const double* sums);
// "S " and asterisks over the printable columns in front of level s, then the title of field s.
std::string subtotalLabel(const std::vector<SesColumn>& columns, int level);
// The label written over the beginning of the line.
void putLabel(std::string& line, const std::string& label);
// The first heading (with date and time when given), padded so that the page number ends where
// the title line ends: "  STR:" and the page right-aligned in 5 characters.
std::string headLine(const std::string& heading, std::size_t titleLength, int page);

} // namespace sarw
