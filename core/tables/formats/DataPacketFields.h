#pragma once

#include "tables/model/Table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sarw {

// Short Czech texts for a table file that cannot be read or written; the caller adds the name.
inline constexpr const char* kPacketDamaged = "Soubor je poskozen nebo neni tabulka";
inline constexpr const char* kPacketNested =
    "Tabulka obsahuje vnorene tabulky nebo pole, ktere program neumi nacist";
inline constexpr const char* kPacketRecordTooLarge = "Zaznam tabulky je prilis velky";
inline constexpr const char* kPacketTooManyFields = "Tabulka ma prilis mnoho poli";

// Kinds whose FieldInfo::size is the declared width (WIDTH property), not a byte width.
bool sizeIsWidth(FieldKind kind);

// Type word and descriptor size of a field in the binary format: as loaded, or derived from
// the kind and size for fields the program made.
std::uint16_t binaryTypeWord(const FieldInfo& f);
std::uint16_t binaryDescSize(const FieldInfo& f);

// How a value of the field is laid out in a binary record.
struct ValueLayout {
    enum Form : std::uint8_t { None, Fixed, Varying } form = None;
    std::uint32_t bytes = 0; // fixed width, or width of the length prefix
};
ValueLayout valueLayout(const FieldInfo& f);
// Longest value a field stores: its declared width for texts, the limit of its length prefix.
std::uint64_t maxValueBytes(const FieldInfo& f);
// String values end at their first zero byte (wide strings at their first zero character).
std::string_view cutAtZero(const FieldInfo& f, std::string_view value);

// Major version of the binary packet: 2 as soon as a field needs it.
int packetVersionFor(const Table& t);

// Properties as the binary format stores them.
PacketProperty stringProperty(std::string name, std::string_view text);
PacketProperty integerProperty(std::string name, std::uint16_t type, std::uint16_t size,
                               std::uint64_t value);
// True when the value bytes match the size and type (what a reader will expect).
bool propertyWellFormed(const PacketProperty& p);
// Text of a string property (up to its terminating zero); false when it is not one.
bool propertyString(const PacketProperty& p, std::string& text);
// Value of a plain integer property; false when it is not one.
bool propertyInteger(const PacketProperty& p, std::int64_t& value);

} // namespace sarw
