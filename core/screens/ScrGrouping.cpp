#include "screens/ScrGrouping.h"

#include <algorithm>

namespace sarw {

void ScrGrouping::prepare(const std::vector<std::string>& fieldNames, const CdsScrParams& p) {
    rows.clear();
    const std::size_t n =
        std::min(fieldNames.size(), static_cast<std::size_t>(CdsScrParams::kMaxLevels));
    for (std::size_t i = 0; i < n; ++i) rows.push_back({fieldNames[i]});
    if (p.fieldList.empty()) original();
    for (std::size_t pos = 1; pos <= p.fieldList.size(); ++pos) {
        const int field = p.fieldList[pos - 1];
        if (field >= 1 && static_cast<std::size_t>(field) <= n)
            rows[field - 1].position = static_cast<int>(pos);
    }
    for (Row& r : rows) {
        if (r.position < 1 || r.position > CdsScrParams::kMaxLevels) continue;
        r.sum = p.Sum[r.position];
        r.str = p.Str[r.position];
        r.rad = p.Rad[r.position];
    }
}

void ScrGrouping::original() {
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].position = static_cast<int>(i + 1);
}

void ScrGrouping::clearPositions() {
    for (Row& r : rows) r.position = 0;
}

void ScrGrouping::toggle(std::size_t row, Flag flag) {
    Row& r = rows.at(row);
    bool& b = flag == Flag::Sum ? r.sum : flag == Flag::Str ? r.str : r.rad;
    b = !b;
}

void ScrGrouping::numberNext(std::size_t row) {
    if (rows.at(row).position != 0) return;
    int highest = 0;
    for (const Row& r : rows) highest = std::max(highest, r.position);
    rows[row].position = highest + 1;
}

void ScrGrouping::clearPosition(std::size_t row) {
    const int cleared = rows.at(row).position;
    if (cleared == 0) return;
    rows[row].position = 0;
    for (Row& r : rows)
        if (r.position > cleared) --r.position;
}

bool ScrGrouping::contiguous() const {
    std::vector<int> present;
    for (const Row& r : rows)
        if (r.position != 0) present.push_back(r.position);
    std::sort(present.begin(), present.end());
    for (std::size_t i = 0; i < present.size(); ++i)
        if (present[i] != static_cast<int>(i + 1)) return false;
    return true;
}

void ScrGrouping::store(CdsScrParams& p) const {
    std::vector<int> byPosition(rows.size() + 1, 0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].position > 0 && static_cast<std::size_t>(rows[i].position) < byPosition.size())
            byPosition[rows[i].position] = static_cast<int>(i + 1);
    p.fieldList.clear();
    p.clearLevels();
    bool identity = true;
    for (std::size_t pos = 1; pos < byPosition.size() && byPosition[pos] != 0; ++pos) {
        const int field = byPosition[pos];
        p.fieldList.push_back(field);
        identity = identity && field == static_cast<int>(pos);
        const Row& r = rows[field - 1];
        p.Sum[pos] = r.sum;
        p.Str[pos] = r.str;
        p.Rad[pos] = r.rad;
    }
    // Every field in its own order makes the same report without a reduced copy.
    if (identity && p.fieldList.size() == rows.size()) p.fieldList.clear();
}

} // namespace sarw
