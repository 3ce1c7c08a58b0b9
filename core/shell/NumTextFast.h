#pragma once

// The fast path of the number services, inline for the loops over whole tables: numberToText's
// rule and textToNumber's reading without strings and without the library's conversions, giving
// the same texts and the same values to the last bit. What they do not cover they leave to
// NumText.h.
#include "shell/NumText.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sarw {

// Powers of ten a double holds exactly.
inline constexpr double kExactPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

namespace numtext {

// The scales of rounding to 0 ... 18 decimals.
inline constexpr long double kScale[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                         1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                         1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
inline constexpr int kMaxDecimals = 18;
// The powers of ten as whole numbers, up to the largest below 2^64.
inline constexpr auto kWhole = [] {
    std::array<unsigned long long, 20> p{1};
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// A value rounded to some decimals as numberToText writes it: the rounded magnitude scaled to a
// whole number, a minus unless it is zero, a comma before the last `decimals` digits and "0,"
// when there are no whole digits.
struct RoundedDigits {
    unsigned long long n = 0;
    int decimals = 0;
    bool minus = false;
    std::size_t size = 0; // characters of the text

    // False where numberToText prints the rounded value by the library instead (it is too
    // large for whole digits, or not a number).
    bool set(double value, int d) {
        if (d < 0 || d > kMaxDecimals) return false;
        const long double scaled = std::fabs(static_cast<long double>(value)) * kScale[d];
        if (d != 5 && scaled < 0x1p50L) {
            // roundTo's rounding of the scaled value, kept as the integer: below 2^50 going to
            // the rounded double and back gives this integer again. It is not negative, so the
            // conversion's truncation is the floor.
            n = static_cast<unsigned long long>(scaled + 0.5L + scaled * 1e-15L);
        } else {
            const double x = roundTo(value, d);
            // NaN fails the test as well.
            if (!(std::fabs(x) < 9e17 / static_cast<double>(kScale[d]))) return false;
            n = static_cast<unsigned long long>(
                std::llroundl(std::fabs(static_cast<long double>(x)) * kScale[d]));
        }
        decimals = d;
        minus = value < 0 && n != 0;
        // The digits of n: from its bits (times log10 2), one more where it reaches the next
        // power of ten.
        const int approx = ((64 - __builtin_clzll(n | 1)) * 1233) >> 12;
        const std::size_t len =
            n < 10 ? 1 : static_cast<std::size_t>(approx) + (n >= kWhole[approx] ? 1 : 0);
        const auto dd = static_cast<std::size_t>(d);
        size = (minus ? 1 : 0) + (dd == 0 ? len : len <= dd ? 2 + dd : len + 1);
        return true;
    }

    // The text into at (size bytes).
    void write(char* at) const {
        char* p = at + size;
        unsigned long long k = n;
        for (int i = 0; i < decimals; ++i, k /= 10) *--p = static_cast<char>('0' + k % 10);
        if (decimals > 0) *--p = ',';
        do {
            *--p = static_cast<char>('0' + k % 10);
            k /= 10;
        } while (k != 0);
        if (minus) *--p = '-';
    }
};

} // namespace numtext

// numberToText(width, decimals, value) written into `out` (room for `width` bytes) without
// building strings. False, with nothing promised about `out`, where numberToText's text is not
// `width` bytes (wider even without decimals) or the value is out of the ordinary; the caller
// then asks numberToText. `readBack`, when given, gets the value textToNumberFast reads from the
// text written.
inline bool numberToTextFast(char* out, int width, int decimals, double value,
                             double* readBack = nullptr);

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
// digits, a decimal comma, perhaps blanks after them) are read here without the library's
// conversion: up to 15 digits are exact as an integer, and one division by an exact power of ten
// rounds as correctly as the conversion does, so the value is the same to the last bit. Any
// other text goes to textToNumber.
inline double textToNumberFast(std::string_view text) {
    // The usual text first, in one tight pass: blanks, perhaps a minus, then only digits and at
    // most one comma, then perhaps blanks. Anything else is read from the start again.
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
        while (p != end && *p == ' ') ++p;
        if (p == end && digits > 0 && digits <= 15) {
            const double v = static_cast<double>(mantissa) / kExactPow10[decimals];
            return negative ? -v : v;
        }
    }
    return textToNumberFastAny(text);
}

inline bool numberToTextFast(char* out, int width, int decimals, double value, double* readBack) {
    if (decimals < 0) decimals = 0;
    if (width <= 0) return false;
    // numberToText drops decimals while the text is too wide, and only then blanks a zero.
    numtext::RoundedDigits r;
    for (int d = decimals;; --d) {
        if (!r.set(value, d)) return false;
        if (r.size <= static_cast<std::size_t>(width)) break;
        if (d == 0) return false;
    }
    const auto w = static_cast<std::size_t>(width);
    if (r.n == 0) {
        std::memset(out, ' ', w);
        if (readBack) *readBack = 0.0;
        return true;
    }
    std::memset(out, ' ', w - r.size);
    r.write(out + (w - r.size));
    if (readBack) {
        // What textToNumberFast reads from the text: up to 15 digits it divides them as here.
        if (r.n < 1000000000000000ull && r.decimals <= 15) {
            const double v = static_cast<double>(r.n) / kExactPow10[r.decimals];
            *readBack = r.minus ? -v : v;
        } else {
            *readBack = textToNumberFast(std::string_view(out, w));
        }
    }
    return true;
}

} // namespace sarw
