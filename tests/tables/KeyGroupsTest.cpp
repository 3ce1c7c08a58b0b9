// Groups summed on two threads and put in key order by merging two sorted parts.
#include "tables/fast/KeyGroups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
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

// Records summed into groups on two threads, or on one when there is no second thread: each
// group once, its sums added up in input order, in the part of its hash bit.
TEST(KeyGroups, CollectSumsEveryGroupInInputOrderOnOneOrTwoThreads) {
    constexpr std::size_t kLen = 14, kCount = 20000; // more than two runs of records
    std::mt19937 rng(9);
    std::vector<std::string> keys;
    std::vector<double> quantity, value;
    std::map<std::string, std::pair<double, double>> expected;
    for (std::size_t i = 0; i < kCount; ++i) {
        keys.push_back(key(rng, rng() % 3000));
        quantity.push_back(static_cast<double>(rng() % 100000) / 1000.0);
        value.push_back(static_cast<double>(rng() % 100000) / 100.0 - 300.0);
        auto& sums = expected[keys.back()];
        sums.first += quantity.back();
        sums.second += value.back();
    }
    struct Parser {
        std::size_t records = 0;
    };
    for (const bool secondThread : {true, false}) {
        SCOPED_TRACE(secondThread ? "two threads" : "one thread");
        std::array<Parser, 2> parsers;
        std::array<Groups, 2> parts = {Groups(kLen), Groups(kLen)};
        keygroups::collect(
            kCount, kLen, parsers, parts,
            [&](Parser& parser, std::size_t r, char* k, double& q, double& v) {
                ++parser.records;
                std::memcpy(k, keys[r].data(), kLen);
                q = quantity[r];
                v = value[r];
            },
            secondThread);
        EXPECT_EQ(parsers[0].records + parsers[1].records, kCount);
        EXPECT_EQ(parsers[1].records, secondThread ? kCount / 2 : 0);
        std::map<std::string, std::pair<double, double>> got;
        for (std::size_t p = 0; p < 2; ++p)
            for (std::size_t g = 0; g < parts[p].count; ++g) {
                const std::string k = parts[p].keys.substr(g * kLen, kLen);
                const std::size_t bit = std::hash<std::string_view>{}(k) % 2;
                EXPECT_EQ(bit, p) << k;
                const std::pair sums(parts[p].sums[2 * g], parts[p].sums[2 * g + 1]);
                EXPECT_TRUE(got.emplace(k, sums).second) << k;
            }
        EXPECT_EQ(got, expected);
    }
}
