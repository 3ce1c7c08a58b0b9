#pragma once

#include "tables/model/Table.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sarw {

class PackedTable;

// The record text of the sorts: every field's value padded with blanks to its width (a
// floating-point field right-aligned in 30 characters with 13 decimals), fields in order.

// Width of a field in the record text.
int recordTextWidth(const FieldInfo& field);
// The field's piece of the record text, appended to out.
void appendPiece(std::string& out, const FieldInfo& field, std::string_view raw, CellState state);
// A key piece of a date field: year, month and day, then two blanks.
void appendDateKey(std::string& out, std::string_view piece);

struct RecordSort {
    std::vector<int> keys;     // 1-based field numbers, most significant first
    std::vector<bool> dateKey; // per key: the field's type is "DT"
    int blockSize = 2000;
    int blockMethod = 2;
    bool excludeBlank = false; // leave out records whose key text is blank
};

// Sorts the table's records and rewrites the table in place into the sorts' output: fields in
// `layout` order (a permutation of the 1-based input field numbers), records in key order,
// every value its piece of the record text. progress gets 10 after the widths, 20 after the
// record texts, 30 after the keys, 80 after sorting, 85 after the output layout and 95 after
// the records.
void sortAndArrange(Table& table, const RecordSort& sort, const std::vector<int>& layout,
                    const std::function<void(int)>& progress);

// The records of a packed table in sorted order, as sortAndArrange puts them (record numbers;
// records with blank keys left out when asked). progress as sortAndArrange up to 30.
std::vector<std::uint32_t> sortOrder(const PackedTable& table, const RecordSort& sort,
                                     const std::function<void(int)>& progress);

} // namespace sarw
