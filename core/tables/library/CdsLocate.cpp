#include "tables/library/CdsLocateKey.h"
#include "tables/library/TCdsProc.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

namespace {

// The search key of LocateKeys and the matching key of a record. Padded keys (LocateH, LocateN)
// pad each value and each record text to its field size; plain keys (LocateD) take both as they
// are. A record key is cut to the length of the search key.
class LocateKey {
public:
    // False (after a warning) when a field number is outside the table.
    bool build(Session& s, const CdsTable& table, bool padded) {
        const Table& t = table.data;
        for (const auto& k : s.cds.LocateKeys) {
            if (k.field <= 0) break;
            if (!lookup::fieldInTable(s, table, k.field)) return false;
            const int field = k.field - 1;
            const int pad = padded ? lookup::padSize(t.fields[static_cast<size_t>(field)]) : 0;
            fields_.push_back({field, pad});
            search_ += k.value;
            if (static_cast<int>(k.value.size()) < pad)
                search_.append(static_cast<size_t>(pad) - k.value.size(), ' ');
        }
        return true;
    }

    // Search key against the key of record rec: negative when the search key is smaller.
    int compare(const Table& t, size_t rec) {
        record_.clear();
        for (const auto& f : fields_) {
            if (record_.size() >= search_.size()) break;
            const size_t start = record_.size();
            record_ += lookup::cellText(t, rec, f.field, buf_);
            if (record_.size() < start + static_cast<size_t>(f.pad))
                record_.resize(start + static_cast<size_t>(f.pad), ' ');
        }
        if (record_.size() > search_.size()) record_.resize(search_.size());
        return std::string_view(search_).compare(record_);
    }

private:
    struct KeyField {
        int field; // 0-based
        int pad;   // size to pad to, 0 for none
    };
    std::vector<KeyField> fields_;
    std::string search_, record_, buf_;
};

// Result for the record the table stands on after the search.
TCdsProc::LocateResult resultAt(CdsTable& table, LocateKey& key) {
    const size_t rec = table.recNo();
    if (table.eof()) return {static_cast<int>(rec) + 1, TCdsProc::kLocateAfterAll};
    const bool equal = key.compare(table.data, rec) == 0;
    return {static_cast<int>(rec) + 1, equal ? TCdsProc::kLocateEqual : TCdsProc::kLocateBefore};
}

} // namespace

TCdsProc::LocateResult TCdsProc::LocateD(CdsTable& table) {
    LocateKey key;
    if (!key.build(s_, table, false)) return {};
    const Table& t = table.data;
    const size_t n = t.recordCount();
    if (n == 0) return {};
    table.last();
    if (key.compare(t, n - 1) > 0) return {};
    table.first();
    if (key.compare(t, 0) <= 0) return resultAt(table, key);
    // lo stays below the search key, hi at or above it. Halving does not stop on an equal key:
    // that would land inside a run of equal keys instead of on its first record.
    size_t lo = 0, hi = n - 1;
    while (hi - lo > 5) {
        const size_t mid = lo + (hi - lo) / 2;
        if (key.compare(t, mid) > 0)
            lo = mid;
        else
            hi = mid;
    }
    size_t rec = lo;
    while (rec < n && key.compare(t, rec) > 0) ++rec;
    table.moveTo(rec);
    if (table.eof()) return {};
    return resultAt(table, key);
}

TCdsProc::LocateResult TCdsProc::LocateH(CdsTable& table) {
    LocateKey key;
    if (!key.build(s_, table, true)) return {};
    const Table& t = table.data;
    const size_t n = t.recordCount();
    auto below = [&](size_t porVt) { return key.compare(t, porVt - 1) > 0; };
    // Jumps of a tenth of the table, then a hundredth ...: each round ends on a record below the
    // search key (or on the first record), so the last walk finds the first one not below it.
    size_t step = std::max<size_t>(n / 10, 1);
    size_t porVt = 1;
    while (step > 1) {
        while (porVt + step < n && below(porVt)) porVt += step;
        if (!below(porVt)) porVt = step < porVt ? porVt - step : 1;
        step /= 10;
    }
    while (porVt <= n && below(porVt)) ++porVt;
    table.moveTo(porVt - 1);
    return resultAt(table, key);
}

std::uint8_t TCdsProc::LocateN(CdsTable& table) {
    LocateKey key;
    if (!key.build(s_, table, true)) return kLocateAfterAll;
    const size_t n = table.data.recordCount();
    size_t rec = table.recNo();
    while (rec < n && key.compare(table.data, rec) > 0) ++rec;
    table.moveTo(rec);
    return resultAt(table, key).XLocateOk;
}

int TCdsProc::XDelete(CdsTable& table) {
    if (!fileExistsWarn(s_, table.fileName) || table.data.empty()) return 0;
    if (table.mode() == CdsTable::Mode::ReadOnly) {
        // Deleting from a table opened for reading would never reach its file.
        warning(s_, "Tabulka je otevrena jen pro cteni:\r\r" + table.fileName +
                        "\r\rZaznamy nebyly zruseny.");
        return 0;
    }
    int deleted = 0;
    size_t at = 0;
    while (LocateD(table).XLocateOk == kLocateEqual) {
        at = table.recNo();
        table.data.erase(at);
        ++deleted;
    }
    if (deleted > 0) table.moveTo(at);
    return deleted;
}

} // namespace sarw
