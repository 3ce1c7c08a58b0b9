#pragma once

#include "tables/model/Table.h"

#include <string>

namespace sarw {

// The first difference between two tables as a short text, empty when they are the same.
// Content compares what both file formats carry: field names, kinds, sizes, required flags and
// subtypes, packet properties, records, cell states and values. Storage adds what only the
// binary format keeps (type words, descriptor sizes, attribute bits, extra properties, version).
enum class TableCompare { Content, Storage };
std::string tableDifference(const Table& a, const Table& b,
                            TableCompare what = TableCompare::Storage);

} // namespace sarw
