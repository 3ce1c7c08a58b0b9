// Issues turned negative by putting a minus sign in front of the digits give what numberToText
// writes for the negative value, and read back as exactly that value.
#include "stock/StockRecords.h"

#include "shell/NumText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace sarw;

namespace {

struct Form {
    int width, decimals;
};

TEST(StockRecords, NegatedTextIsWhatNumberToTextWritesForTheNegativeValue) {
    int negatedCount = 0;
    for (const Form f : {Form{16, 3}, Form{15, 2}}) {
        std::vector<std::string> texts;
        for (double x = 0.001; x < 1e13; x = x * 3.7 + 0.013)
            texts.push_back(numberToText(f.width, f.decimals, x));
        texts.push_back(numberToText(f.width, f.decimals, 2.675));
        texts.push_back(numberToText(f.width, f.decimals, 99999999999.99));
        for (const std::string& t : texts) {
            std::string negated;
            if (!negatedInPlace(t, f.width, f.decimals, negated)) continue;
            ++negatedCount;
            const double value = textToNumber(t);
            EXPECT_EQ(negated, numberToText(f.width, f.decimals, -value)) << t;
            const double back = textToNumber(negated), expected = -value;
            EXPECT_EQ(std::memcmp(&back, &expected, sizeof back), 0) << t;
        }
        // Texts numberToText would write otherwise are left to it.
        const std::string w(static_cast<std::size_t>(f.width), ' ');
        for (const std::string& t :
             {w, std::string("5"), (w + "1,0").substr(3), std::string(w.size() - 2, ' ') + "12",
              std::string(w.size() - 5 - f.decimals, ' ') + "-12," + std::string(f.decimals, '1'),
              std::string(w.size() - 3 - f.decimals, ' ') + "0," + std::string(f.decimals, '0'),
              std::string(w.size() - 4 - f.decimals, ' ') + "01," + std::string(f.decimals, '0'),
              std::string(w.size() - 3 - f.decimals, ' ') + "1." + std::string(f.decimals, '0')}) {
            std::string negated;
            EXPECT_FALSE(negatedInPlace(t, f.width, f.decimals, negated)) << "'" << t << "'";
        }
    }
    EXPECT_GT(negatedCount, 50);
}

} // namespace
