#include "Commands.h"

#include "shell/LSysDate.h"

namespace sarw::cli {

namespace {

int runDate(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || a[0] != "complete") return usageError("date: neznamy prikaz");
    if (a.size() < 2) return usageError("date complete: chybi TEXT");
    std::string typed;
    for (size_t i = 1; i < a.size(); ++i) typed += (i > 1 ? " " : "") + a[i];
    typed = arg1250(typed);
    const std::string date = dateComplete(ctx.session, typed);
    out("[" + date + "]\n");
    // A typed date that did not pass has been warned about; scripts see it in the status.
    return isBlank(date) && !isBlank(typed) ? kFailure : kOk;
}

const Registrar reg({"date", "  date complete TEXT                a typed date completed, in [ ]\n",
                     runDate, Writes::No, {{"complete"}}});

} // namespace

} // namespace sarw::cli
