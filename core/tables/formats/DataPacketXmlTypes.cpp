#include "tables/formats/DataPacketXmlTypes.h"

#include "tables/formats/DataPacketFields.h"
#include "tables/formats/DataPacketOrder.h"
#include "tables/model/FieldValue.h"
#include "tables/model/LittleEndian.h"

#include <charconv>
#include <set>

namespace sarw {

namespace {

struct TypeName {
    std::string_view name;
    FieldKind kind;
    int size;
};

constexpr TypeName kTypes[] = {
    {"string", FieldKind::String, 0},
    {"string.uni", FieldKind::WideString, 0},
    {"bin.hex", FieldKind::Blob, 0},
    {"i1", FieldKind::Int, 1},
    {"i2", FieldKind::Int, 2},
    {"i4", FieldKind::Int, 4},
    {"i8", FieldKind::Int, 8},
    {"ui1", FieldKind::UInt, 1},
    {"ui2", FieldKind::UInt, 2},
    {"ui4", FieldKind::UInt, 4},
    {"ui8", FieldKind::UInt, 8},
    {"boolean", FieldKind::Bool, 2},
    {"r8", FieldKind::Float, 8},
    {"r4", FieldKind::Single, 4},
    {"fixed", FieldKind::Bcd, 0},
    {"fixedFMT", FieldKind::FmtBcd, 0},
    {"date", FieldKind::Date, 4},
    {"time", FieldKind::Time, 4},
    {"dateTime", FieldKind::DateTime, 8},
    {"SQLdateTime", FieldKind::SqlDateTime, 16},
    {"SQLdateTimeOffset", FieldKind::SqlDateTimeOffset, 20},
    {"ADT", FieldKind::Adt, 0},
};

int intBytes(int size) {
    return size == 1 || size == 2 || size == 8 ? size : 4;
}

bool badNameChar(unsigned char c) {
    switch (c) {
    case ' ':
    case '(':
    case ')':
    case '#':
    case '*':
    case '!':
    case '$':
    case '%':
    case '?':
    case '"':
    case '\'':
    case '<':
    case '>':
    case '&':
    case '=':
    case '/':
        return true;
    default:
        return c < 0x20;
    }
}

bool isIntType(std::string_view type, bool& isSigned, std::uint16_t& size) {
    for (const TypeName& t : kTypes)
        if (t.name == type && (t.kind == FieldKind::Int || t.kind == FieldKind::UInt)) {
            isSigned = t.kind == FieldKind::Int;
            size = static_cast<std::uint16_t>(t.size);
            return true;
        }
    return false;
}

// Numbers separated by white space, each fitting size bytes (signed or not).
bool parseNumbers(std::string_view text, bool isSigned, std::uint16_t size,
                  std::vector<std::uint64_t>& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != '\t' && text[j] != '\r' &&
               text[j] != '\n')
            ++j;
        const char* b = text.data() + i;
        const char* e = text.data() + j;
        const int bits = 8 * size;
        if (isSigned) {
            std::int64_t v;
            auto r = std::from_chars(b, e, v);
            if (r.ec != std::errc() || r.ptr != e) return false;
            if (bits < 64 &&
                (v < -(std::int64_t{1} << (bits - 1)) || v >= (std::int64_t{1} << (bits - 1))))
                return false;
            out.push_back(static_cast<std::uint64_t>(v));
        } else {
            std::uint64_t v;
            auto r = std::from_chars(b, e, v);
            if (r.ec != std::errc() || r.ptr != e || (bits < 64 && v >> bits)) return false;
            out.push_back(v);
        }
        i = j;
    }
    return true;
}

PacketProperty arrayProperty(std::string name, std::uint16_t type, std::uint16_t size,
                             const std::vector<std::uint64_t>& items) {
    PacketProperty p;
    p.name = std::move(name);
    p.type = type;
    p.size = size;
    appendLE(p.value, items.size(), 4);
    for (std::uint64_t v : items) appendLE(p.value, v, size);
    return p;
}

} // namespace

std::string_view xmlFieldType(const FieldInfo& f) {
    switch (f.kind) {
    case FieldKind::Memo:
    case FieldKind::Other:
        return "bin.hex";
    case FieldKind::Int:
    case FieldKind::UInt:
        for (const TypeName& t : kTypes)
            if (t.kind == f.kind && t.size == intBytes(f.size)) return t.name;
        break;
    default:
        for (const TypeName& t : kTypes)
            if (t.kind == f.kind) return t.name;
    }
    return "bin.hex";
}

bool kindFromXmlType(std::string_view type, FieldKind& kind, int& size) {
    for (const TypeName& t : kTypes)
        if (t.name == type) {
            kind = t.kind;
            size = t.size;
            return true;
        }
    return false;
}

