// The regleta: "Proved", sort orders, titles, the sum filter and the table screen's parameters.
#include "reports/USarReg.h"

#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "tables/TCdsProc.h"

namespace sarw {

std::vector<int> regSortFields(OrgLevel level) {
    // The grouping units first, then the material key (positions 13-15), then the other units.
    const int n = unitCount(level);
    std::vector<int> keys = fieldRange(1, n);
    for (int f : {13, 14, 15}) keys.push_back(f);
    for (int f = n + 1; f <= 3; ++f) keys.push_back(f);
    return keys;
}

std::string regTitle(OrgLevel level, std::string_view period) {
    static const char* const titles[] = {
        "Regleta za cely podnik v obdobi ", "Regleta podle zavodu v obdobi ",
        "Regleta podle sprav v obdobi ", "Regleta podle stredisek v obdobi "};
    return titles[unitCount(level)] + std::string(period);
}

void regWindowOpened(Session& s) {
    s.scr.sumFilterText = kRegCurrentLabel;
}

void regWindowClosed(Session& s) {
    s.scr.sumFilterText.clear();
    s.scr.sumFilterField = 0;
}

bool regReduceAndSort(Session& s, OrgLevel level) {
    TSarProc p(s);
    p.setKeys(fieldRange(3, 26));
    if (!p.RedCds3(kRepWork1, kRepWork2, turnoverDefName(s))) return false;
    keepReducedDef(s);
    p.setKeys(regSortFields(level));
    return p.SortCds3(kRepWork2, kRepWork, kRepWork1Def);
}

void regScreenParams(Session& s, OrgLevel level, const std::string& title) {
    CdsScrParams& p = s.scr;
    p.TableFile = kRepWork;
    p.DefFile = kRepWorkDef;
    p.editAllowed = false;
    p.heading1 = kRepHeading;
    p.heading2 = title;
    p.clearLevels();
    const int n = unitCount(level);
    for (int lv = 1; lv <= n; ++lv) p.Sum[lv] = p.Str[lv] = true;
    // A blank line between materials whose second key field differs.
    p.Rad[n + 2] = true;
    // The table screen puts its parameter block back to defaults when it closes, so the filter
    // of the open window is given again each time.
    p.sumFilterText = kRegCurrentLabel;
    p.sumFilterField = kRegLabelColumn;
}

std::string RegProved(Session& s, OrgLevel level) {
    ProgressStrip strip(s);
    emptyWorkDirs(s);
    regWindowOpened(s);
    const std::string states = stateFileName(s);
    const std::string turnovers = turnoverFileName(s);
    TSarProc p(s);
    p.StOb(states, kRepWork1, kRegInitialLabel);
    s.cdsProc().AppendCds(turnovers, kRepWork1);
    p.StNove(states, kRepWork2, turnovers);
    p.StOb(kRepWork2, kRepWork3, kRegCurrentLabel);
    s.cdsProc().AppendCds(kRepWork3, kRepWork1);
    if (!regReduceAndSort(s, level)) return {};
    s.scr.sumFilterField = kRegLabelColumn;
    return regTitle(level, s.period.Period);
}

} // namespace sarw
