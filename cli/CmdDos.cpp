// Command "dos-import": the menu "Dos" of the desktop program, bringing over the data of the DOS
// version once.
#include "Commands.h"

#include "stock/USarDos.h"
#include "start/Startup.h"

namespace sarw::cli {

namespace {

int runDosImport(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("dos-import: chybi --data-disk");
    if (ctx.args.size() != 1) return usageError("dos-import: ocekavano states|turnovers|codebooks");
    const std::string& what = ctx.args[0];
    DosImportResult (*command)(Session&) = what == "states"      ? KonvStavy
                                           : what == "turnovers" ? KonvObraty
                                           : what == "codebooks" ? KonvCis
                                                                 : nullptr;
    if (!command) return usageError("dos-import: neznamy prikaz " + what);
    // The trees the desktop program makes each time its main window is shown.
    createTrees(s);
    const DosImportResult result = command(s);
    for (const std::string& name : result.written) out(name + "\n");
    return result.complete ? kOk : kFailure;
}

const Registrar
    reg({"dos-import",
         "  dos-import states|turnovers|codebooks  the DOS version's data into the tables\n",
         runDosImport, Writes::No, {{"states", Writes::Yes}, {"turnovers", Writes::Yes}, {"codebooks", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
