// Commands "tables" and "close-month": the menu "Tabulky" and the monthly closing of the
// desktop program, for the current period of the data disk.
#include "Args.h"
#include "Commands.h"

#include "period/Period.h"
#include "shell/LSysCopy.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/StockTables.h"
#include "stock/TSarProc.h"
#include "stock/USarMesU.h"
#include "start/Startup.h"
#include "period/PeriodFiles.h"

#include <algorithm>

namespace sarw::cli {

namespace {

// "Pocatecni mesicni stavy" computes nothing; its table is copied to the result file like the
// others (an empty state table when the period has none).
StockTableView openingStates(Session& s) {
    StockTableView view = TabStavy(s);
    if (!view.computed) return view;
    deleteFile(s, kSarWork);
    if (fileExists(s, view.file))
        view.computed = FileCopy(s, view.file, kSarWork, 0) == kCopyOk;
    else
        TSarProc(s).MakeCdsFile(kSarWork, view.def);
    view.file = kSarWork;
    return view;
}

int runTables(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("tables: chybi --data-disk");
    if (ctx.args.empty())
        return usageError("tables: ocekavano opening|turnovers|span|joined|current");
    const std::string& what = ctx.args[0];
    std::string from, to;
    bool signChange = false;
    Args args("tables " + what);
    if (what == "span") args.word("OD", from).word("DO", to);
    if (what == "turnovers" || what == "span" || what == "joined")
        args.flag("--sign-change", signChange);
    if (int rc = args.parse(std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end())))
        return rc;
    const SignChange sign = signChange ? SignChange::Change : SignChange::Keep;
    createTrees(s);
    StockTableView view;
    if (what == "opening") {
        view = openingStates(s);
    } else if (what == "turnovers") {
        view = TabObraty(s, sign);
    } else if (what == "span") {
        if (!checkPeriodSpanField(s, from) || !checkPeriodSpanField(s, to)) return kFailure;
        if (!storePeriodSpan(s, from, to)) return kFailure;
        view = TabObratyOdDo(s, sign);
    } else if (what == "joined") {
        view = TabStavyObraty(s, sign);
    } else if (what == "current") {
        view = TabAktStavy(s);
    } else {
        return usageError("tables: neznama tabulka " + what);
    }
    if (!view.computed) return kFailure;
    out(view.file + "\n");
    return kOk;
}

int runCloseMonth(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("close-month: chybi --data-disk");
    std::string typed;
    if (int rc = Args("close-month").word("NEXT", typed, false).parse(ctx.args)) return rc;
    createTrees(s);
    const ClosingFields fields = closingFields(s);
    std::string next = ctx.args.empty() ? fields.next : typed;
    if (closeMonth(s, fields.current, next) != ClosingResult::Done) return kFailure;
    out(stateFileName(s, next) + "\n" + mainLabels(s).period + "\n");
    return kOk;
}

const Registrar tables({"tables",
                        "  tables opening|turnovers|span FROM TO|joined|current [--sign-change]\n"
                        "                            a table of the menu Tabulky into "
                        "C:\\A_Run\\Work\\SarWork.Cds\n",
                        runTables,
                        Writes::No,
                        {{"opening"}, {"turnovers"}, {"span", Writes::Yes}, {"joined"}, {"current", Writes::Yes}}});
const Registrar closeMonthCmd({"close-month",
                               "  close-month [NEXT]        the monthly closing (default: the "
                               "proposed next period)\n",
                               runCloseMonth, Writes::Yes});

} // namespace

} // namespace sarw::cli
