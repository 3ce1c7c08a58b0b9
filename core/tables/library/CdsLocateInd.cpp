#include "tables/library/CdsLocateKey.h"
#include "tables/library/TCdsProc.h"

#include "shell/Session.h"

#include <algorithm>

namespace sarw {

namespace {

// Both tables stand on a record and have the first dInd fields (after a warning when not).
bool comparable(Session& s, const CdsTable& a, const CdsTable& b, int dInd) {
    if (!lookup::firstFieldsInTable(s, a, dInd) || !lookup::firstFieldsInTable(s, b, dInd))
        return false;
    return !a.eof() && !b.eof();
}

int compareCurrent(const CdsTable& a, const CdsTable& b, int dInd) {
    return lookup::compareFirstFields(a.data, a.recNo(), b.data, b.recNo(), dInd);
}

constexpr const char* kExit = "<Exit>";

// Collects the matching records into xTab: all of them, or only the first run when nInd is
// given, which then receives the key of the record after the run.
long collectMatching(Session& s, CdsTable& table, const std::string& jmSCds, bool xOpen, int pSlInd,
                     const std::vector<std::string>& ind, std::vector<std::string>& xTab,
                     std::vector<std::string>* nInd) {
    // A copy, so that a caller may pass the same list as Ind and NInd to walk the keys.
    const std::vector<std::string> key(ind);
    xTab.clear();
    if (nInd) nInd->assign(static_cast<size_t>(std::max(pSlInd, 0)), kExit);
    if (xOpen && !lookup::openForReading(s, table, jmSCds)) return 0;
    const Table& t = table.data;
    const size_t n = t.recordCount();
    size_t rec = 0;
    if (lookup::firstFieldsInTable(s, table, pSlInd)) {
        auto matches = [&](size_t r) { return lookup::firstFieldsEqual(t, r, pSlInd, key); };
        if (nInd) {
            while (rec < n && !matches(rec)) ++rec;
            for (; rec < n && matches(rec); ++rec) xTab.push_back(lookup::paddedRecord(t, rec));
            for (int i = 0; rec < n && i < pSlInd; ++i)
                (*nInd)[static_cast<size_t>(i)] = t.text(rec, i);
        } else {
            for (; rec < n; ++rec)
                if (matches(rec)) xTab.push_back(lookup::paddedRecord(t, rec));
        }
    }
    if (xOpen)
        table.close(s);
    else
        table.moveTo(rec);
    return static_cast<long>(xTab.size());
}

} // namespace

bool TCdsProc::EquIndTable(const CdsTable& table1, const CdsTable& table2, int DInd) {
    return comparable(s_, table1, table2, DInd) && compareCurrent(table1, table2, DInd) == 0;
}

bool TCdsProc::LessIndTable(const CdsTable& table1, const CdsTable& table2, int DInd) {
    return comparable(s_, table1, table2, DInd) && compareCurrent(table1, table2, DInd) < 0;
}

bool TCdsProc::FindIndTable(CdsTable& table1, const CdsTable& table2, int DInd, bool XFirst) {
    if (XFirst) table1.first();
    if (!comparable(s_, table1, table2, DInd)) return false;
    while (!table1.eof() && compareCurrent(table1, table2, DInd) < 0) table1.next();
    return !table1.eof() && compareCurrent(table1, table2, DInd) == 0;
}

long TCdsProc::TabMaxNumInd(const std::string& JmSCds, int PSlInd) {
    CdsTable table;
    if (!lookup::openForReading(s_, table, JmSCds)) return 0;
    if (!lookup::firstFieldsInTable(s_, table, PSlInd)) return 0;
    const Table& t = table.data;
    long best = 0, run = 0;
    for (size_t rec = 0; rec < t.recordCount(); ++rec) {
        const bool same = rec > 0 && lookup::compareFirstFields(t, rec - 1, t, rec, PSlInd) == 0;
        run = same ? run + 1 : 1;
        best = std::max(best, run);
    }
    return best;
}

long TCdsProc::TabGetInd(CdsTable& table, const std::string& JmSCds, bool XOpen, int PSlInd,
                         const std::vector<std::string>& Ind, std::vector<std::string>& XTab) {
    return collectMatching(s_, table, JmSCds, XOpen, PSlInd, Ind, XTab, nullptr);
}

long TCdsProc::TabSortGetInd(CdsTable& table, const std::string& JmSCds, bool XOpen, int PSlInd,
                             const std::vector<std::string>& Ind, std::vector<std::string>& XTab,
                             std::vector<std::string>& NInd) {
    return collectMatching(s_, table, JmSCds, XOpen, PSlInd, Ind, XTab, &NInd);
}

} // namespace sarw