std::vector<std::string> xmlAttrNames(const std::vector<FieldInfo>& fields) {
    std::vector<std::string> names;
    std::set<std::string> used = {"RowState"};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string a = fields[i].name;
        for (char& c : a)
            if (badNameChar(static_cast<unsigned char>(c))) c = '_';
        if (a.empty() || used.count(a)) a = "xF" + std::to_string(i + 1);
        while (used.count(a)) a += '_';
        used.insert(a);
        names.push_back(std::move(a));
    }
    return names;
}

bool knownPacketAttribute(std::string_view name, std::uint16_t& type, std::uint16_t& size) {
    if (name == "DEFAULT_ORDER" || name == "PRIMARY_KEY" || name == "UNIQUE_KEY") {
        type = 0x82;
        size = 2;
    } else if (name == "CHANGE_LOG") {
        type = 0x82;
        size = 4;
    } else if (name == "LCID" || name == "AUTOINCVALUE") {
        type = 0x01;
        size = 4;
    } else {
        return false;
    }
    return true;
}

std::vector<bool> xmlAttributeForms(const std::vector<PacketProperty>& props, bool packet) {
    std::vector<bool> forms(props.size());
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < props.size(); ++i) {
        const PacketProperty& p = props[i];
        std::uint16_t type = 0x02, size = 2;
        const bool known = packet ? knownPacketAttribute(p.name, type, size) : p.name == "DECIMALS";
        forms[i] = known && p.type == type && p.size == size &&
                   p.value.size() >= (type & 0x80 ? 4u : size) && seen.insert(p.name).second;
    }
    return forms;
}

void propertyToXml(const PacketProperty& p, std::string& value, std::string& type) {
    const unsigned base = p.type & 0x3F;
    const bool plainBits = (p.type & 0x7F40) == 0;
    const bool intSize = p.size == 1 || p.size == 2 || p.size == 4 || p.size == 8;
    value.clear();
    if ((base == 1 || base == 2) && plainBits && intSize) {
        type = (base == 1 ? "i" : "ui") + std::to_string(p.size);
        std::vector<std::uint64_t> items;
        std::int64_t single;
        if (p.type & 0x80)
            items = propertyArray(p);
        else if (propertyInteger(p, single))
            items.push_back(static_cast<std::uint64_t>(single));
        for (std::uint64_t v : items) {
            if (!value.empty()) value += ' ';
            if (base == 2) {
                value += std::to_string(p.size < 8 ? v & ((1ull << (8 * p.size)) - 1) : v);
            } else {
                std::uint64_t s = v;
                if (p.size < 8 && (s >> (8 * p.size - 1)) & 1) s |= ~0ull << (8 * p.size);
                value += std::to_string(static_cast<std::int64_t>(s));
            }
        }
        return;
    }
    if (propertyString(p, value)) {
        type = "string";
        return;
    }
    type = "bin.hex";
    std::string_view data = p.value;
    if (base == 11 && (p.type & 0x7FC0) == 0x40 && p.size == 4 && data.size() >= 4)
        data.remove_prefix(4);
    value = base64Encode(data);
}

bool typedPropertyFromXml(std::string name, std::string_view value, std::uint16_t type,
                          std::uint16_t size, PacketProperty& p) {
    std::vector<std::uint64_t> items;
    const bool isSigned = (type & 0x3F) == 1;
    if (!parseNumbers(value, isSigned, size, items)) return false;
    if (type & 0x80) {
        p = arrayProperty(std::move(name), type, size, items);
        return true;
    }
    if (items.size() != 1) return false;
    p = integerProperty(std::move(name), type, size, items[0]);
    return true;
}

PacketProperty propertyFromXml(std::string name, std::string_view value, std::string_view type,
                               bool roundtrip) {
    PacketProperty p;
    bool isSigned;
    std::uint16_t size;
    std::vector<std::uint64_t> items;
    std::string bytes;
    if (isIntType(type, isSigned, size) && parseNumbers(value, isSigned, size, items)) {
        const std::uint16_t base = isSigned ? 0x01 : 0x02;
        p = items.size() == 1
                ? integerProperty(name, base, size, items[0])
                : arrayProperty(name, static_cast<std::uint16_t>(base | 0x80), size, items);
    } else if (type == "bin.hex" && base64Decode(value, bytes)) {
        p.name = std::move(name);
        p.type = 0x4B;
        p.size = 4;
        appendLE(p.value, bytes.size(), 4);
        p.value += bytes;
    } else {
        p = stringProperty(std::move(name), value);
    }
    if (roundtrip) p.type = static_cast<std::uint16_t>(p.type | 0x8000);
    return p;
}

} // namespace sarw
