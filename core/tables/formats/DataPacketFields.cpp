#include "tables/formats/DataPacketFields.h"

#include "tables/model/LittleEndian.h"

#include <cstring>

namespace sarw {

namespace {

std::uint16_t derivedTypeWord(FieldKind kind) {
    switch (kind) {
    case FieldKind::String:
        return 0x49;
    case FieldKind::WideString:
        return 0x4A;
    case FieldKind::Memo:
    case FieldKind::Blob:
    case FieldKind::Other:
        return 0x4B;
    case FieldKind::Int:
        return 0x01;
    case FieldKind::UInt:
        return 0x02;
    case FieldKind::Bool:
        return 0x03;
    case FieldKind::Float:
        return 0x04;
    case FieldKind::Bcd:
        return 0x05;
    case FieldKind::Date:
        return 0x06;
    case FieldKind::Time:
        return 0x07;
    case FieldKind::DateTime:
        return 0x08;
    case FieldKind::SqlDateTime:
        return 0x11;
    case FieldKind::FmtBcd:
        return 0x12;
    case FieldKind::Single:
        return 0x1B;
    case FieldKind::SqlDateTimeOffset:
        return 0x24;
    case FieldKind::Adt:
        return 0x010C;
    }
    return 0x4B;
}

} // namespace

bool sizeIsWidth(FieldKind kind) {
    switch (kind) {
    case FieldKind::String:
    case FieldKind::WideString:
    case FieldKind::Memo:
    case FieldKind::Blob:
    case FieldKind::Bcd:
    case FieldKind::FmtBcd:
        return true;
    default:
        return false;
    }
}

std::uint16_t binaryTypeWord(const FieldInfo& f) {
    return f.typeWord ? f.typeWord : derivedTypeWord(f.kind);
}

std::uint16_t binaryDescSize(const FieldInfo& f) {
    // A loaded field keeps its stored size, zero included.
    if (f.typeWord) return f.descSize;
    const auto size = static_cast<std::uint16_t>(f.size < 0        ? 0
                                                 : f.size > 0xFFFF ? 0xFFFF
                                                                   : f.size);
    switch (f.kind) {
    case FieldKind::String:
    case FieldKind::WideString:
        return size < 255 ? 1 : 2;
    case FieldKind::Memo:
    case FieldKind::Blob:
    case FieldKind::Other:
        return 4;
    case FieldKind::Int:
    case FieldKind::UInt:
        return size == 1 || size == 2 || size == 8 ? size : 4;
    case FieldKind::Bool:
        return 2;
    case FieldKind::Float:
        return 8;
    case FieldKind::Single:
    case FieldKind::Date:
    case FieldKind::Time:
        return 4;
    case FieldKind::DateTime:
        return 8;
    case FieldKind::SqlDateTime:
        return 16;
    case FieldKind::SqlDateTimeOffset:
        return 20;
    case FieldKind::Bcd:
    case FieldKind::FmtBcd:
        return f.descSize ? f.descSize : size ? 2 + (size + 1) / 2 : 34;
    case FieldKind::Adt:
        return size;
    }
    return 4;
}

ValueLayout valueLayout(const FieldInfo& f) {
    const std::uint16_t type = binaryTypeWord(f);
    const std::uint16_t size = binaryDescSize(f);
    if (type & 0x100) return {ValueLayout::None, 0};
    if (type & 0x40) return {ValueLayout::Varying, size};
    return {ValueLayout::Fixed, size};
}

std::uint64_t maxValueBytes(const FieldInfo& f) {
    const ValueLayout lay = valueLayout(f);
    if (lay.form == ValueLayout::Fixed) return lay.bytes;
    std::uint64_t limit = lay.form == ValueLayout::None ? 0
                          : lay.bytes >= 4              ? 0xFFFFFFFFull
                                                        : (1ull << (8 * lay.bytes)) - 1;
    if ((f.kind == FieldKind::String || f.kind == FieldKind::WideString) && f.size > 0 &&
        static_cast<std::uint64_t>(f.size) < limit)
        limit = static_cast<std::uint64_t>(f.size);
    return limit;
}

std::string_view cutAtZero(const FieldInfo& f, std::string_view value) {
    if (f.kind == FieldKind::String) {
        const void* z = std::memchr(value.data(), 0, value.size());
        if (z)
            value = value.substr(
                0, static_cast<std::size_t>(static_cast<const char*>(z) - value.data()));
    } else if (f.kind == FieldKind::WideString) {
        for (std::size_t i = 0; i + 1 < value.size(); i += 2)
            if (value[i] == 0 && value[i + 1] == 0) return value.substr(0, i);
    }
    return value;
}

int packetVersionFor(const Table& t) {
    int version = t.packetVersion > 1 ? t.packetVersion : 1;
    for (const FieldInfo& f : t.fields)
        if ((binaryTypeWord(f) & 0x3F) > 11 && version < 2) version = 2;
    return version;
}

PacketProperty stringProperty(std::string name, std::string_view text) {
    // Stored with a terminating zero, so the text ends at its first zero.
    text = text.substr(0, text.find('\0'));
    PacketProperty p;
    p.name = std::move(name);
    p.size = 2;
    p.type = 0x49;
    appendLE(p.value, text.size() + 1, 2);
    p.value.append(text);
    p.value += '\0';
    return p;
}

PacketProperty integerProperty(std::string name, std::uint16_t type, std::uint16_t size,
                               std::uint64_t value) {
    PacketProperty p;
    p.name = std::move(name);
    p.size = size;
    p.type = type;
    appendLE(p.value, value, size);
    return p;
}

bool propertyWellFormed(const PacketProperty& p) {
    const std::size_t have = p.value.size();
    if (p.type & 0x80) {
        if (have < 4) return false;
        return have - 4 == readLE(std::string_view(p.value).substr(0, 4)) * p.size;
    }
    if (p.type & 0x40) {
        if ((p.size != 1 && p.size != 2 && p.size != 4) || have < p.size) return false;
        return have - p.size == readLE(std::string_view(p.value).substr(0, p.size));
    }
    return have == p.size;
}

bool propertyString(const PacketProperty& p, std::string& text) {
    if ((p.type & 0x3F) != 0x09 || !(p.type & 0x40) || (p.type & 0x80) || p.size == 0 ||
        p.size > 4 || p.value.size() < p.size)
        return false;
    std::string_view data = std::string_view(p.value).substr(p.size);
    const void* z = std::memchr(data.data(), 0, data.size());
    if (z)
        data = data.substr(0, static_cast<std::size_t>(static_cast<const char*>(z) - data.data()));
    text.assign(data);
    return true;
}

bool propertyInteger(const PacketProperty& p, std::int64_t& value) {
    const unsigned base = p.type & 0x7FFF;
    if ((base != 0x01 && base != 0x02) || p.size == 0 || p.size > 8 || p.value.size() != p.size)
        return false;
    std::uint64_t v = readLE(p.value);
    if (base == 0x01 && p.size < 8 && (v >> (8 * p.size - 1)) & 1) v |= ~0ull << (8 * p.size);
    value = static_cast<std::int64_t>(v);
    return true;
}

} // namespace sarw
