#pragma once

#include "tables/library/CdsTable.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// Helpers the look-up operations share: cell texts for comparison, field checks, opening a
// table file for reading.
namespace lookup {

// Text of a cell as look-ups compare it: strings and memos as stored, other kinds as text
// (formatted into buf). Comparisons of such texts are byte by byte, unsigned, which is what
// std::string_view::compare does for char.
std::string_view cellText(const Table& t, std::size_t rec, int field, std::string& buf);
// Size a text of the field is padded to with blanks: the declared size of text fields, none for
// the fixed kinds.
int padSize(const FieldInfo& f);
// The cell text padded to padSize.
std::string paddedText(const Table& t, std::size_t rec, int field);
// Every field of a record, each padded to its size, in one line.
std::string paddedRecord(const Table& t, std::size_t rec);

// True when the 1-based field number names a field of the table; otherwise warns
// "Tabulka nema pole cislo N" with the table's file name.
bool fieldInTable(Session& s, const CdsTable& table, int field);
// The same for the first `count` fields (a count of 0 or less asks for none).
bool firstFieldsInTable(Session& s, const CdsTable& table, int count);

// Compares the first `count` fields of two records, field by field; <0, 0, >0.
int compareFirstFields(const Table& a, std::size_t recA, const Table& b, std::size_t recB,
                       int count);
// True when the first `count` fields of the record equal the texts (missing texts count as
// empty ones).
bool firstFieldsEqual(const Table& t, std::size_t rec, int count,
                      const std::vector<std::string>& texts);

// Opens table file `name` read-only in `table` (closing what it held) after the existence check
// with its warning; false when the file is missing or cannot be loaded.
bool openForReading(Session& s, CdsTable& table, const std::string& name);

} // namespace lookup
} // namespace sarw
