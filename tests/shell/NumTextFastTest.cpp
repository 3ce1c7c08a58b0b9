// The quick reading of numbers gives textToNumber's value to the last bit, sign of zero
// included, for the texts the program writes and for everything else.
#include "shell/NumTextFast.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace sarw;

namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(NumTextFast, SameValueAsTextToNumberToTheLastBit) {
    std::vector<std::string> texts = {
        "", " ", "0", "-0", "   -0,000", "0,1", "12,", ",5", "-,5", "-", ",", "1-2", "5-",
        ",-5", "--5", "1,2,3", "1.5", "1 234,5", "- 5", "2,675", "0,3", "-12345678901,23",
        "123456789012345", "1234567890123456", "0,000000000000001", "0,0000000000000001",
        "9007199254740993", "12a3", "\t7", std::string(150, '0') + "5", "  1,7976931348623157",
        // Blanks and digits only, the usual shape, and where it ends.
        "0000123,45", "  007", "-0,00", " 5 ", "5 ", "  1,2 ", "0000000000000000012", "  -",
        "  ,", "  -,", " -5,", "1,5-", "12345678901234,5", "123456789012345,6",
        "1,0000000000000000", std::string(100, ' ') + "1", std::string(101, ' ') + "1"};
    // Quantities and values as the computations write them, over many magnitudes.
    for (long long m = 1; m < 2000000000000000LL; m = m * 7 + 3)
        for (int decimals : {0, 2, 3}) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%lld", m);
            std::string t = buf;
            if (decimals > 0) {
                while (static_cast<int>(t.size()) <= decimals) t.insert(0, "0");
                t.insert(t.size() - static_cast<std::size_t>(decimals), ",");
            }
            texts.push_back("   " + t);
            texts.push_back("  -" + t);
        }
    for (const std::string& t : texts)
        EXPECT_TRUE(sameBits(textToNumberFast(t), textToNumber(t)))
            << "'" << t << "': " << textToNumberFast(t) << " / " << textToNumber(t);
}

} // namespace
