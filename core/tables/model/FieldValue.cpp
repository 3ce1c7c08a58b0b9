#include "tables/model/FieldValue.h"

#include "platform/Cp1250.h"
#include "tables/model/FieldValueTime.h"
#include "tables/model/LittleEndian.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace sarw {

namespace {

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string formatDouble(double v) {
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 16);
    double back = 0;
    std::from_chars(buf, r.ptr, back);
    // Sixteen digits, as the engine writes, unless that would change the value.
    if (back != v && !std::isnan(v))
        r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
    return std::string(buf, r.ptr);
}

template <typename T> bool parseNumber(std::string_view s, T& v) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Packed decimal: precision, sign bit and scale, then the digits two to a byte.
std::size_t bcdBytes(const FieldInfo& f) {
    if (f.descSize) return f.descSize;
    return f.size > 0 ? 2 + (static_cast<std::size_t>(f.size) + 1) / 2 : 34;
}

std::string formatBcd(std::string_view raw) {
    if (raw.size() < 2) return "0";
    const unsigned prec = static_cast<unsigned char>(raw[0]);
    const unsigned signScale = static_cast<unsigned char>(raw[1]);
    const unsigned places = signScale & 0x3F;
    std::string digits;
    for (unsigned i = 0; i < prec && 2 + i / 2 < raw.size(); ++i) {
        unsigned byte = static_cast<unsigned char>(raw[2 + i / 2]);
        unsigned nib = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        digits += static_cast<char>('0' + (nib > 9 ? 9 : nib));
    }
    if (digits.size() < places) digits.insert(0, places - digits.size(), '0');
    std::string intPart = digits.substr(0, digits.size() - places);
    intPart.erase(0, intPart.find_first_not_of('0') == std::string::npos
                         ? intPart.size()
                         : intPart.find_first_not_of('0'));
    std::string out = signScale & 0x80 ? "-" : "";
    out += intPart.empty() ? "0" : intPart;
    if (places) out += '.' + digits.substr(digits.size() - places);
    return out;
}

bool parseBcd(const FieldInfo& f, std::string_view s, std::string& raw) {
    bool neg = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
    auto dot = s.find('.');
    std::string_view ip = s.substr(0, dot);
    std::string_view fp = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if ((ip.empty() && fp.empty()) || (!ip.empty() && !allDigits(ip)) ||
        (!fp.empty() && !allDigits(fp)) || fp.size() > 63)
        return false;
    while (!ip.empty() && ip[0] == '0') ip.remove_prefix(1);
    std::string digits = std::string(ip) + std::string(fp);
    if (digits.empty()) digits = "0";
    const std::size_t bytes = bcdBytes(f);
    if (digits.size() > 255 || 2 + (digits.size() + 1) / 2 > bytes) return false;
    raw.assign(bytes, '\0');
    raw[0] = static_cast<char>(digits.size());
    raw[1] = static_cast<char>((neg ? 0x80 : 0) | fp.size());
    for (std::size_t i = 0; i < digits.size(); ++i) {
        unsigned nib = static_cast<unsigned>(digits[i] - '0');
        raw[2 + i / 2] = static_cast<char>(static_cast<unsigned char>(raw[2 + i / 2]) |
                                           (i % 2 == 0 ? nib << 4 : nib));
    }
    return true;
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool isWideMemo(const FieldInfo& f) {
    return f.kind == FieldKind::Memo && f.subtype == "WideText";
}

std::string utf16ToCp1250(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() / 2);
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const auto unit = static_cast<char32_t>(readLE(raw.substr(i, 2)));
        // A surrogate pair is one character, which Windows-1250 lacks.
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < raw.size()) {
            const auto low = readLE(raw.substr(i + 2, 2));
            if (low >= 0xDC00 && low < 0xE000) i += 2;
        }
        const unsigned char b = unicodeToCp1250(unit);
        out += (b == 0 && unit != 0) ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string cp1250ToUtf16(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) appendLE(out, cp1250ToUnicode(static_cast<unsigned char>(c)), 2);
    return out;
}

std::size_t intBytes(const FieldInfo& f) {
    return f.size == 1 || f.size == 2 || f.size == 8 ? static_cast<std::size_t>(f.size) : 4;
}

bool parseInteger(const FieldInfo& f, std::string_view text, std::string& raw) {
    const std::size_t n = intBytes(f);
    if (f.kind == FieldKind::UInt) {
        std::uint64_t v;
        if (!parseNumber(text, v) || (n < 8 && v >> (8 * n) != 0)) return false;
        appendLE(raw, v, n);
        return true;
    }
    std::int64_t v;
    if (!parseNumber(text, v)) return false;
    if (n < 8) {
        const std::int64_t lim = std::int64_t{1} << (8 * n - 1);
        if (v < -lim || v >= lim) return false;
    }
    appendLE(raw, static_cast<std::uint64_t>(v), n);
    return true;
}

} // namespace

