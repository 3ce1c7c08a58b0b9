// Report sub-commands "inventory", "regleta" and "cards": the windows "Inventurni soupis",
// "Regleta" and "Skladove karty" - "Proved", then the table screen's "Sestava I" on the result.
#include "ReportCommands.h"

#include "Args.h"

#include "reports/USarInv.h"
#include "reports/USarReg.h"
#include "reports/USarSklK.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "start/Startup.h"

#include <map>
#include <string>

namespace sarw::cli {

namespace {

const char* const kLevels = "--level podnik|zavod|sprava|stredisko";

bool ready(Session& s) {
    if (s.dataDisk.empty()) return false;
    // The trees the desktop program makes each time its main window is shown.
    createTrees(s);
    return true;
}

// The report of the table screen as the parameter block stands; prints its name.
int printReport(Session& s) {
    const std::string table = s.scr.TableFile;
    const std::string report = sestavaI(s);
    if (report.empty()) {
        if (fileExists(s, table))
            information(s, "Tabulka neobsahuje zadnou vetu, sestava nebyla vytvorena.", table);
        return kFailure;
    }
    out(report + "\n");
    return kOk;
}

int runInventory(Context& ctx) {
    Session& s = ctx.session;
    std::string levelText;
    bool groups = false, print = false;
    OrgLevel level{};
    Args args("report inventory");
    args.option("--level", levelText, true).flag("--groups", groups).flag("--print", print);
    if (int rc = args.parse(ctx.args)) return rc;
    if (!parseOrgLevel(levelText, level)) return args.refuse(kLevels);
    if (!ready(s)) return args.refuse("chybi --data-disk");
    const std::string title = InvProved(s, level, groups);
    if (title.empty()) return kFailure;
    if (!print) {
        out(std::string(kSarWork) + "\n");
        return kOk;
    }
    invScreenParams(s, level, groups, true, title);
    const int status = printReport(s);
    invScreenClosed(s);
    return status;
}

int runRegleta(Context& ctx) {
    Session& s = ctx.session;
    std::string levelText;
    OrgLevel level{};
    Args args("report regleta");
    if (int rc = args.option("--level", levelText, true).parse(ctx.args)) return rc;
    if (!parseOrgLevel(levelText, level)) return args.refuse(kLevels);
    if (!ready(s)) return args.refuse("chybi --data-disk");
    regWindowOpened(s);
    const std::string title = RegProved(s, level);
    int status = kFailure;
    if (!title.empty()) {
        regScreenParams(s, level, title);
        status = printReport(s);
    }
    regWindowClosed(s);
    return status;
}

bool compactPeriod(const std::string& text) {
    return text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos;
}

int runCards(Context& ctx) {
    Session& s = ctx.session;
    std::string from, to;
    bool pickList = false;
    CardSelection sel;
    Args args("report cards");
    args.option("--from", from).option("--to", to).option("--material", sel.material);
    args.option("--plant", sel.plant).option("--unit", sel.unit).option("--centre", sel.centre);
    args.flag("--pick-list", pickList);
    if (int rc = args.parse(ctx.args)) return rc;
    if (!ready(s)) return args.refuse("chybi --data-disk");
    const CardSelection defaults = cardDefaults(s);
    sel.from = args.given("--from") ? from : defaults.from;
    sel.to = args.given("--to") ? to : defaults.to;
    if (!compactPeriod(sel.from) || !compactPeriod(sel.to))
        return args.refuse("obdobi se zadava jako RRMM");
    if (pickList) {
        const std::string list = cardPickList(s, sel);
        if (list.empty()) return kFailure;
        out(list + "\n");
        return kOk;
    }
    if (!SklKProved(s, sel)) return kFailure;
    cardScreenParams(s, cardUnitCount(sel));
    return printReport(s);
}

const ReportRegistrar inventoryReport(
    {"inventory",
     "  report inventory --level podnik|zavod|sprava|stredisko [--groups] [--print]\n"
     "                                    the inventory list (with --print its report)\n",
     runInventory});
const ReportRegistrar
    regletaReport({"regleta",
                   "  report regleta --level podnik|zavod|sprava|stredisko\n"
                   "                                    the regleta and its report\n",
                   runRegleta});
const ReportRegistrar cardsReport(
    {"cards",
     "  report cards [--from YYMM] [--to YYMM] [--material PREFIX]\n"
     "       [--plant P [--unit U [--centre C]]] [--pick-list]\n"
     "                                    the stock cards and their report (or the pick list)\n",
     runCards});

} // namespace

} // namespace sarw::cli
