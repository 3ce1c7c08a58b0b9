#pragma once

#include "shell/Definition.h"
#include "tables/model/Table.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// How one table field becomes a spreadsheet column: taken from the table (size, name) and the
// definition (type code, check mode) as the export lays the sheet out.
struct XlsxColumn {
    std::string name;         // the field name without blanks on both sides
    int width = 0;            // in characters
    std::string numberFormat; // empty: the spreadsheet's general format
    bool right = false;       // numbers and accounts right-aligned, the rest left
    bool decimal = false;     // type N... or a check-mode digit: "1234,50" is the number 1234.5
    bool digits = false;      // LN, PN, R2: a number written with its leading zeros
    bool pm = false;          // PM: digits and blanks shown with "#" as long as the value
    bool quoted = false;      // check mode U: the trimmed value in double quotes
};

// The pattern for a field of len characters with d decimals: d zeros after a point, a zero in
// front, then "#" up to len characters ("######0.00" for 10 and 2). The point is the format
// code's own decimal separator; the spreadsheet shows the user's decimal comma for it.
std::string decimalPattern(int len, int decimals);

// Field k of the table with line k of the definition (a field the definition lacks is text).
std::vector<XlsxColumn> xlsxColumns(const Table& table, const Definition& def);

// What goes into one cell.
struct XlsxCell {
    enum class Kind { Empty, Number, Text } kind = Kind::Empty;
    double number = 0;
    std::string_view text; // Windows-1250, into the value or the work buffer
    int hashes = 0;        // PM: the cell's own format "#" repeated this many times
};

// The cell of a column for a field's text value. `work` holds a rewritten text.
XlsxCell xlsxCell(const XlsxColumn& column, std::string_view value, std::string& work);

} // namespace sarw