std::string base64Encode(std::string_view in) {
    std::string out;
    out.reserve((in.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        std::uint32_t v = static_cast<unsigned char>(in[i]) << 16 |
                          static_cast<unsigned char>(in[i + 1]) << 8 |
                          static_cast<unsigned char>(in[i + 2]);
        for (int k = 18; k >= 0; k -= 6) out += kBase64[(v >> k) & 63];
    }
    if (i < in.size()) {
        std::uint32_t v = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) v |= static_cast<unsigned char>(in[i + 1]) << 8;
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += i + 1 < in.size() ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

// Tolerates white space and missing padding; anything else outside the alphabet is an error.
bool base64Decode(std::string_view in, std::string& out) {
    static const auto table = [] {
        std::array<signed char, 256> t{};
        t.fill(-1);
        for (int i = 0; i < 64; ++i)
            t[static_cast<unsigned char>(kBase64[i])] = static_cast<signed char>(i);
        return t;
    }();
    out.clear();
    out.reserve(in.size() / 4 * 3);
    std::uint32_t acc = 0;
    int bits = 0;
    bool padding = false;
    for (char c : in) {
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') continue;
        if (c == '=') {
            padding = true;
            continue;
        }
        int v = table[static_cast<unsigned char>(c)];
        if (v < 0 || padding) return false;
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>(acc >> bits);
            acc &= (1u << bits) - 1;
        }
    }
    return bits < 6;
}

std::string formatFieldValue(const FieldInfo& field, std::string_view raw) {
    switch (field.kind) {
    case FieldKind::String:
        return std::string(raw);
    case FieldKind::Memo:
        return isWideMemo(field) ? utf16ToCp1250(raw) : std::string(raw);
    case FieldKind::WideString:
        return utf16ToCp1250(raw);
    case FieldKind::Blob:
    case FieldKind::Other:
        return base64Encode(raw);
    case FieldKind::Int:
        return std::to_string(readSignedLE(raw));
    case FieldKind::UInt:
        return std::to_string(readLE(raw));
    case FieldKind::Bool:
        return readLE(raw) != 0 ? "TRUE" : "FALSE";
    case FieldKind::Float:
        return formatDouble(readPod<double>(raw));
    case FieldKind::Single: {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, readPod<float>(raw));
        return std::string(buf, r.ptr);
    }
    case FieldKind::Bcd:
    case FieldKind::FmtBcd:
        return formatBcd(raw);
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::DateTime:
    case FieldKind::SqlDateTime:
    case FieldKind::SqlDateTimeOffset:
        return formatTimeValue(field, raw);
    case FieldKind::Adt:
        return {};
    }
    return std::string(raw);
}

bool parseFieldValue(const FieldInfo& field, std::string_view text, std::string& raw) {
    raw.clear();
    switch (field.kind) {
    case FieldKind::String:
        raw.assign(text);
        return true;
    case FieldKind::Memo:
        if (isWideMemo(field))
            raw = cp1250ToUtf16(text);
        else
            raw.assign(text);
        return true;
    case FieldKind::WideString:
        raw = cp1250ToUtf16(text);
        return true;
    case FieldKind::Blob:
    case FieldKind::Other:
        return base64Decode(text, raw);
    case FieldKind::Int:
    case FieldKind::UInt:
        return parseInteger(field, text, raw);
    case FieldKind::Bool:
        if (text.empty() || (text[0] | 0x20) != 't') {
            if (text.empty() || (text[0] | 0x20) != 'f') return false;
        }
        appendLE(raw, (text[0] | 0x20) == 't' ? 1 : 0,
                 field.size > 0 && field.size <= 8 ? static_cast<std::size_t>(field.size) : 2);
        return true;
    case FieldKind::Float: {
        double v;
        if (!parseNumber(text, v)) return false;
        appendPod(raw, v);
        return true;
    }
    case FieldKind::Single: {
        float v;
        if (!parseNumber(text, v)) return false;
        appendPod(raw, v);
        return true;
    }
    case FieldKind::Bcd:
    case FieldKind::FmtBcd:
        return parseBcd(field, text, raw);
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::DateTime:
    case FieldKind::SqlDateTime:
    case FieldKind::SqlDateTimeOffset:
        return parseTimeValue(field, text, raw);
    case FieldKind::Adt:
        return false;
    }
    return false;
}

} // namespace sarw
