#include "Args.h"
#include "Commands.h"

#include "period/Period.h"
#include "shell/USarCON.h"
#include "start/Startup.h"
#include "period/PeriodFiles.h"

namespace sarw::cli {

namespace {

int runNames(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("names: chybi --data-disk");
    std::string typed;
    if (int rc = Args("names").word("YYMM", typed, false).parse(ctx.args)) return rc;
    const bool given = !ctx.args.empty();
    const std::string p = given ? periodCompact(typed) : "";
    if (given && !checkPeriodField(s, p)) return kFailure;
    createLocalSystemTree(s);
    if (!readInic(s)) return kFailure;

    std::string text;
    text += "state: " + (given ? stateFileName(s, p) : stateFileName(s)) + "\n";
    text += "turnover: " + (given ? turnoverFileName(s, p) : turnoverFileName(s)) + "\n";
    text += "transfer: " + (given ? transferFileName(s, p) : transferFileName(s)) + "\n";
    for (const char* kind : {"MatSk", "Ucto", "Cinn", "Konta"})
        text += std::string(kind) + ": " +
                (given ? yearCodebookName(s, kind, p) : yearCodebookName(s, kind)) + "\n";
    text += "period-file: " + periodFileName(s) + "\n";
    text += "access-file: " + accessFileName() + "\n";
    out(text);
    return kOk;
}

const Registrar
    reg({"names", "  names [YYMM]                      file names of the current or given period\n",
         runNames});

} // namespace

} // namespace sarw::cli
