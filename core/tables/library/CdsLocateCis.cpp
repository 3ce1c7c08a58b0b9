#include "tables/library/CdsLocateKey.h"
#include "tables/library/TCdsProc.h"

#include "shell/Session.h"

#include <algorithm>
#include <numeric>

namespace sarw {

namespace {

// Loads field `key` and field `value` (1-based) of every record of an open table.
void loadPairs(const Table& t, int key, int value, std::vector<std::string>& keys,
               std::vector<std::string>& values) {
    const size_t n = t.recordCount();
    keys.reserve(n);
    values.reserve(n);
    for (size_t rec = 0; rec < n; ++rec) {
        keys.push_back(t.text(rec, key - 1));
        values.push_back(t.text(rec, value - 1));
    }
}

} // namespace

bool TCdsProc::LocateCisO(CdsTable& table, const std::string& JmS, int I, int j) {
    // A failed load leaves an empty cache rather than the previous table's keys.
    cisCache_ = {};
    if (!lookup::openForReading(s_, table, JmS)) return false;
    const bool ok = lookup::fieldInTable(s_, table, I) && lookup::fieldInTable(s_, table, j);
    if (ok) loadPairs(table.data, I, j, cisCache_.keys, cisCache_.values);
    table.close(s_);
    return ok;
}

bool TCdsProc::LocateCisRD(const std::string& Index, std::string& XResult, int& PorVt) {
    const auto& k = cisCache_.keys;
    if (k.empty() || Index < k.front() || Index > k.back()) {
        PorVt = -1;
        return false;
    }
    // k[lo] stays below Index and k[hi] at or above it, so the scan below ends by hi at the
    // latest and lands on the first of equal keys.
    size_t lo = 0, hi = k.size() - 1;
    if (Index > k[lo]) {
        while (hi - lo > 5) {
            const size_t mid = lo + (hi - lo) / 2;
            if (Index > k[mid])
                lo = mid;
            else
                hi = mid;
        }
        while (lo < hi && Index > k[lo]) ++lo;
    }
    PorVt = static_cast<int>(lo) + 1;
    XResult = cisCache_.values[lo];
    return k[lo] == Index;
}

bool TCdsProc::LocateCisRH(const std::string& Index, std::string& XResult, int& PorVt) {
    const auto& k = cisCache_.keys;
    const auto it = std::find(k.begin(), k.end(), Index);
    if (it == k.end()) return false;
    const size_t i = static_cast<size_t>(it - k.begin());
    PorVt = static_cast<int>(i) + 1;
    XResult = cisCache_.values[i];
    return true;
}

void TCdsProc::LocateCisC() {
    cisCache_ = {};
}

std::string TCdsProc::FindCds(const std::string& JmS, const std::string& Ret, int SloupVst,
                              int SloupVyst) {
    CdsTable table;
    if (!lookup::openForReading(s_, table, JmS)) return {};
    if (!lookup::fieldInTable(s_, table, SloupVst) || !lookup::fieldInTable(s_, table, SloupVyst))
        return {};
    const Table& t = table.data;
    std::string buf;
    for (size_t rec = 0; rec < t.recordCount(); ++rec)
        if (lookup::cellText(t, rec, SloupVst - 1, buf) == Ret) return t.text(rec, SloupVyst - 1);
    return {};
}

bool TCdsProc::FindTab(int FPFun, const std::string& FPInd, std::string& FPPol,
                       const std::string& file, int keyField, int valueField) {
    switch (FPFun) {
    case 1: {
        tabCache_ = {};
        CdsTable table;
        if (!lookup::openForReading(s_, table, file)) return false;
        if (!lookup::fieldInTable(s_, table, keyField) ||
            !lookup::fieldInTable(s_, table, valueField))
            return false;
        LookupCache loaded;
        loadPairs(table.data, keyField, valueField, loaded.keys, loaded.values);
        // Sorted by key for halving; the stable sort keeps the first record of equal keys first.
        std::vector<size_t> order(loaded.keys.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return loaded.keys[a] < loaded.keys[b]; });
        for (size_t i : order) {
            tabCache_.keys.push_back(std::move(loaded.keys[i]));
            tabCache_.values.push_back(std::move(loaded.values[i]));
        }
        return true;
    }
    case 2: {
        const auto& k = tabCache_.keys;
        const auto it = std::lower_bound(k.begin(), k.end(), FPInd);
        if (it == k.end() || *it != FPInd) {
            FPPol.clear();
            return false;
        }
        FPPol = tabCache_.values[static_cast<size_t>(it - k.begin())];
        return true;
    }
    case 3:
        tabCache_ = {};
        return true;
    default:
        return false;
    }
}

} // namespace sarw
