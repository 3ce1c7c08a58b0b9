#pragma once

#include "tables/records/DatStream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;
struct Definition;

// An open fixed-length record file together with its layout: records of exactly RecLen bytes,
// no header, no separators, field n at TP over TD bytes (1-based positions) as the definition
// file DefName gives them.
struct DatFile {
    DatStream F;
    std::string Name;
    std::string DefName;
    std::uint16_t RecLen = 0;
    std::int32_t RecCount = 0;
    std::uint8_t PSl = 0;
    std::vector<std::string> TNS1; // field names: TNS1 after its first point and a blank
    std::vector<std::string> TNS2; // headings
    std::vector<std::uint16_t> TP; // field positions, 1-based
    std::vector<std::uint16_t> TD; // field widths
    std::vector<std::string> TMs;  // type codes
};

// File modes of DatReset.
constexpr int kDatRead = 0;
constexpr int kDatReadWrite = 2;

// Binds the names and reads the layout; false when the definition is missing, describes no
// usable record (longer than 5000 bytes, empty, or fields beyond the record) or the file size
// is not a whole number of records.
bool DatInit(Session& s, DatFile& f, const std::string& data, const std::string& def);
// DatInit, then opens the file for reading (kDatRead) or reading and writing (kDatReadWrite).
bool DatReset(Session& s, DatFile& f, const std::string& data, const std::string& def, int mode);
// Binds the definition and starts a new data file beside the old one, which keeps its place until
// DatClose: a failure or a crash before it leaves the old file as it was.
bool DatRewrite(Session& s, DatFile& f, const std::string& data, const std::string& def);
// Closes the file, putting a file started by DatRewrite in the old one's place; false when
// buffered records could not be written (the old file then stays).
bool DatClose(DatFile& f);
// The next record into buf (RecLen bytes), every byte below 32 turned into a blank; false at
// the end or on a read error.
bool DatRead(DatFile& f, std::string& buf);
// Writes one record (RecLen bytes of buf, blanks where buf is shorter) at the current place.
bool DatWrite(DatFile& f, std::string_view buf);
// The field's bytes as stored; the part of the field beyond buf is left out.
std::string DatGetField(const DatFile& f, int field, std::string_view buf);
// The text padded with blanks to the width (or cut to it) copied into the field's bytes; buf
// grows to RecLen when it is shorter.
void DatPutField(const DatFile& f, int field, std::string_view text, std::string& buf);

// The layout of a definition (record length, field names, positions, widths, types) copied
// into f, as DatInit copies it once the definition has been checked.
void datCopyLayout(DatFile& f, const Definition& d);

// Writes Session::dat.DatOut sorted by the key fields, and its definition DatOutDef.
bool DatSort(Session& s);
// Writes to DatOut one record per key with the sums of the numeric fields, and DatOutDef.
bool DatSum(Session& s);

// The checks DatSort makes before it reads a record: a key list is given, DatIn binds to
// DatInDef and opens into `in`, every key is a field of it. False after the program's message.
bool datSortOpen(Session& s, DatFile& in);
// DatSum's check that the numeric fields to be summed fit its sums; false after the message.
bool datSumFieldsFit(Session& s);

// The output record of one group as DatSum writes it into `out` (key fields first, then one
// field per sum): the key's bytes, then each sum formatted in its field. False when every sum
// is zero at three decimals: such a group is left out.
bool datSumRecord(const DatFile& out, int keyCount, std::string_view key,
                  const std::vector<double>& sums, std::string& buf);

// Sums per group are kept for at most this many numeric fields.
constexpr int kDatSumMaxNumeric = 100;

} // namespace sarw
