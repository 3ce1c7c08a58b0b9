#pragma once

#include "shell/Definition.h"
#include "tables/model/Table.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// Helpers shared by the sorts, the summation, the field selection and the record files.

// The first `count` entries of a key list (at most all 200 of them).
std::vector<int> keyListOf(int count, const std::array<int, 200>& fields);

// True when the list holds at most 200 entries, every entry names a field 1..fieldCount and,
// unless repeats are allowed, none names the same field twice. Otherwise shows why (a warning
// when asked, else an information box) and gives false.
bool keyListUsable(Session& s, int count, const std::array<int, 200>& fields, int fieldCount,
                   bool allowRepeats, bool warn);

// True when no field is named twice in the key list; otherwise an information box and false.
bool keyListDistinct(Session& s, int count, const std::array<int, 200>& fields);

// The definition lines (`LineText`, CR LF after each) of the given fields, in that order.
std::string definitionLines(const Definition& def, const std::vector<int>& fields);
// The key fields in key order, then every other field of the definition in field order.
std::vector<int> keysFirst(const std::vector<int>& keys, int fieldCount);

// Record length of a table as the checks compare it: the sum of its fields' sizes.
int tableRecordLength(const Table& table);
// The sorts' checks of a table (InFile) against the current definition (InDef): the same
// number of fields and the same record length. False after the program's message.
bool tableFitsDefinition(Session& s, const Table& table);

// Writes a whole text file; false when that failed (saveText quietly, writeTextFile after a
// warning naming the file).
bool saveText(Session& s, const std::string& winName, const std::string& text);
bool writeTextFile(Session& s, const std::string& winName, const std::string& text);

// The text padded with blanks to width, or cut to it, appended to out.
void appendFitted(std::string& out, std::string_view text, std::size_t width);
// Every byte below 32 becomes a blank, as the record reader delivers fields.
void blankControls(char* bytes, std::size_t n);
// Decimals of a type code: its second character as a digit, 0 when it is none.
int typeDecimals(std::string_view type);
bool isNumericType(std::string_view type);

} // namespace sarw
