#pragma once

#include "shell/NumText.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace sarw {

// numberToText(width, decimals, value) written into `out` (room for `width` bytes), for the loops
// that write a number into every record: the same rounding and the same digits, without building
// strings. False, with nothing promised about `out`, when the text would not fit the width or the
// value is out of the ordinary (the caller then asks numberToText).
inline bool fixedNumberText(char* out, int width, int decimals, double value) {
    static constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                             1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                             1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    if (decimals < 0 || decimals > 18 || width <= 0 || width > 64) return false;
    const double x = roundTo(value, decimals);
    // Beyond this numberToText prints the value otherwise; NaN fails the test as well.
    if (!(std::fabs(x) < 9e17 / static_cast<double>(kPow10[decimals]))) return false;
    const auto w = static_cast<std::size_t>(width);
    unsigned long long n = static_cast<unsigned long long>(
        std::llroundl(std::fabs(static_cast<long double>(x)) * kPow10[decimals]));
    const bool minus = x < 0 && n != 0;
    char digits[24];
    std::size_t len = 0;
    do {
        digits[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    const auto d = static_cast<std::size_t>(decimals);
    // Digits before the comma (at least a lone zero), the comma and the decimals.
    const std::size_t whole = len > d ? len - d : 1;
    const std::size_t total = (minus ? 1 : 0) + whole + (d ? d + 1 : 0);
    // numberToText drops decimals first, and only then blanks a zero.
    if (total > w) return false;
    if (std::fabs(x) < 0.5 * static_cast<double>(1.0L / kPow10[decimals])) {
        std::memset(out, ' ', w);
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
    return true;
}

} // namespace sarw
