#pragma once

// Interface of tables/fast: the sort engine of the table sorts and the record-file sort.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sarw {

// The sort engine shared by the table sorts and the record-file sort: entries are taken in
// blocks of blockSize, each block is sorted by insertion (method 1 binary insertion, method 2
// straight insertion, any other method leaves it as it is) and merged into the result of the
// earlier blocks, earlier blocks first on equal keys.
//
// The order that this produces is computed directly in O(n log n):
// - method 2 is a stable sort;
// - method 1 appends an entry to its block's sorted part when the greatest entry before it is
//   not greater, otherwise puts it in front of its equal keys; so within a block the equal keys
//   that came after a greater key stand first, latest first, then the others in input order;
// - a merge of blocks that are not sorted never breaks up a run of entries that follow a new
//   greatest entry of their block, so such entries sort by that greatest entry's key.
//
// Keys are texts of equal length laid end to end (entry i is keys[i * keyLen, (i+1) * keyLen)),
// compared byte by byte as unsigned values. The result holds the entry numbers in sorted order.
// Many entries are sorted on two threads unless `secondThread` is false.
std::vector<std::uint32_t> sortEntries(std::string_view keys, std::size_t keyLen, std::size_t count,
                                       int blockSize, int blockMethod, bool secondThread = true);

// Unsigned byte comparison; a text that is a prefix of another sorts first.
int compareKeys(std::string_view a, std::string_view b);

} // namespace sarw
