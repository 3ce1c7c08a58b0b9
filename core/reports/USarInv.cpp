// The inventory list: "Proved", its sort orders, titles and the table screen's parameters.
#include "reports/USarInv.h"

#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "period/PeriodFiles.h"

namespace sarw {

std::vector<int> invSortFields(OrgLevel level, bool groups) {
    // The grouping units first, then the material group when asked for, then the order of the
    // materials (positions 4-6), then the remaining units.
    std::vector<int> within = {4, 5, 6};
    if (groups) within.insert(within.begin(), 7);
    return unitsFirst(1, unitCount(level), within);
}

std::string invTitle(OrgLevel level, std::string_view period) {
    static const char* const titles[] = {
        "Inventurni soupis za cely podnik v obdobi ", "Inventurni soupis podle zavodu v obdobi ",
        "Inventurni soupis podle sprav v obdobi ", "Inventurni soupis podle stredisek v obdobi "};
    return titles[unitCount(level)] + std::string(period);
}

bool invReduceAndSort(Session& s, OrgLevel level, bool groups) {
    return reduceAndSort(s, fieldRange(3, 13), stateDefName(s), invSortFields(level, groups));
}

void invScreenParams(Session& s, OrgLevel level, bool groups, bool print,
                     const std::string& title) {
    listScreenParams(s, title);
    CdsScrParams& p = s.scr;
    const int n = unitCount(level);
    for (int lv = 1; lv <= n; ++lv) p.Sum[lv] = p.Str[lv] = true;
    if (!print) return;
    // A subtotal per material group, without a new page.
    if (groups) p.Sum[n + 1] = true;
    const std::string dir = workDir(s, "DefSoub") + "\\";
    p.upperText = dir + "InvP.Def";
    p.rightText = dir + "InvR.Def";
    p.lowerText = dir + "InvZ.Def";
}

void invScreenClosed(Session& s) {
    CdsScrParams& p = s.scr;
    p.Sum.fill(false);
    p.Str.fill(false);
    p.upperText.clear();
    p.rightText.clear();
    p.lowerText.clear();
}

std::string InvProved(Session& s, OrgLevel level, bool groups) {
    ProgressStrip strip(s);
    emptyWorkDirs(s);
    TSarProc p(s);
    if (!p.StNove(stateFileName(s), kSarWork1, turnoverFileName(s))) return {};
    if (!invReduceAndSort(s, level, groups)) return {};
    return invTitle(level, s.period.Period);
}

} // namespace sarw
