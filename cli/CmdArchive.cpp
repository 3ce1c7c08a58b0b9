#include "Commands.h"

#include "archive/DataSaving.h"
#include "shell/USarCON.h"
#include "start/Startup.h"

namespace sarw::cli {

namespace {

int runArchive(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("archive: chybi --data-disk");
    const auto& a = ctx.args;
    const bool startup = a.size() == 1 && a[0] == "--startup";
    if (!a.empty() && !startup) return usageError("archive: ocekavano [--startup]");
    createTrees(s);
    std::string text;
    for (const auto& generation : startup ? startupArchive(s) : saveData(s))
        text += generation + "\n";
    out(text);
    return s.terminateRequested ? kFailure : kOk;
}

int runRestoreLast(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("restore-last: chybi --data-disk");
    if (!ctx.args.empty()) return usageError("restore-last: zadne argumenty");
    createTrees(s);
    if (!readInic(s)) return kFailure;
    return restoreLastDocument(s) ? kOk : kFailure;
}

const Registrar regArchive({"archive",
                            "  archive [--startup]               archive generations of the "
                            "period's tables\n",
                            runArchive, Writes::Yes});
const Registrar regRestore({"restore-last",
                            "  restore-last                      the working copy back over the "
                            "period's turnovers\n",
                            runRestoreLast, Writes::Yes});

} // namespace

} // namespace sarw::cli
