// Numbers written in place give exactly numberToText's text, or leave the number to it.
#include "stock/FixedNumberText.h"

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

TEST(FixedNumberText, SameTextAsNumberToTextOrNone) {
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
            if (fixedNumberText(out.data(), f.width, f.decimals, v, &readBack)) {
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

} // namespace
