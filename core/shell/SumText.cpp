#include "shell/SumText.h"

#include "shell/NumText.h"

#include <cmath>

namespace sarw {

namespace {

constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                  1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
constexpr int kMaxDecimals = 18;

// The rounded value x with d decimals as numberToText prints it: the scaled magnitude as whole
// digits, a comma before the last d of them, a leading "0," when they are fewer. False where
// numberToText would leave the scaled integer for the library's printing.
struct Fixed {
    char digits[24];
    int len = 0;
    bool minus = false;
    int size = 0; // characters of the text

    bool set(double x, int d) {
        if (!(std::fabs(x) < 9e17 / static_cast<double>(kPow10[d]))) return false;
        const long double scaled = std::fabs(static_cast<long double>(x)) * kPow10[d];
        auto n = static_cast<unsigned long long>(std::llroundl(scaled));
        char tmp[24];
        int k = 0;
        do {
            tmp[k++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n != 0);
        len = k;
        for (int i = 0; i < k; ++i) digits[i] = tmp[k - 1 - i];
        minus = x < 0 && !(len == 1 && digits[0] == '0');
        size = minus + (d == 0 ? len : len <= d ? 2 + d : len + 1);
        return true;
    }

    void write(char* at, int d) const {
        if (minus) *at++ = '-';
        if (d == 0) {
            for (int i = 0; i < len; ++i) *at++ = digits[i];
        } else if (len <= d) {
            *at++ = '0';
            *at++ = ',';
            for (int i = len; i < d; ++i) *at++ = '0';
            for (int i = 0; i < len; ++i) *at++ = digits[i];
        } else {
            for (int i = 0; i < len - d; ++i) *at++ = digits[i];
            *at++ = ',';
            for (int i = len - d; i < len; ++i) *at++ = digits[i];
        }
    }
};

} // namespace

void numberToTextInto(std::string& out, int width, int decimals, double value) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) {
        out = numberToText(width, decimals, value);
        return;
    }
    const double threshold = 0.5 * static_cast<double>(1.0L / kPow10[decimals]);
    int d = decimals;
    double x = roundTo(value, d);
    Fixed f;
    if (!f.set(x, d)) {
        out = numberToText(width, decimals, value);
        return;
    }
    while (f.size > width && d > 0) {
        --d;
        x = roundTo(value, d);
        if (!f.set(x, d)) {
            out = numberToText(width, decimals, value);
            return;
        }
    }
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (std::fabs(x) < threshold) {
        out.assign(w, ' ');
        return;
    }
    const std::size_t size = static_cast<std::size_t>(f.size);
    const std::size_t pad = size < w ? w - size : 0;
    out.assign(pad, ' ');
    out.resize(pad + size);
    f.write(out.data() + pad, d);
}

} // namespace sarw
