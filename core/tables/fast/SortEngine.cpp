#include "tables/fast/SortEngine.h"

#include "shell/Parallel.h"
#include "tables/fast/ByteCompare.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

// What an entry sorts by: the key of entry `rep` (its own, or for unsorted blocks that of the
// greatest entry of its block so far), then `tie`, which orders equal keys as the block sort
// does. `prefix` holds the eight key bytes being sorted on at the moment.
struct Item {
    std::uint64_t prefix;
    std::uint32_t rep;
    std::uint32_t tie;
};

class Keys {
public:
    Keys(std::string_view keys, std::size_t len) : data_(keys.data()), len_(len) {}

    const char* at(std::size_t i) const { return data_ + i * len_; }
    int compare(std::size_t a, std::size_t b) const { return compareBytes(at(a), at(b), len_); }
    std::size_t length() const { return len_; }
    // Eight key bytes from offset, big-endian, zeros past the end.
    std::uint64_t chunk(std::size_t i, std::size_t offset) const {
        const auto* k = reinterpret_cast<const unsigned char*>(at(i));
        if (offset + 8 <= len_) {
            std::uint64_t v;
            std::memcpy(&v, k + offset, 8);
            return __builtin_bswap64(v);
        }
        std::uint64_t p = 0;
        for (std::size_t b = offset; b < offset + 8; ++b) p = p << 8 | (b < len_ ? k[b] : 0u);
        return p;
    }
    void prefetch(std::size_t i, std::size_t offset) const {
        for (std::size_t b = offset; b < len_; b += 64) __builtin_prefetch(at(i) + b);
    }
    int compareFrom(std::size_t a, std::size_t b, std::size_t offset) const {
        return offset >= len_ ? 0 : compareBytes(at(a) + offset, at(b) + offset, len_ - offset);
    }

private:
    const char* data_;
    std::size_t len_;
};

// Method 1: within a block an entry goes behind its equal keys when no greater entry came
// before it in the block, otherwise in front of them. Ties order: blocks in turn; inside a
// block first the entries put in front (latest first), then the others (in input order).
void binaryInsertionTies(const Keys& keys, std::size_t n, std::size_t block,
                         std::vector<Item>& items) {
    for (std::size_t start = 0; start < n; start += block) {
        const std::size_t end = std::min(n, start + block);
        const auto base = static_cast<std::uint32_t>(2 * start);
        std::size_t greatest = start;
        for (std::size_t i = start; i < end; ++i) {
            const auto p = static_cast<std::uint32_t>(i - start);
            const bool behind = i == start || keys.compare(greatest, i) <= 0;
            if (behind && keys.compare(i, greatest) > 0) greatest = i;
            items[i].tie = behind ? base + static_cast<std::uint32_t>(block) + p
                                  : base + static_cast<std::uint32_t>(block) - 1 - p;
        }
    }
}

std::uint32_t entryOfTie(std::uint32_t tie, std::size_t block) {
    const std::size_t b = tie / (2 * block), r = tie % (2 * block);
    return static_cast<std::uint32_t>(b * block + (r >= block ? r - block : block - 1 - r));
}

// Other methods: every entry sorts by the greatest key of its block up to itself.
void unsortedBlockReps(const Keys& keys, std::size_t n, std::size_t block,
                       std::vector<Item>& items) {
    for (std::size_t start = 0; start < n; start += block) {
        const std::size_t end = std::min(n, start + block);
        std::size_t greatest = start;
        for (std::size_t i = start; i < end; ++i) {
            if (keys.compare(i, greatest) > 0) greatest = i;
            items[i].rep = static_cast<std::uint32_t>(greatest);
        }
    }
}

// A stable sort of items by the key of their `rep`: eight key bytes at a time, each sorted
// by a stable radix pass, runs of equal bytes refined by the next eight; short runs by
// insertion.
class KeySorter {
public:
    KeySorter(const Keys& keys, std::vector<Item>& items, std::vector<Item>& spare)
        : keys_(keys), items_(items), spare_(spare) {}

    // Many items: after the first key bytes that tell them apart, a second thread sorts the
    // upper half of the runs of equal bytes.
    void sort(bool secondThread) {
        const std::size_t n = items_.size();
        if (n < kParallelRecords || !secondThread) {
            sortRange(0, n, 0);
            return;
        }
        std::size_t offset = 0;
        for (; offset < keys_.length(); offset += 8) {
            for (Item& item : items_) item.prefix = keys_.chunk(item.rep, offset);
            radix(0, n);
            if (items_.front().prefix != items_.back().prefix) break;
        }
        if (offset >= keys_.length()) return;
        std::size_t mid = n / 2;
        while (mid < n && items_[mid].prefix == items_[mid - 1].prefix) ++mid;
        KeySorter upper(keys_, items_, spare_);
        atOnce([&] { sortRuns(0, mid, offset); }, [&] { upper.sortRuns(mid, n, offset); });
    }

private:
    // Items sorted by their prefix at offset: each run of equal prefixes by the next bytes.
    void sortRuns(std::size_t lo, std::size_t hi, std::size_t offset) {
        for (std::size_t run = lo; run < hi;) {
            std::size_t end = run + 1;
            while (end < hi && items_[end].prefix == items_[run].prefix) ++end;
            sortRange(run, end, offset + 8);
            run = end;
        }
    }

