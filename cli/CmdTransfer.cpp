// Command "transfer": the transfer to accounting of the current period ("Ucetnictvi"), and its
// copies to the diskette or to a file of the user's choice.
#include "Commands.h"

#include "reports/USarUct.h"
#include "start/Startup.h"

namespace sarw::cli {

namespace {

int runTransfer(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("transfer: chybi --data-disk");
    const std::vector<std::string>& a = ctx.args;
    // The trees the desktop program makes each time its main window is shown.
    createTrees(s);
    if (a.empty()) {
        const std::string transfer = buildTransfer(s);
        if (transfer.empty()) return kFailure;
        out(transfer + "\n");
        return kOk;
    }
    if (a.size() == 1 && a[0] == "diskette") return Disketa(s) ? kOk : kFailure;
    if (a.size() == 2 && a[0] == "copy") return Kopirovat(s, arg1250(a[1])) ? kOk : kFailure;
    return usageError("transfer: ocekavano [diskette | copy SOUBOR]");
}

const Registrar reg({"transfer",
                     "  transfer                          bookings of the current period into the\n"
                     "                                    transfer file; prints its name\n"
                     "  transfer diskette                 the transfer file to A:\\\n"
                     "  transfer copy FILE                the transfer file to FILE\n",
                     runTransfer, Writes::Yes, {{"diskette", Writes::Yes}, {"copy", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
