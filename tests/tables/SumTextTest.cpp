// The quick number texts of the summation are numberToText's texts, character for character.
#include "shell/NumText.h"
#include "shell/SumText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace sarw;

namespace {

void expectSameText(int width, int decimals, double value) {
    std::string quick = "left over from the previous number";
    numberToTextInto(quick, width, decimals, value);
    EXPECT_EQ(quick, numberToText(width, decimals, value))
        << "width " << width << ", decimals " << decimals << ", value " << value;
}

TEST(SumText, SameTextAsNumberToText) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0, -0.0, 2.675, -2.675, 0.005, -0.005, 0.0049999, 0.0004,
                                  -0.0004, 0.5, 1.5, -1.5, 0.25, 0.75, 0.125, 123456789.125,
                                  -99999999999.995, 1e15, 9e17, 8.99e17, 1e30, -1e300,
                                  inf, -inf, std::nan(""), 5e-324};
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

} // namespace
