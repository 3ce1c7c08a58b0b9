#include "tables/fast/SortEngine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace sarw;

namespace {

struct Entry {
    std::uint32_t rec;
    std::string key;
};

bool less(const Entry& a, const Entry& b) {
    return compareKeys(a.key, b.key) < 0;
}

// Binary insertion as the block sort does it: an entry stays when the one before it is not
// greater; otherwise the range is halved while it spans more than 5 entries, then stepped
// forward to the first entry not smaller.
void binaryInsertion(std::vector<Entry>& a, size_t start, size_t end) {
    for (size_t i = start + 1; i < end; ++i) {
        if (!less(a[i], a[i - 1])) continue;
        size_t lo = start, hi = i - 1;
        while (hi - lo > 5) {
            size_t mid = (lo + hi) / 2;
            if (less(a[mid], a[i]))
                lo = mid + 1;
            else
                hi = mid;
        }
        while (less(a[lo], a[i])) ++lo;
        Entry x = a[i];
        for (size_t j = i; j > lo; --j) a[j] = a[j - 1];
        a[lo] = x;
    }
}

void straightInsertion(std::vector<Entry>& a, size_t start, size_t end) {
    for (size_t i = start + 1; i < end; ++i) {
        Entry x = a[i];
        size_t j = i;
        for (; j > start && less(x, a[j - 1]); --j) a[j] = a[j - 1];
        a[j] = x;
    }
}

// The block sort step by step, quadratic as it stands.
std::vector<std::uint32_t> literalSort(std::vector<Entry> a, size_t block, int method) {
    std::vector<Entry> result;
    for (size_t start = 0; start < a.size(); start += block) {
        const size_t end = std::min(a.size(), start + block);
        if (method == 1)
            binaryInsertion(a, start, end);
        else if (method == 2)
            straightInsertion(a, start, end);
        std::vector<Entry> merged;
        size_t i = 0, j = start;
        while (i < result.size() && j < end)
            merged.push_back(less(a[j], result[i]) ? a[j++] : result[i++]);
        while (i < result.size()) merged.push_back(result[i++]);
        while (j < end) merged.push_back(a[j++]);
        result.swap(merged);
    }
    std::vector<std::uint32_t> order;
    for (const auto& e : result) order.push_back(e.rec);
    return order;
}

std::vector<std::uint32_t> engineSort(const std::vector<Entry>& a, size_t keyLen, int block,
                                      int method) {
    std::string keys;
    for (const auto& e : a) keys += e.key;
    return sortEntries(keys, keyLen, a.size(), block, method);
}

std::vector<Entry> randomEntries(std::mt19937& rng, size_t n, size_t keyLen, int alphabet) {
    std::vector<Entry> a;
    // Bytes above 127 as well: the comparison must be unsigned.
    const std::string letters = "A\xE8"
                                "B\x8Az a";
    for (size_t i = 0; i < n; ++i) {
        std::string key;
        for (size_t k = 0; k < keyLen; ++k)
            key += letters[rng() % static_cast<unsigned>(std::min<int>(alphabet, 6))];
        a.push_back({static_cast<std::uint32_t>(i), key});
    }
    return a;
}

} // namespace

TEST(SortEngine, SameOrderAsTheBlockSortForEveryMethodAndBlockSize) {
    std::mt19937 rng(20240311);
    for (int round = 0; round < 60; ++round) {
        const size_t n = 1 + rng() % 400;
        const size_t keyLen = 1 + rng() % 10;
        const int alphabet = 2 + static_cast<int>(rng() % 3);
        const auto entries = randomEntries(rng, n, keyLen, alphabet);
        for (int method : {0, 1, 2, 3}) {
            for (int block : {1, 2, 3, 6, 7, 13, 64, 2000}) {
                SCOPED_TRACE("n " + std::to_string(n) + " keyLen " + std::to_string(keyLen) +
                             " method " + std::to_string(method) + " block " +
                             std::to_string(block));
                ASSERT_EQ(engineSort(entries, keyLen, block, method),
                          literalSort(entries, static_cast<size_t>(block), method));
            }
        }
    }
}

TEST(SortEngine, Method2KeepsEqualKeysInInputOrder) {
    // Keys B, A, B: record 2, record 1, record 3.
    EXPECT_EQ(sortEntries("BAB", 1, 3, 2000, 2), (std::vector<std::uint32_t>{1, 0, 2}));
    EXPECT_EQ(sortEntries("BAB", 1, 3, 1, 2), (std::vector<std::uint32_t>{1, 0, 2}));
}

TEST(SortEngine, Method1PutsLateEqualKeysInFrontWithinABlock) {
    // A, C, A, A: the two later A's come after the greater C and go in front, latest first.
    EXPECT_EQ(sortEntries("ACAA", 1, 4, 2000, 1), (std::vector<std::uint32_t>{3, 2, 0, 1}));
    // In blocks of two the blocks' own orders are merged, earlier block first.
    EXPECT_EQ(sortEntries("ACAA", 1, 4, 2, 1), (std::vector<std::uint32_t>{0, 2, 3, 1}));
}

TEST(SortEngine, BytesCompareUnsignedAndTrivialInputsStay) {
    // 0xE8 (c with caron) sorts after every unaccented letter.
    EXPECT_EQ(sortEntries("\xE8zZa", 1, 4, 2000, 2), (std::vector<std::uint32_t>{2, 3, 1, 0}));
    EXPECT_TRUE(sortEntries("", 3, 0, 2000, 2).empty());
    EXPECT_EQ(sortEntries("X", 1, 1, 2000, 1), std::vector<std::uint32_t>{0});
    // A block size below 1 is taken as 1 rather than never ending.
    EXPECT_EQ(sortEntries("BAB", 1, 3, 0, 1), (std::vector<std::uint32_t>{1, 0, 2}));
    EXPECT_LT(compareKeys("AB", "ABC"), 0);
    EXPECT_GT(compareKeys("\x80", "z"), 0);
}

TEST(SortEngine, LongInputsSortLikeAStableSortWithMethod2) {
    std::mt19937 rng(7);
    const auto entries = randomEntries(rng, 50000, 12, 3);
    std::vector<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), less);
    std::vector<std::uint32_t> expected;
    for (const auto& e : sorted) expected.push_back(e.rec);
    EXPECT_EQ(engineSort(entries, 12, 2000, 2), expected);
}

// Large inputs are sorted by two threads once the key bytes differ; before that every entry
// may share a long start (a constant company, year and month, say).
TEST(SortEngine, LargeInputsWithACommonKeyStartSortAsTheBlockSort) {
    std::mt19937 rng(11);
    std::vector<Entry> entries = randomEntries(rng, 50000, 4, 3);
    for (auto& e : entries) e.key = "2403010200000000" + e.key;
    for (int method : {2, 1, 0}) {
        SCOPED_TRACE("method " + std::to_string(method));
        EXPECT_EQ(engineSort(entries, 20, 500, method), literalSort(entries, 500, method));
    }
}
