#pragma once

#include "shell/NumText.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace sarw {

// Powers of ten a double holds exactly.
inline constexpr double kExactPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// textToNumberFast for any text: character by character.
inline double textToNumberFastAny(std::string_view text) {
    const auto& kPow10 = kExactPow10;
    // textToNumber reads at most 127 characters.
    if (text.size() > 100) return textToNumber(text);
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool negative = false, comma = false, any = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (digits == 15) return textToNumber(text);
            if (mantissa != 0 || c != '0') ++digits;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (comma) ++decimals;
            any = true;
        } else if (c == ' ') {
            continue;
        } else if (c == '-' && !any && !negative && !comma) {
            negative = true;
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            return textToNumber(text);
        }
    }
    if (!any) return textToNumber(text);
    if (decimals > 15) return textToNumber(text);
    const double v = static_cast<double>(mantissa) / kPow10[decimals];
    return negative ? -v : v;
}

// textToNumber for the loops over whole tables. The numbers the program writes (blanks, a sign,
// digits, a decimal comma) are read here without the library's conversion: up to 15 digits are
// exact as an integer, and one division by an exact power of ten rounds as correctly as the
// conversion does, so the value is the same to the last bit. Any other text goes to
// textToNumber.
inline double textToNumberFast(std::string_view text) {
    // The usual text first, in one tight pass: blanks, perhaps a minus, then only digits and at
    // most one comma. Anything else is read from the start again.
    const char* p = text.data();
    const char* const end = p + text.size();
    if (text.size() <= 100) {
        for (std::uint64_t w; end - p >= 8 && (std::memcpy(&w, p, 8), w == 0x2020202020202020ull);)
            p += 8;
        while (p != end && *p == ' ') ++p;
        const bool negative = p != end && *p == '-';
        if (negative) ++p;
        // Up to 15 digits (leading zeros counted too) are exact as an integer.
        std::uint64_t mantissa = 0;
        int digits = 0, decimals = 0;
        bool comma = false;
        for (; p != end; ++p) {
            const unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (d < 10) {
                mantissa = mantissa * 10 + d;
                ++digits;
                decimals += comma;
            } else if (*p == ',' && !comma) {
                comma = true;
            } else {
                break;
            }
        }
        if (p == end && digits > 0 && digits <= 15) {
            const double v = static_cast<double>(mantissa) / kExactPow10[decimals];
            return negative ? -v : v;
        }
    }
    return textToNumberFastAny(text);
}

} // namespace sarw
