// Command "transfer": the transfer to accounting of the current period ("Ucetnictvi"), and its
// copies to the diskette or to a file of the user's choice.
#include "Args.h"
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
    const std::vector<std::string> rest(a.begin() + 1, a.end());
    if (a[0] == "diskette") {
        if (int rc = Args("transfer diskette").parse(rest)) return rc;
        return Disketa(s) ? kOk : kFailure;
    }
    std::string file;
    if (a[0] == "copy") {
        if (int rc = Args("transfer copy").word("SOUBOR", file).parse(rest)) return rc;
        return Kopirovat(s, file) ? kOk : kFailure;
    }
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
