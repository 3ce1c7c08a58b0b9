#pragma once

// Interface of tables/fast: records summed per key on two threads and the groups put in key
// order, for the current states.

#include "shell/Parallel.h"
#include "tables/fast/ByteCompare.h"
#include "tables/fast/ShortCopy.h"
#include "tables/fast/SortEngine.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace sarw::keygroups {

// Records summed per key on two threads: each record gives a key of a fixed length and two
// numbers, every group's sums are added up in input order.

// A field's text into its place in a key, over the key's blanks: the short texts of keys
// without a call.
inline void putKeyText(char* at, std::string_view text) {
    copyShort(at, text.data(), text.size());
}

// The groups of equal keys: keys laid end to end and the sums of quantity and value of every
// group, each added up in input order. The records need not be kept: ordering the groups by key
// gives what ordering every record (stably) and summing runs gives, as the keys differ.
class Groups {
public:
    explicit Groups(std::size_t keyLen) : keyLen_(keyLen) { slots_.assign(1024, 0); }

    // Room for this many groups without growing the look-up table.
    void expect(std::size_t groups) {
        std::size_t n = slots_.size();
        while (n < 2 * groups) n *= 2;
        if (n != slots_.size()) rebuild(n);
        keys.reserve(groups * keyLen_);
        sums.reserve(2 * groups);
    }

    // The slot of a key's hash and then the key of the group found there are asked for from
    // memory ahead of add(), as both lie anywhere in tables far larger than the caches.
    void prefetchSlot(std::uint64_t hash) const {
        __builtin_prefetch(&slots_[(hash >> 32) & (slots_.size() - 1)]);
    }
    void prefetchKey(std::uint64_t hash) const {
        const std::uint64_t slot = slots_[(hash >> 32) & (slots_.size() - 1)];
        if (slot != 0) __builtin_prefetch(keys.data() + ((slot & 0xFFFFFFFFu) - 1) * keyLen_);
    }

    void add(const char* key, std::uint64_t hash, double quantity, double value) {
        // A slot holds 32 bits of the key's hash and the group number + 1; the hash bits place
        // it and spare most key comparisons.
        const std::uint64_t tag = hash >> 32;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                keys.append(key, keyLen_);
                sums.push_back(quantity);
                sums.push_back(value);
                slots_[i] = tag << 32 | ++count;
                if (2 * count > slots_.size()) rebuild(slots_.size() * 2);
                return;
            }
            const std::size_t at = (slot & 0xFFFFFFFFu) - 1;
            if (slot >> 32 == tag && compareBytes(keys.data() + at * keyLen_, key, keyLen_) == 0) {
                sums[2 * at] += quantity;
                sums[2 * at + 1] += value;
                return;
            }
        }
    }

    std::string keys;
    std::vector<double> sums; // quantity, value of group g at 2g, 2g + 1
    std::size_t count = 0;

private:
    void rebuild(std::size_t size) {
        std::vector<std::uint64_t> slots(size, 0);
        const std::size_t mask = size - 1;
        for (const std::uint64_t slot : slots_) {
            if (slot == 0) continue;
            std::size_t i = (slot >> 32) & mask;
            while (slots[i] != 0) i = (i + 1) & mask;
            slots[i] = slot;
        }
        slots_.swap(slots);
    }

    std::size_t keyLen_;
    std::vector<std::uint64_t> slots_; // 0 when free
};

// Where the two threads of the summation meet after each run of records. A thread that fails
// leaves, and the other one then no longer waits (its result is not used).
class Meeting {
public:
    void wait() {
        std::unique_lock<std::mutex> lock(m_);
        if (left_) return;
        const std::size_t round = round_;
        if (++arrived_ == 2) {
            arrived_ = 0;
            ++round_;
            met_.notify_all();
            return;
        }
        met_.wait(lock, [&] { return round_ != round || left_; });
    }
    void leave() {
        std::lock_guard<std::mutex> lock(m_);
        left_ = true;
        met_.notify_all();
    }

private:
    std::mutex m_;
    std::condition_variable met_;
    std::size_t arrived_ = 0, round_ = 0;
    bool left_ = false;
};

