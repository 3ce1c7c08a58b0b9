#pragma once

#include "tables/model/Table.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// The XML "fieldtype" of a field, and the kind and byte size of one.
std::string_view xmlFieldType(const FieldInfo& f);
bool kindFromXmlType(std::string_view type, FieldKind& kind, int& size);

// Attribute names of the fields in ROW elements: the field name with characters that cannot
// stand in an attribute name replaced by '_'; names that would clash get "xF" and the field
// number.
std::vector<std::string> xmlAttrNames(const std::vector<FieldInfo>& fields);

// Packet properties that PARAMS carries as attributes, with the type and size they have.
bool knownPacketAttribute(std::string_view name, std::uint16_t& type, std::uint16_t& size);

// Which properties the XML form carries as attributes (of PARAMS, or of FIELD when packet is
// false): the known ones with their usual type, each name once. The others are written as PARAM
// elements, after the attributes, so a reader keeps attribute-form properties first.
std::vector<bool> xmlAttributeForms(const std::vector<PacketProperty>& props, bool packet);

// Text of a property as an attribute value (arrays as numbers separated by blanks) and its
// PARAM "Type"; the inverse builds the property from them.
void propertyToXml(const PacketProperty& p, std::string& value, std::string& type);
PacketProperty propertyFromXml(std::string name, std::string_view value, std::string_view type,
                               bool roundtrip);
// A property of the given type and size from an attribute value; false when it does not parse.
bool typedPropertyFromXml(std::string name, std::string_view value, std::uint16_t type,
                          std::uint16_t size, PacketProperty& p);

} // namespace sarw
