#include "Commands.h"

#include "archive/DataSaving.h"
#include "platform/FileMask.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "start/Startup.h"
#include "stock/USarObn.h"

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

// Without a file, the generations that fit the period; with one, that generation over the
// period's table after the question.
int runRestore(Context& ctx) {
    Session& s = ctx.session;
    const auto& a = ctx.args;
    if (s.dataDisk.empty()) return usageError("restore: chybi --data-disk");
    if (a.empty() || (a[0] != "turnovers" && a[0] != "states") || a.size() > 2)
        return usageError("restore turnovers|states [GENERACE]");
    createTrees(s);
    if (!readInic(s)) return kFailure;
    const RestoreChoice choice =
        a[0] == "turnovers" ? restoreTurnoverChoice(s) : restoreStateChoice(s);
    const std::string dir = restoreArchiveDir(s);
    if (a.size() == 1) {
        std::string text;
        for (const auto& f : filesMatching(s.platform().native(dir), choice.mask))
            text += dir + "\\" + f.name + "\n";
        out(text);
        return kOk;
    }
    std::string chosen = arg1250(a[1]);
    if (splitDirName(chosen).first.empty()) chosen = dir + "\\" + chosen;
    if (!maskMatches(choice.mask, splitDirName(chosen).second)) {
        warning(s, "Soubor " + chosen + " neni archivni generace souboru " + choice.target +
                       " (" + choice.mask + ").");
        return kFailure;
    }
    return restoreFromArchive(s, chosen, choice, false) ? kOk : kFailure;
}

const Registrar regArchive({"archive",
                            "  archive [--startup]               archive generations of the "
                            "period's tables\n",
                            runArchive, Writes::Yes});
const Registrar regRestore({"restore-last",
                            "  restore-last                      the working copy back over the "
                            "period's turnovers\n",
                            runRestoreLast, Writes::Yes});
const Registrar regRestoreArchived(
    {"restore",
     "  restore turnovers|states [GENERATION]\n"
     "                                    the archived generations of the period's turnovers or\n"
     "                                    opening states; with one, it replaces them (asks)\n",
     runRestore, Writes::WithArguments, {{"turnovers", Writes::WithArguments},
                                         {"states", Writes::WithArguments}}});

} // namespace

} // namespace sarw::cli
