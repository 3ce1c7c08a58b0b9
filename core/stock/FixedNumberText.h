#pragma once

#include "shell/NumText.h"
#include "shell/NumTextFast.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace sarw {

// numberToText(width, decimals, value) written into `out` (room for `width` bytes), for the loops
// that write a number into every record: the same rounding and the same digits, without building
// strings. False, with nothing promised about `out`, when the text would not fit the width or the
// value is out of the ordinary (the caller then asks numberToText). `readBack`, when given, gets
// the value textToNumberFast reads from the text written.
inline bool fixedNumberText(char* out, int width, int decimals, double value,
                            double* readBack = nullptr) {
    static constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                             1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                             1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    if (decimals < 0 || decimals > 18 || width <= 0 || width > 64) return false;
    unsigned long long n = 0;
    bool minus = false;
    const long double scaled = std::fabs(static_cast<long double>(value)) * kPow10[decimals];
    if (decimals != 5 && scaled < 0x1p50L) {
        // roundTo's rounding of the scaled value, kept as the integer: below 2^50 going to the
        // rounded double and back gives this integer again. It is not negative, so the
        // conversion's truncation is the floor.
        n = static_cast<unsigned long long>(scaled + 0.5L + scaled * 1e-15L);
        minus = value < 0 && n != 0;
    } else {
        const double x = roundTo(value, decimals);
        // Beyond this numberToText prints the value otherwise; NaN fails the test as well.
        if (!(std::fabs(x) < 9e17 / static_cast<double>(kPow10[decimals]))) return false;
        n = static_cast<unsigned long long>(
            std::llroundl(std::fabs(static_cast<long double>(x)) * kPow10[decimals]));
        minus = x < 0 && n != 0;
    }
    const auto w = static_cast<std::size_t>(width);
    char digits[24];
    std::size_t len = 0;
    for (unsigned long long k = n;;) {
        digits[len++] = static_cast<char>('0' + k % 10);
        k /= 10;
        if (k == 0) break;
    }
    const auto d = static_cast<std::size_t>(decimals);
    // Digits before the comma (at least a lone zero), the comma and the decimals.
    const std::size_t whole = len > d ? len - d : 1;
    const std::size_t total = (minus ? 1 : 0) + whole + (d ? d + 1 : 0);
    // numberToText drops decimals first, and only then blanks a zero.
    if (total > w) return false;
    if (n == 0) {
        std::memset(out, ' ', w);
        if (readBack) *readBack = 0.0;
        return true;
    }
    char* p = out + (w - total);
    std::memset(out, ' ', w - total);
    if (minus) *p++ = '-';
    // digits[] holds the number backwards; positions at or beyond len are zeros.
    auto digit = [&](std::size_t i) { return i < len ? digits[i] : '0'; };
    for (std::size_t i = whole + d; i-- > d;) *p++ = digit(i);
    if (d) {
        *p++ = ',';
        for (std::size_t i = d; i-- > 0;) *p++ = digit(i);
    }
    if (readBack) {
        // What textToNumberFast reads from the text: up to 15 digits it divides them as here.
        if (n < 1000000000000000ull && d <= 15) {
            const double v = static_cast<double>(n) / kExactPow10[d];
            *readBack = minus ? -v : v;
        } else {
            *readBack = textToNumberFast(std::string_view(out, w));
        }
    }
    return true;
}

} // namespace sarw
