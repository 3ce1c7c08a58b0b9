// The inline comparison gives memcmp's sign, bytes taken as unsigned.
#include "tables/fast/ByteCompare.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace sarw;

TEST(ByteCompare, SameSignAsMemcmp) {
    std::mt19937 rng(3);
    const char alphabet[] = {'a', 'b', '\0', '\x7f', '\x80', '\xC8', '\xff'};
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int i = 0; i < 20000; ++i) {
        // Equal beginnings of every length, then a difference (or none) anywhere.
        const std::size_t n = rng() % 40;
        std::string a(n, ' ');
        for (char& c : a) c = alphabet[rng() % 7];
        std::string b = a;
        if (n > 0 && rng() % 4 != 0) b[rng() % n] = alphabet[rng() % 7];
        ASSERT_EQ(compareBytes(a.data(), b.data(), n), sign(std::memcmp(a.data(), b.data(), n)))
            << n;
    }
}
