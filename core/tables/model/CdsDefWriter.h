#pragma once

#include "tables/model/Table.h"

#include <string>
#include <string_view>

namespace sarw {

// Type code a string field gets from its values: "PM" when all are blank, else the first of
// "DT", "LN", "N0", "N1", "N2", "N3" that every non-blank value passes, else "PM".
std::string typeFromValues(const Table& table, int field);
// The text of a definition file describing the table's fields (one line per field, CR LF),
// derived from their kinds and contents; no key marks.
std::string definitionFromTable(const Table& table);

} // namespace sarw
