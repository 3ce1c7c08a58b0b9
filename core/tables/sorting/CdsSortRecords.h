#pragma once

#include "tables/library/CdsTable.h"
#include "tables/records/UDatProc.h"

#include <string>
#include <string_view>

namespace sarw {

class PackedTable;
class Session;

// The steps of the conversions between tables and record files that the summation shares, so
// that its in-memory route produces the same texts and messages as the route through files.

// What KonvCdsDat does before it writes a record: opens TableFile into table, checks that it
// holds string fields only, creates SourceFile as a record file with DefFile into dat (the
// current definition is then DefFile), checks the field count and the record length. False
// after the program's message.
bool konvCdsDatPrepare(Session& s, CdsTable& table, DatFile& dat);
// The same, with the table loaded packed when it can be: packed then holds it and table stays
// closed; otherwise as above.
bool konvCdsDatPrepare(Session& s, CdsTable& table, PackedTable& packed, DatFile& dat);

// Record `rec` of the table as KonvCdsDat writes it: each field's text padded with blanks to
// its width, or cut to it, at its place; buf holds RecLen bytes afterwards.
void recordOfTable(const Table& table, std::size_t rec, const DatFile& layout, std::string& buf);

// A field's bytes from a record as a table made by MakeTableX holds them: as they are when they
// fit the field's size; otherwise leading blanks give way first, so a right-aligned number
// keeps its digits.
std::string_view fitToFieldSize(std::string_view bytes, int size);

// Appends to table one record whose field i holds field i of the record (layout and rec as the
// record reader delivers them).
void appendRecordFields(Table& table, const DatFile& layout, std::string_view rec);

} // namespace sarw
