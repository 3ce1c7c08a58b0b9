#include "shell/NumText.h"

#include "shell/NumTextFast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sarw {

namespace {

long double pow10(int d) {
    if (d >= 0 && d <= numtext::kMaxDecimals) return numtext::kScale[d];
    return std::pow(10.0L, d);
}

std::string padLeft(std::string s, int width) {
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

// The value with `decimals` places and a decimal comma, by the library: without the rounding
// step, and for rounded values too large for whole digits. A zero keeps no minus.
std::string printedText(double value, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string s(buf);
    if (auto p = s.find('.'); p != std::string::npos) s[p] = ',';
    if (s == "-0" || (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0,") == std::string::npos))
        s.erase(0, 1);
    return s;
}

// One step of the rule: the text at d decimals, and whether the value counts as zero there.
struct Step {
    std::string text;
    bool zero;
};

Step step(double value, int d, bool round, double threshold) {
    if (round) {
        if (numtext::RoundedDigits r; r.set(value, d)) {
            std::string s(r.size, ' ');
            r.write(s.data());
            return {std::move(s), r.n == 0};
        }
        const double x = roundTo(value, d);
        return {printedText(x, d), std::fabs(x) < threshold};
    }
    return {printedText(value, d), std::fabs(value) < threshold};
}

// numberToText's rule: decimals dropped one by one while the text is too wide, and only then a
// value that is zero at the field's decimals blanked (unless zeroTest is off).
std::string formatNumber(int width, int decimals, double value, bool round, bool zeroTest) {
    if (decimals < 0) decimals = 0;
    const double threshold = 0.5 * static_cast<double>(1.0L / pow10(decimals));
    int d = decimals;
    Step s = step(value, d, round, threshold);
    while (static_cast<int>(s.text.size()) > width && d > 0) s = step(value, --d, round, threshold);
    if (zeroTest && s.zero) return std::string(static_cast<size_t>(std::max(width, 0)), ' ');
    return padLeft(std::move(s.text), width);
}

// Code-page table: Windows-1250, code page 852, Kamenicky.
constexpr std::array<std::array<unsigned char, 3>, 95> kCodePages = {{
    {0xC8, 0xAC, 0x80}, {0xE9, 0x82, 0x82}, {0xEF, 0xD4, 0x83}, {0xCF, 0xD2, 0x85},
    {0x8D, 0x9B, 0x86}, {0xE8, 0x9F, 0x87}, {0xEC, 0xD8, 0x88}, {0xCC, 0xB7, 0x89},
    {0xC5, 0x91, 0x8A}, {0xCD, 0xD6, 0x8B}, {0xBE, 0x96, 0x8C}, {0xE5, 0x92, 0x8D},
    {0xC1, 0xB5, 0x8F}, {0xC9, 0x90, 0x90}, {0x9E, 0xA7, 0x91}, {0x8E, 0xA6, 0x92},
    {0xF4, 0x93, 0x93}, {0xD3, 0xE0, 0x95}, {0xF9, 0x85, 0x96}, {0xDA, 0xE9, 0x97},
    {0xFD, 0xEC, 0x98}, {0x8A, 0xE6, 0x9B}, {0xBC, 0x95, 0x9C}, {0xDD, 0xED, 0x9D},
    {0xD8, 0xFC, 0x9E}, {0x9D, 0x9C, 0x9F}, {0xE1, 0xA0, 0xA0}, {0xED, 0xA1, 0xA1},
    {0xF3, 0xA2, 0xA2}, {0xFA, 0xA3, 0xA3}, {0xF2, 0xE5, 0xA4}, {0xD2, 0xD5, 0xA5},
    {0xD9, 0xDE, 0xA6}, {0xD4, 0xE2, 0xA7}, {0x9A, 0xE7, 0xA8}, {0xF8, 0xFD, 0xA9},
    {0xE0, 0xEA, 0xAA}, {0xC0, 0xE8, 0xAB}, {0xA7, 0xF5, 0xAD}, {0x2B, 0x2B, 0x2B},
    {0x2D, 0x2D, 0x2D}, {0x7C, 0x7C, 0x7C}, {0x7C, 0xB3, 0xB3}, {0x2B, 0xB4, 0xB4},
    {0x2B, 0xB4, 0xB9}, {0x2B, 0xB9, 0xB9}, {0x7C, 0xB3, 0xBA}, {0x7C, 0xBA, 0xBA},
    {0x2B, 0xBF, 0xBB}, {0x2B, 0xBB, 0xBB}, {0x2B, 0xD9, 0xBC}, {0x2B, 0xBC, 0xBC},
    {0x2B, 0xBF, 0xBF}, {0x2B, 0xC0, 0xC0}, {0x2B, 0xC1, 0xC1}, {0x2B, 0xC2, 0xC2},
    {0x2B, 0xC3, 0xC3}, {0x2D, 0xC4, 0xC4}, {0x2B, 0xC5, 0xC5}, {0x2B, 0xC0, 0xC8},
    {0x2B, 0xC8, 0xC8}, {0x2B, 0xDA, 0xC9}, {0x2B, 0xC9, 0xC9}, {0x2B, 0xC1, 0xCA},
    {0x2B, 0xCA, 0xCA}, {0x2B, 0xC2, 0xCB}, {0x2B, 0xCB, 0xCB}, {0x2B, 0xC3, 0xCC},
    {0x2B, 0xCC, 0xCC}, {0x2D, 0xC4, 0xCD}, {0x2D, 0xCD, 0xCD}, {0x2D, 0xC4, 0xCD},
    {0x2B, 0xC5, 0xCE}, {0x2B, 0xCE, 0xCE}, {0x2B, 0xD9, 0xD9}, {0x2B, 0xDA, 0xDA},
    {0x2B, 0xB4, 0xB5}, {0x2B, 0xB4, 0xB6}, {0x2B, 0xBF, 0xB7}, {0x2B, 0xBF, 0xB8},
    {0x2B, 0xD9, 0xBE}, {0x2B, 0xC3, 0xC6}, {0x2B, 0xC3, 0xC7}, {0x2B, 0xC1, 0xCF},
    {0x2B, 0xC1, 0xD0}, {0x2B, 0xC2, 0xD1}, {0x2B, 0xC2, 0xD2}, {0x2B, 0xC0, 0xD3},
    {0x2B, 0xC0, 0xD4}, {0x2B, 0xDA, 0xD5}, {0x2B, 0xDA, 0xD6}, {0x2B, 0xC5, 0xD7},
    {0x2B, 0xC5, 0xD8}, {0xBB, 0xAF, 0xAF}, {0x95, 0xFE, 0xFE},
}};

// Byte-to-byte maps for each pair of columns, built once from the table (first row wins).
struct CodePageMaps {
    std::array<std::array<std::array<unsigned char, 256>, 3>, 3> map{};
    CodePageMaps() {
        for (int f = 0; f < 3; ++f)
            for (int t = 0; t < 3; ++t) {
                auto& m = map[f][t];
                std::array<bool, 256> seen{};
                for (int b = 0; b < 256; ++b) m[b] = static_cast<unsigned char>(b);
                for (const auto& row : kCodePages) {
                    unsigned char from = row[f];
                    if (seen[from]) continue;
                    seen[from] = true;
                    m[from] = row[t];
                }
            }
    }
};

} // namespace

std::string intToText(long long value, int width) {
    if (value == 0) return std::string(width > 0 ? static_cast<size_t>(width) : 0, ' ');
    return padLeft(std::to_string(value), width);
}

std::string intToTextZero(long long value, int width) {
    return padLeft(std::to_string(value), width);
}

std::string zeroPadInt(long long value, int width) { return blanksToZeros(intToText(value, width)); }

std::string blanksToZeros(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ' ') c = '0';
    return s;
}

long long textToInt(std::string_view text) {
    char buf[64];
    size_t n = 0;
    for (char c : text)
        if (((c >= '0' && c <= '9') || c == '-') && n + 1 < sizeof buf) buf[n++] = c;
    buf[n] = 0;
    if (n == 0) return 0;
    char* end = nullptr;
    long long v = std::strtoll(buf, &end, 10);
    return end == buf + n ? v : 0;
}

double textToNumber(std::string_view text) {
    char buf[128];
    size_t n = 0;
    bool commaSeen = false;
    for (char c : text) {
        if (c == ',' && !commaSeen) {
            commaSeen = true;
            c = '.';
        }
        if (((c >= '0' && c <= '9') || c == '-' || c == '.') && n + 1 < sizeof buf) buf[n++] = c;
    }
    buf[n] = 0;
    if (n == 0) return 0.0;
    char* end = nullptr;
    double v = std::strtod(buf, &end);
    return end == buf + n ? v : 0.0;
}

double roundTo(double value, int decimals) {
    long double m = std::fabs(static_cast<long double>(value));
    long double r;
    if (decimals == 5) {
        long double whole = std::floor(m);
        long double frac = m - whole;
        r = frac < 0.25L ? whole : frac < 0.75L ? whole + 0.5L : whole + 1;
    } else {
        const long double scale = pow10(decimals);
        long double scaled = m * scale;
        // A decimal half stored in binary may land a hair below .5 (2.675 is 2.67499999...);
        // a tolerance of a few units in the value's last place rounds it up as typed.
        long double tolerance = scaled * 1e-15L;
        r = std::floor(scaled + 0.5L + tolerance) / scale;
    }
    return static_cast<double>(value < 0 ? -r : r);
}

std::string numberToText(int width, int decimals, double value) {
    return formatNumber(width, decimals, value, true, true);
}

void numberToTextInto(std::string& out, int width, int decimals, double value) {
    out.resize(static_cast<size_t>(std::max(width, 0)));
    if (!numberToTextFast(out.data(), width, decimals, value))
        out = numberToText(width, decimals, value);
}

std::string numberToTextNoRound(int width, int decimals, double value, bool zeroTest) {
    return formatNumber(width, decimals, value, false, zeroTest);
}

char upperCaseChar(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
    switch (c) {
    case 0xE1: return '\xC1'; // a acute
    case 0xE8: return '\xC8'; // c caron
    case 0xEF: return '\xCF'; // d caron
    case 0xE9: return '\xC9'; // e acute
    case 0xEC: return '\xCC'; // e caron
    case 0xED: return '\xCD'; // i acute
    case 0xF2: return '\xD2'; // n caron
    case 0xF3: return '\xD3'; // o acute
    case 0xF8: return '\xD8'; // r caron
    case 0x9A: return '\x8A'; // s caron
    case 0x9D: return '\x8D'; // t caron
    case 0xFA: return '\xDA'; // u acute
    case 0xF9: return '\xDA'; // u ring becomes U acute, as the program always did
    case 0xFD: return '\xDD'; // y acute
    case 0x9E: return '\x8E'; // z caron
    default: return ch;
    }
}

std::string upperCase(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = upperCaseChar(c);
    return s;
}

std::string convertCodePage(std::string_view text, int fromColumn, int toColumn) {
    if (fromColumn < 1 || fromColumn > 3 || toColumn < 1 || toColumn > 3) return std::string(text);
    static const CodePageMaps maps;
    const auto& m = maps.map[fromColumn - 1][toColumn - 1];
    std::string s(text);
    for (char& c : s) c = static_cast<char>(m[static_cast<unsigned char>(c)]);
    return s;
}

} // namespace sarw
