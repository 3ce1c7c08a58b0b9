#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;
struct Definition;

// Checks where data enter the program: imports, conversions and tables made from text. Stored
// tables were checked when they were written, so their readers do not repeat these.

// A number as typed or imported: an optional leading "-", digits and at most one decimal point
// or comma, blanks anywhere; at least one digit unless it is all blanks. Anything else would be
// read as some other number (its leading digits, or 0).
bool numberTextValid(std::string_view text);

// Why a definition cannot describe a table: it has no field, or a field line whose width is not
// a whole number above 0. Empty when it can.
std::string definitionFault(const Definition& d);

// definitionFault of the current definition, read from defFile, as a message naming the file;
// empty when the definition can describe a table.
std::string unusableDefMessage(const Session& s, const std::string& defFile);

// Reads the definition file into the current definition and checks it; false after a message
// that names the file.
bool readTableDef(Session& s, const std::string& defFile);

// The values of the numeric fields of the current definition in one row (values[i] is field
// i + 1); false after a warning naming the row, the field and the source.
bool checkRowNumbers(Session& s, const std::vector<std::string>& values, std::size_t row,
                     const std::string& source);

} // namespace sarw
