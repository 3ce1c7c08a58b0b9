// Work files, levels and the report of the inventory list, the regleta and the stock cards.
#include "reports/ReportWork.h"

#include "screens/TCdsScr.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"

namespace sarw {

int unitCount(OrgLevel level) {
    return static_cast<int>(level);
}

bool parseOrgLevel(std::string_view text, OrgLevel& level) {
    const std::string up = upperCase(text);
    const struct {
        const char* name;
        OrgLevel level;
    } names[] = {{"PODNIK", OrgLevel::Podnik},
                 {"ZAVOD", OrgLevel::Zavod},
                 {"SPRAVA", OrgLevel::Sprava},
                 {"STREDISKO", OrgLevel::Stredisko}};
    for (const auto& n : names)
        if (up == n.name) {
            level = n.level;
            return true;
        }
    return false;
}

std::vector<int> fieldRange(int first, int last) {
    std::vector<int> fields;
    for (int f = first; f <= last; ++f) fields.push_back(f);
    return fields;
}

std::vector<int> unitsFirst(int firstUnit, int units, const std::vector<int>& within) {
    constexpr int kUnitFields = 3;
    std::vector<int> keys = fieldRange(firstUnit, firstUnit + units - 1);
    keys.insert(keys.end(), within.begin(), within.end());
    for (int f = firstUnit + units; f < firstUnit + kUnitFields; ++f) keys.push_back(f);
    return keys;
}

void keepReducedDef(Session& s) {
    deleteFile(s, kSarWork1Def);
    renameFile(s, kSarWorkDef, kSarWork1Def);
}

bool reduceAndSort(Session& s, const std::vector<int>& kept, const std::string& def,
                   const std::vector<int>& order) {
    TSarProc p(s);
    p.setKeys(kept);
    if (!p.RedCds3(kSarWork1, kSarWork2, def)) return false;
    keepReducedDef(s);
    p.setKeys(order);
    return p.SortCds3(kSarWork2, kSarWork, kSarWork1Def);
}

void listScreenParams(Session& s, const std::string& title) {
    CdsScrParams& p = s.scr;
    p.TableFile = kSarWork;
    p.DefFile = kSarWorkDef;
    p.editAllowed = false;
    p.heading1 = kRepHeading;
    p.heading2 = title;
    p.clearLevels();
}

ProgressStrip::ProgressStrip(Session& s) : s_(s) {
    s_.dialogs().progressShow();
}

ProgressStrip::~ProgressStrip() {
    s_.dialogs().progressClose();
}

std::string sestavaI(Session& s) {
    TCdsScr screen(s);
    screen.reportOnly = true;
    if (!screen.show()) return {};
    const SesResult r = screen.SestavaI();
    screen.close();
    return r.reportFile;
}

bool repTabulka(Session& s, const std::string& title) {
    return showTableInTool(s, kSarWork, kSarWorkDef, kRepHeading, title);
}

} // namespace sarw
