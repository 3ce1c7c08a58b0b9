// Short copies write exactly the bytes memcpy writes, and nothing around them.
#include "tables/fast/ShortCopy.h"

#include <gtest/gtest.h>

#include <string>

using namespace sarw;

TEST(ShortCopy, CopiesEveryLengthAndNothingMore) {
    std::string from;
    for (int i = 0; i < 80; ++i) from += static_cast<char>('A' + i % 50);
    for (std::size_t n = 0; n <= 70; ++n) {
        std::string to(90, '.');
        copyShort(to.data() + 5, from.data() + 3, n);
        EXPECT_EQ(to, std::string(5, '.') + from.substr(3, n) + std::string(85 - n, '.')) << n;
    }
}
