// The fast path of the number formatter gives exactly numberToText's text, or leaves the number
// to it; its rounding is roundTo's.
#include "shell/NumText.h"
#include "shell/NumTextFast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace sarw;

namespace {

struct Form {
    int width, decimals;
};

TEST(NumberToTextFast, SameTextAsNumberToTextOrNone) {
    std::vector<double> values = {0,
                                  -0.0,
                                  0.0004,
                                  -0.0004,
                                  0.0005,
                                  -0.0005,
                                  0.005,
                                  -0.005,
                                  0.004999,
                                  2.675,
                                  -2.675,
                                  1.005,
                                  0.125,
                                  0.5,
                                  -0.5,
                                  9.9995,
                                  99999999999.99,
                                  -99999999999.99,
                                  999999999999.995,
                                  1e12,
                                  -1e13,
                                  123456789.0125,
                                  1e17,
                                  8.9e17,
                                  1125899906842.623,
                                  -1125899906842.625,
                                  11258999068426.24,
                                  999999999999999.0,
                                  1e15,
                                  9e17,
                                  1e300,
                                  -1e300,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity()};
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        // Decimal numbers as sums of quantities and values are, and arbitrary doubles.
        const long long cents = static_cast<long long>(rng() % 2000000000000ull) - 1000000000000ll;
        values.push_back(static_cast<double>(cents) / (i % 2 ? 100.0 : 1000.0));
        values.push_back(std::ldexp(static_cast<double>(rng() % 1000000007) - 5e8,
                                    static_cast<int>(rng() % 60) - 40));
    }
    int written = 0, left = 0;
    for (const Form f :
         {Form{16, 3}, Form{15, 2}, Form{10, 2}, Form{6, 2}, Form{8, 0}, Form{4, 5}}) {
        for (const double v : values) {
            std::string out(static_cast<std::size_t>(f.width), '#');
            double readBack = -7.0;
            if (numberToTextFast(out.data(), f.width, f.decimals, v, &readBack)) {
                ++written;
                EXPECT_EQ(out, numberToText(f.width, f.decimals, v))
                    << f.width << "/" << f.decimals << " " << v;
                // The very bits a reader of the text gets.
                const double read = textToNumberFast(out);
                EXPECT_EQ(std::memcmp(&readBack, &read, sizeof read), 0)
                    << f.width << "/" << f.decimals << " " << v << " " << readBack;
            } else {
                ++left;
                // Left out only where numberToText has to drop decimals or overflow the width,
                // or for values out of the ordinary.
                const std::string t = numberToText(f.width, f.decimals, v);
                const std::size_t comma = t.find(',');
                const bool fewerDecimals =
                    f.decimals > 0 && (comma == std::string::npos ||
                                       t.size() - comma - 1 < static_cast<std::size_t>(f.decimals));
                EXPECT_TRUE(t.size() > static_cast<std::size_t>(f.width) || fewerDecimals ||
                            !(std::fabs(v) < 1e17))
                    << f.width << "/" << f.decimals << " " << v << " '" << t << "'";
            }
        }
    }
    EXPECT_GT(written, 100000);
    EXPECT_GT(left, 0);
}

void expectSameText(int width, int decimals, double value) {
    std::string quick = "left over from the previous number";
    numberToTextInto(quick, width, decimals, value);
    EXPECT_EQ(quick, numberToText(width, decimals, value))
        << "width " << width << ", decimals " << decimals << ", value " << value;
}

TEST(NumberToTextFast, IntoAStringSameTextAsNumberToText) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  2.675,
                                  -2.675,
                                  0.005,
                                  -0.005,
                                  0.0049999,
                                  0.0004,
                                  -0.0004,
                                  0.5,
                                  1.5,
                                  -1.5,
                                  0.25,
                                  0.75,
                                  0.125,
                                  123456789.125,
                                  -99999999999.995,
                                  1e15,
                                  9e17,
                                  8.99e17,
                                  1e30,
                                  -1e300,
                                  inf,
                                  -inf,
                                  std::nan(""),
                                  5e-324};
    // Sums as the summation forms them: many small amounts added up.
    for (double step : {0.1, 0.01, 0.001, 1.23, -7.77}) {
        double sum = 0;
        for (int i = 0; i < 200; ++i) values.push_back(sum += step);
    }
    for (double v = 1; v < 1e19; v = v * 3.7 + 0.013) {
        values.push_back(v);
        values.push_back(-v);
    }
    // Narrow widths drop decimals or overflow; 5 decimals round to halves; -1 and 19 decimals
    // are outside the usual range.
    for (int width : {1, 3, 6, 10, 15, 20, 40})
        for (int decimals : {-1, 0, 1, 2, 3, 4, 5, 6, 18, 19})
            for (double v : values) expectSameText(width, decimals, v);
}

// The digits are those of roundTo's result, also where they are taken without it.
TEST(NumberToTextFast, RoundedDigitsAreThoseOfRoundTo) {
    std::mt19937_64 rng(5);
    std::vector<double> values = {2.675,  -2.675,     1.005,  0.125, 0.5,
                                  0.25,   0.75,       9.9995, 1e14,  1125899906842.623,
                                  0x1p50, 0x1p50 + 1, 8.9e16};
    for (int i = 0; i < 20000; ++i) {
        const long long units =
            static_cast<long long>(rng() % 20000000000000ull) - 10000000000000ll;
        values.push_back(static_cast<double>(units) / std::pow(10.0, static_cast<int>(rng() % 7)));
        values.push_back(
            std::ldexp(static_cast<double>(rng() % 1000000007), -static_cast<int>(rng() % 40)));
    }
    for (int d = 0; d <= 18; ++d)
        for (const double v : values) {
            numtext::RoundedDigits r;
            const double x = roundTo(v, d);
            if (!r.set(v, d)) {
                EXPECT_FALSE(std::fabs(x) < 9e17 / std::pow(10.0, d)) << d << " " << v;
                continue;
            }
            const auto n = static_cast<unsigned long long>(
                std::llroundl(std::fabs(static_cast<long double>(x)) * std::pow(10.0L, d)));
            ASSERT_EQ(r.n, n) << d << " " << v;
            ASSERT_EQ(r.minus, x < 0 && n != 0) << d << " " << v;
        }
}

} // namespace
