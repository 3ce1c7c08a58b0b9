#pragma once

#include "tables/model/Table.h"

#include <cstdint>
#include <vector>

namespace sarw {

// Status bits of a stored record that hide it: superseded by a newer version, deleted, unused.
constexpr unsigned kHiddenRecordBits = 0x01 | 0x02 | 0x20;

// After a packet is read: the table holds the current records in stored order, storedNumber[i]
// being the 1-based position in the file of table record i. Puts them in the order the engine
// shows them: an edited record where its first version stood, then by DEFAULT_ORDER (stable).
// The change log is merged, so it is dropped from the packet properties.
void presentLoadedRecords(Table& table, const std::vector<std::uint32_t>& storedNumber,
                          std::uint32_t storedCount);

// Collation of text in the default order, close to the locale's: symbols, then digits, then
// letters; accents and then case only break ties (lower case first).
int compareCollated(std::string_view a, std::string_view b, bool caseInsensitive);

// Elements of an array property (count followed by elements of prop.size bytes); empty when
// the property is not an array.
std::vector<std::uint64_t> propertyArray(const PacketProperty& prop);
const PacketProperty* findProperty(const std::vector<PacketProperty>& props, std::string_view name);

} // namespace sarw
