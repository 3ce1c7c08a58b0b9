#pragma once

#include "screens/SesRecords.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// Width of each field's column: the greater of its name's length (trailing blanks removed) and
// its size. The grid and the "Schranka" text both use it.
std::vector<int> scrColumnWidths(const std::vector<FieldInfo>& fields);

// The "Schranka" text, line by line (each with its CR LF): the field names each trimmed and
// padded to its column width + 1, the last character removed; an empty line; then one line per
// record with each value padded to its column width + 1. `percent` follows the records.
void scrClipText(const SesRecords& r, const std::function<void(std::string_view)>& line,
                 const std::function<void(int)>& percent = {});
std::string scrClipText(const SesRecords& r);
// Its length when no value is longer than its column, for reserving the room at once.
std::size_t scrClipBytes(const SesRecords& r);

} // namespace sarw
