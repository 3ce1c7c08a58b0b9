// Report sub-commands "table", "mask" and "pages": the table report of the table screen on any
// table, the viewer's column mask and its page count.
#include "ReportCommands.h"

#include "output/ReportFile.h"
#include "screens/TCdsScr.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <array>
#include <string>

namespace sarw::cli {

namespace {

bool readNumber(const std::string& text, long long low, long long high, long long& n) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    n = std::stoll(text);
    return n >= low && n <= high;
}

// "3,1,2" into numbers from 1 to high.
bool readList(const std::string& text, long long high, std::vector<int>& list) {
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        long long n = 0;
        if (!readNumber(text.substr(from, comma - from), 1, high, n)) return false;
        list.push_back(static_cast<int>(n));
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

struct TableOptions {
    std::vector<std::string> files;
    bool unpaged = false;
    long long pageLength = -1;
    bool withTime = false;
};

bool setLevels(const std::string& text, std::array<bool, CdsScrParams::kMaxLevels + 1>& flags) {
    std::vector<int> levels;
    if (!readList(text, CdsScrParams::kMaxLevels, levels)) return false;
    for (int lv : levels) flags[static_cast<std::size_t>(lv)] = true;
    return true;
}

bool setFilter(const std::string& text, CdsScrParams& p) {
    const std::size_t colon = text.find(':');
    long long field = 0;
    if (colon == std::string::npos || !readNumber(text.substr(0, colon), 1, 200, field))
        return false;
    p.sumFilterField = static_cast<int>(field);
    p.sumFilterText = arg1250(text.substr(colon + 1));
    return true;
}

// One option of "report table" that takes a value; an empty text when it was taken.
std::string takeValue(const std::string& a, const std::string& v, CdsScrParams& p,
                      TableOptions& o) {
    if (a == "--fields") return readList(v, 999, p.fieldList) ? "" : "bad field list " + v;
    if (a == "--sum") return setLevels(v, p.Sum) ? "" : "bad levels " + v;
    if (a == "--str") return setLevels(v, p.Str) ? "" : "bad levels " + v;
    if (a == "--rad") return setLevels(v, p.Rad) ? "" : "bad levels " + v;
    if (a == "--filter") return setFilter(v, p) ? "" : "bad filter " + v + " (FIELD:TEXT)";
    if (a == "--page-length")
        return readNumber(v, 1, 999999999, o.pageLength) ? "" : "bad page length " + v;
    std::string* text = a == "--heading1" ? &p.heading1
                        : a == "--heading2" ? &p.heading2
                        : a == "--upper"    ? &p.upperText
                        : a == "--right"    ? &p.rightText
                        : a == "--lower"    ? &p.lowerText
                                            : nullptr;
    if (!text) return "unknown or incomplete option " + a;
    *text = arg1250(v);
    return {};
}

std::string parseTable(const std::vector<std::string>& args, CdsScrParams& p, TableOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--time") {
            o.withTime = true;
        } else if (a == "--all-columns") {
            p.allColumns = true;
        } else if (a == "--unpaged") {
            o.unpaged = true;
        } else if (a.rfind("--", 0) == 0) {
            if (i + 1 >= args.size()) return "incomplete option " + a;
            if (std::string err = takeValue(a, args[++i], p, o); !err.empty()) return err;
        } else {
            o.files.push_back(arg1250(a));
        }
    }
    return o.files.size() == 2 ? std::string() : "expected TABLE DEF";
}

int runTable(Context& ctx) {
    Session& s = ctx.session;
    TableOptions o;
    CdsScrParams& p = s.scr;
    if (std::string err = parseTable(ctx.args, p, o); !err.empty())
        return usageError("report table: " + err);
    p.TableFile = o.files[0];
    p.DefFile = o.files[1];
    const SesResult r = tableScreenReport(s, {!o.unpaged, o.pageLength, o.withTime});
    if (!r.made()) return kFailure;
    out(r.reportFile + "\n");
    return kOk;
}

int runMask(Context& ctx) {
    if (ctx.args.size() != 2) return usageError("usage: report mask REPORT \"5/10 20/25\"");
    const std::string mask = arg1250(ctx.args[1]);
    if (!maskGiven(mask)) return usageError("report mask: no column ranges given");
    const std::string masked = applyMask(ctx.session, arg1250(ctx.args[0]), mask);
    if (masked.empty()) return kFailure;
    out(masked + "\n");
    return kOk;
}

int runPages(Context& ctx) {
    if (ctx.args.size() != 1) return usageError("usage: report pages REPORT");
    const int pages = countPages(ctx.session, arg1250(ctx.args[0]));
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