// Adds `count` records to the groups, on two threads: in runs of records, each thread turns half
// of a run into keys, then each adds the keys of its own half of the groups (by a bit of the key's
// hash), in input order, so every group is summed in input order as one thread would sum it.
// `parse(parser, record, key, quantity, value)` puts record number `record` into `key` (keyLen
// bytes) and the two numbers, with parsers[t] on thread t. Without a second thread (none to be
// had, or `secondThread` false) the same groups are made on this thread with parsers[0].
template <class Parser, class Parse>
void collect(std::size_t count, std::size_t keyLen, std::array<Parser, 2>& parsers,
             std::array<Groups, 2>& parts, Parse parse, bool secondThread = true) {
    constexpr std::size_t kRun = 8192;
    struct Run {
        std::string keys;
        std::vector<std::uint64_t> hash;
        std::vector<double> quantity, value;
    };
    std::array<Run, 2> runs;
    for (Run& r : runs) {
        r.keys.resize(kRun * keyLen);
        r.hash.resize(kRun);
        r.quantity.resize(kRun);
        r.value.resize(kRun);
    }
    Meeting sync;
    std::array<std::exception_ptr, 2> failure;
    // Alone (no second thread to be had), thread 0 does both threads' work, one after the other.
    auto work = [&](std::size_t t, bool alone) {
        try {
            std::vector<std::uint32_t> own;
            own.reserve(kRun);
            std::size_t k = 0;
            for (std::size_t from = 0; from < count; from += kRun, ++k) {
                // A run is read from while the next one is filled: the meeting after filling a
                // run is passed only when the other thread has added the run before it.
                Run& run = runs[k % 2];
                const std::size_t n = std::min(kRun, count - from), half = n / 2;
                const std::size_t begin = t && !alone ? half : 0, end = t || alone ? n : half;
                for (std::size_t i = begin; i < end; ++i) {
                    char* key = run.keys.data() + i * keyLen;
                    parse(parsers[t], from + i, key, run.quantity[i], run.value[i]);
                    run.hash[i] = std::hash<std::string_view>{}(std::string_view(key, keyLen));
                }
                if (!alone) sync.wait();
                for (std::size_t p = alone ? 0 : t; p <= (alone ? 1 : t); ++p) {
                    Groups& g = parts[p];
                    // This part's records of the run, so that the memory of those a few ahead
                    // is asked for.
                    own.clear();
                    for (std::size_t i = 0; i < n; ++i)
                        if ((run.hash[i] & 1) == p) own.push_back(static_cast<std::uint32_t>(i));
                    constexpr std::size_t kSlotAhead = 16, kKeyAhead = 8;
                    const std::size_t m = own.size();
                    for (std::size_t j = 0; j < m; ++j) {
                        if (j + kSlotAhead < m) g.prefetchSlot(run.hash[own[j + kSlotAhead]]);
                        if (j + kKeyAhead < m) g.prefetchKey(run.hash[own[j + kKeyAhead]]);
                        const std::size_t i = own[j];
                        g.add(run.keys.data() + i * keyLen, run.hash[i], run.quantity[i],
                              run.value[i]);
                    }
                }
            }
        } catch (...) {
            // The other thread must not wait for this one any more.
            failure[t] = std::current_exception();
            sync.leave();
        }
    };
    Beside second;
    if (secondThread && second.tryStart([&] { work(1, false); })) {
        work(0, false);
        second.join();
    } else {
        work(0, true);
    }
    for (const std::exception_ptr& f : failure)
        if (f) std::rethrow_exception(f);
}

// The groups of both parts in key order, each as its part in the top bit and its number below,
// those for which keep(part, group) is false left out. The parts' keys differ, so each part is
// sorted on its own thread and the two orders are merged, the first half of the result from
// the front and the second half from the back at the same time.
template <class Keep>
std::vector<std::uint64_t> orderedGroups(const std::array<Groups, 2>& parts, std::size_t keyLen,
                                         Keep keep) {
    std::array<std::vector<std::uint32_t>, 2> sorted;
    onTwoThreads([&](int t) {
        const Groups& g = parts[static_cast<std::size_t>(t)];
        sorted[static_cast<std::size_t>(t)] = sortEntries(g.keys, keyLen, g.count, 2000, 2, false);
    });
    const std::vector<std::uint32_t>&a = sorted[0], &b = sorted[1];
    const std::size_t na = a.size(), nb = b.size(), half = (na + nb) / 2;
    auto keyA = [&](std::size_t i) { return parts[0].keys.data() + a[i] * keyLen; };
    auto keyB = [&](std::size_t i) { return parts[1].keys.data() + b[i] * keyLen; };
    constexpr std::uint64_t kSecond = 1ull << 63;
    // The keys and sums of the groups a few steps ahead lie anywhere in memory.
    auto ahead = [&](std::size_t i, std::size_t j) {
        if (i < na) {
            __builtin_prefetch(keyA(i));
            __builtin_prefetch(parts[0].sums.data() + 2 * a[i]);
        }
        if (j < nb) {
            __builtin_prefetch(keyB(j));
            __builtin_prefetch(parts[1].sums.data() + 2 * b[j]);
        }
    };
    constexpr std::size_t kAhead = 8;
    std::array<std::vector<std::uint64_t>, 2> kept;
    onTwoThreads([&](int t) {
        std::vector<std::uint64_t>& out = kept[static_cast<std::size_t>(t)];
        auto take = [&](std::uint64_t e) {
            if (keep(e >> 63, e & ~kSecond)) out.push_back(e);
        };
        if (t == 0) {
            out.reserve(half);
            for (std::size_t i = 0, j = 0; i + j < half;) {
                ahead(i + kAhead, j + kAhead);
                if (j == nb || (i < na && compareBytes(keyA(i), keyB(j), keyLen) < 0))
                    take(a[i++]);
                else
                    take(kSecond | b[j++]);
            }
            return;
        }
        out.reserve(na + nb - half);
        for (std::size_t i = na, j = nb; i + j > half;) {
            ahead(i >= kAhead ? i - kAhead : na, j >= kAhead ? j - kAhead : nb);
            if (j == 0 || (i > 0 && compareBytes(keyA(i - 1), keyB(j - 1), keyLen) > 0))
                take(a[--i]);
            else
                take(kSecond | b[--j]);
        }
        std::reverse(out.begin(), out.end());
    });
    kept[0].insert(kept[0].end(), kept[1].begin(), kept[1].end());
    return std::move(kept[0]);
}

} // namespace sarw::keygroups
