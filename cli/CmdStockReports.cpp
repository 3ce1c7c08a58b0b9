// Report sub-commands "inventory", "regleta" and "cards": the windows "Inventurni soupis",
// "Regleta" and "Skladove karty" - "Proved", then the table screen's "Sestava I" on the result.
#include "ReportCommands.h"

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

// Options "--name value" and flags "--name" of a sub-command; false on anything else.
bool readOptions(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                 const std::vector<std::string>& valued, std::map<std::string, std::string>& opts,
                 std::string& error) {
    auto among = [](const std::vector<std::string>& list, const std::string& a) {
        for (const std::string& x : list)
            if (x == a) return true;
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (among(flags, a)) {
            opts[a] = "";
        } else if (among(valued, a) && i + 1 < args.size()) {
            opts[a] = arg1250(args[++i]);
        } else {
            error = "neznama nebo neuplna volba " + a;
            return false;
        }
    }
    return true;
}

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

bool takeLevel(const std::map<std::string, std::string>& opts, OrgLevel& level) {
    const auto it = opts.find("--level");
    return it != opts.end() && parseOrgLevel(it->second, level);
}

int runInventory(Context& ctx) {
    Session& s = ctx.session;
    std::map<std::string, std::string> o;
    std::string err;
    OrgLevel level{};
    if (!readOptions(ctx.args, {"--groups", "--print"}, {"--level"}, o, err))
        return usageError("report inventory: " + err);
    if (!takeLevel(o, level))
        return usageError("report inventory: --level podnik|zavod|sprava|stredisko");
    if (!ready(s)) return usageError("report inventory: chybi --data-disk");
    const bool groups = o.count("--groups") > 0;
    const std::string title = InvProved(s, level, groups);
    if (title.empty()) return kFailure;
    if (o.count("--print") == 0) {
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
    std::map<std::string, std::string> o;
    std::string err;
    OrgLevel level{};
    if (!readOptions(ctx.args, {}, {"--level"}, o, err))
        return usageError("report regleta: " + err);
    if (!takeLevel(o, level))
        return usageError("report regleta: --level podnik|zavod|sprava|stredisko");
    if (!ready(s)) return usageError("report regleta: chybi --data-disk");
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
    std::map<std::string, std::string> o;
    std::string err;
    if (!readOptions(ctx.args, {"--pick-list"},
                     {"--from", "--to", "--material", "--plant", "--unit", "--centre"}, o, err))
        return usageError("report cards: " + err);
    if (!ready(s)) return usageError("report cards: chybi --data-disk");
    CardSelection sel = cardDefaults(s);
    sel.plant = o["--plant"];
    sel.unit = o["--unit"];
    sel.centre = o["--centre"];
    sel.material = o["--material"];
    if (o.count("--from")) sel.from = o["--from"];
    if (o.count("--to")) sel.to = o["--to"];
    if (!compactPeriod(sel.from) || !compactPeriod(sel.to))
        return usageError("report cards: obdobi se zadava jako RRMM");
    if (o.count("--pick-list")) {
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
