// Report sub-commands "table", "mask" and "pages": the table report of the table screen on any
// table, the viewer's column mask and its page count.
#include "ReportCommands.h"

#include "Args.h"

#include "output/ReportFile.h"
#include "screens/TCdsScr.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <array>
#include <string>

namespace sarw::cli {

namespace {

struct TableOptions {
    std::string table, def;
    bool unpaged = false;
    int pageLength = -1;
    bool withTime = false;
};

void setLevels(const std::vector<int>& levels,
               std::array<bool, CdsScrParams::kMaxLevels + 1>& flags) {
    for (int lv : levels) flags[static_cast<std::size_t>(lv)] = true;
}

// "FIELD:TEXT", the field 1..200.
bool setFilter(const std::string& text, CdsScrParams& p) {
    const std::size_t colon = text.find(':');
    int field = 0;
    if (colon == std::string::npos || !wholeNumber(text.substr(0, colon), 1, 200, field))
        return false;
    p.sumFilterField = field;
    p.sumFilterText = text.substr(colon + 1);
    return true;
}

int runTable(Context& ctx) {
    Session& s = ctx.session;
    TableOptions o;
    CdsScrParams& p = s.scr;
    std::vector<int> sum, str, rad;
    std::string filter;
    Args args("report table");
    args.word("TABLE", o.table).word("DEF", o.def);
    args.numberList("--fields", p.fieldList, 999);
    args.numberList("--sum", sum, CdsScrParams::kMaxLevels);
    args.numberList("--str", str, CdsScrParams::kMaxLevels);
    args.numberList("--rad", rad, CdsScrParams::kMaxLevels);
    args.option("--filter", filter).option("--page-length", o.pageLength, 1, 999999999);
    args.option("--heading1", p.heading1).option("--heading2", p.heading2);
    args.option("--upper", p.upperText).option("--right", p.rightText);
    args.option("--lower", p.lowerText);
    args.flag("--time", o.withTime).flag("--all-columns", p.allColumns);
    args.flag("--unpaged", o.unpaged);
    if (int rc = args.parse(ctx.args)) return rc;
    if (args.given("--filter") && !setFilter(filter, p))
        return args.refuse("chybny --filter \"" + filter + "\" (POLE:TEXT)");
    setLevels(sum, p.Sum);
    setLevels(str, p.Str);
    setLevels(rad, p.Rad);
    p.TableFile = o.table;
    p.DefFile = o.def;
    const SesResult r = tableScreenReport(s, {!o.unpaged, o.pageLength, o.withTime});
    if (!r.made()) return kFailure;
    out(r.reportFile + "\n");
    return kOk;
}

int runMask(Context& ctx) {
    std::string report, mask;
    Args args("report mask");
    if (int rc = args.word("REPORT", report).word("MASK", mask).parse(ctx.args)) return rc;
    if (!maskGiven(mask)) return args.refuse("maska neudava zadny rozsah sloupcu");
    const std::string masked = applyMask(ctx.session, report, mask);
    if (masked.empty()) return kFailure;
    out(masked + "\n");
    return kOk;
}

int runPages(Context& ctx) {
    std::string report;
    if (int rc = Args("report pages").word("REPORT", report).parse(ctx.args)) return rc;
    const int pages = countPages(ctx.session, report);
    if (pages == 0) return kFailure;
    out(std::to_string(pages) + "\n");
    return kOk;
}

const ReportRegistrar tableReport(
    {"table",
     "  report table TABLE DEF [--fields 3,1,...] [--sum 1,2] [--str 1] [--rad 3]\n"
     "       [--heading1 T] [--heading2 T] [--time] [--upper F] [--right F] [--lower F]\n"
     "       [--all-columns] [--filter FIELD:TEXT] [--page-length N] [--unpaged]\n"
     "                                    the table screen's report; prints its file name\n",
     runTable});
const ReportRegistrar maskReport(
    {"mask",
     "  report mask REPORT \"5/10 20/25\"   the report's columns into C:\\A_Run\\Work\\T_P_*.Txt\n",
     runMask});
const ReportRegistrar pagesReport(
    {"pages", "  report pages REPORT               number of pages of a report file\n",
     runPages});

} // namespace

} // namespace sarw::cli
