#pragma once

#include "shell/NumText.h"

#include <cstdint>
#include <string_view>

namespace sarw {

// textToNumber for the loops over whole tables. The numbers the program writes (blanks, a sign,
// digits, a decimal comma) are read here without the library's conversion: up to 15 digits are
// exact as an integer, and one division by an exact power of ten rounds as correctly as the
// conversion does, so the value is the same to the last bit. Any other text goes to
// textToNumber.
inline double textToNumberFast(std::string_view text) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
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

} // namespace sarw