    static constexpr std::size_t kShortRun = 64;

    void sortRange(std::size_t lo, std::size_t hi, std::size_t offset) {
        if (hi - lo <= 1 || offset >= keys_.length()) return;
        if (hi - lo <= kShortRun) {
            // The keys of a run lie anywhere in memory: all are asked for before the first
            // comparison waits for one.
            for (std::size_t i = lo; i < hi; ++i) keys_.prefetch(items_[i].rep, offset);
            for (std::size_t i = lo; i < hi; ++i)
                items_[i].prefix = keys_.chunk(items_[i].rep, offset);
            insertionSort(lo, hi, offset);
            return;
        }
        for (std::size_t i = lo; i < hi; ++i) items_[i].prefix = keys_.chunk(items_[i].rep, offset);
        radix(lo, hi);
        sortRuns(lo, hi, offset);
    }

    // Stable: a later item goes before an earlier one only when its key is smaller. The items
    // hold their key bytes at offset; the rest of the keys is looked at only when those agree.
    void insertionSort(std::size_t lo, std::size_t hi, std::size_t offset) {
        auto less = [&](const Item& a, const Item& b) {
            if (a.prefix != b.prefix) return a.prefix < b.prefix;
            return keys_.compareFrom(a.rep, b.rep, offset + 8) < 0;
        };
        for (std::size_t i = lo + 1; i < hi; ++i) {
            const Item x = items_[i];
            std::size_t j = i;
            for (; j > lo && less(x, items_[j - 1]); --j) items_[j] = items_[j - 1];
            items_[j] = x;
        }
    }

    // Least significant byte first; bytes that are the same in every item cost no pass.
    void radix(std::size_t lo, std::size_t hi) {
        const std::size_t n = hi - lo;
        auto& counts = counts_;
        std::memset(counts, 0, sizeof counts);
        for (std::size_t i = lo; i < hi; ++i)
            for (int b = 0; b < 8; ++b) ++counts[b][(items_[i].prefix >> (8 * b)) & 0xFF];
        Item* from = items_.data() + lo;
        Item* to = spare_.data() + lo;
        for (int b = 0; b < 8; ++b) {
            std::size_t* c = counts[b];
            if (c[(from[0].prefix >> (8 * b)) & 0xFF] == n) continue;
            std::size_t at = 0;
            for (int v = 0; v < 256; ++v) {
                const std::size_t k = c[v];
                c[v] = at;
                at += k;
            }
            for (std::size_t i = 0; i < n; ++i)
                to[c[(from[i].prefix >> (8 * b)) & 0xFF]++] = from[i];
            std::swap(from, to);
        }
        if (from != items_.data() + lo) std::copy(from, from + n, items_.data() + lo);
    }

    const Keys& keys_;
    std::vector<Item>& items_;
    std::vector<Item>& spare_;
    std::size_t counts_[8][256];
};

} // namespace

int compareKeys(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    if (n > 0) {
        if (int c = std::memcmp(a.data(), b.data(), n); c != 0) return c;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::vector<std::uint32_t> sortEntries(std::string_view keyData, std::size_t keyLen,
                                       std::size_t count, int blockSize, int blockMethod,
                                       bool secondThread) {
    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
    if (count <= 1) return order;
    const Keys keys(keyData, keyLen);
    // A block never needs to be longer than the input; a block size below 1 would never end.
    const std::size_t block =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(blockSize, 1)), 1, count);

    std::vector<Item> items(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i] = {0, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i)};
    if (blockMethod == 1) {
        binaryInsertionTies(keys, count, block, items);
        std::sort(items.begin(), items.end(),
                  [](const Item& a, const Item& b) { return a.tie < b.tie; });
    } else if (blockMethod != 2) {
        unsortedBlockReps(keys, count, block, items);
    }
    // Items are in tie order now; the key sort below keeps that order among equal keys.
    std::vector<Item> spare(count);
    KeySorter(keys, items, spare).sort(secondThread);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = blockMethod == 1 ? entryOfTie(items[i].tie, block) : items[i].tie;
    return order;
}

} // namespace sarw
