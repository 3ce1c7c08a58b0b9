#pragma once

#include "screens/SesRecords.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sarw {

// A cell found by the string search.
struct ScrHit {
    std::size_t record = 0;
    int field = 0; // 0-based
};

// A cell's text as the screen shows it; strings and memos are their stored bytes, other kinds
// are made in room.
std::string_view scrCellText(const SesRecords& r, std::size_t rec, int field, std::string& room);

// Search by key: the first record from `from` on whose value in `field` (0-based), upper-cased
// and without leading blanks, begins with the text treated the same way. Nothing for an empty
// text or when no record matches.
std::optional<std::size_t> findKey(const SesRecords& r, std::string_view text, int field,
                                   std::size_t from);
// Search by string: the first record from `from` on with a field whose upper-cased value
// contains the upper-cased text, and the first such field of it.
std::optional<ScrHit> findString(const SesRecords& r, std::string_view text, std::size_t from);

// The messages when nothing was found.
std::string keyNotFoundText(const std::string& tableFile, std::string_view text);
std::string stringNotFoundText(std::string_view text);

} // namespace sarw
