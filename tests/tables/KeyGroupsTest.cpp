// Groups summed on two threads and put in key order by merging two sorted parts.
#include "tables/fast/KeyGroups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace sarw;
using keygroups::Groups;

namespace {

// Distinct keys of one length: a few letters of a small alphabet, so that neighbours share long
// prefixes, then the key's number.
std::string key(std::mt19937& rng, std::size_t number) {
    std::string k(6, ' ');
    for (char& c : k) c = "AB\xC8z"[rng() % 4];
    k += std::to_string(number);
    k.resize(14, ' ');
    return k;
}

} // namespace

// Every kept group once, in key order, whatever the sizes of the two parts (one of them empty,
// an odd total, one group, more than one sorting thread would take); the groups the filter
// refuses are left out.
TEST(KeyGroups, OrderedGroupsMergeBothPartsInKeyOrder) {
    constexpr std::size_t kLen = 14;
    std::mt19937 rng(5);
    for (const std::size_t count : {0u, 1u, 2u, 7u, 1000u, 60001u}) {
        for (const int split : {0, 1, 2}) { // all in the first part, all in the second, mixed
            SCOPED_TRACE(std::to_string(count) + " groups, split " + std::to_string(split));
            std::array<Groups, 2> parts = {Groups(kLen), Groups(kLen)};
            std::vector<std::string> kept;
            for (std::size_t i = 0; i < count; ++i) {
                const std::string k = key(rng, i);
                const std::size_t part = split == 2 ? rng() % 2 : static_cast<std::size_t>(split);
                const double q = i % 5 == 0 ? 0.0 : 1.0;
                parts[part].add(k.data(), std::hash<std::string>{}(k), q, 2.0 * q);
                if (q != 0) kept.push_back(k);
            }
            std::sort(kept.begin(), kept.end(), [](const std::string& a, const std::string& b) {
                return compareKeys(a, b) < 0;
            });
            const std::vector<std::uint64_t> order =
                keygroups::orderedGroups(parts, kLen, [&](std::size_t part, std::size_t g) {
                    return parts[part].sums[2 * g] != 0;
                });
            std::vector<std::string> got;
            for (const std::uint64_t e : order) {
                const std::size_t part = e >> 63, g = e & ~(1ull << 63);
                got.push_back(parts[part].keys.substr(g * kLen, kLen));
            }
            ASSERT_EQ(got, kept);
        }
    }
}
