#include "Args.h"
#include "Commands.h"

#include "shell/LSysDate.h"

namespace sarw::cli {

namespace {

int runDate(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || a[0] != "complete") return usageError("date: neznamy prikaz");
    std::vector<std::string> words;
    if (int rc = Args("date complete")
                     .words("TEXT", words, 1, 99)
                     .parse(std::vector<std::string>(a.begin() + 1, a.end())))
        return rc;
    std::string typed;
    for (size_t i = 0; i < words.size(); ++i) typed += (i > 0 ? " " : "") + words[i];
    const std::string date = dateComplete(ctx.session, typed);
    out("[" + date + "]\n");
    // A typed date that did not pass has been warned about; scripts see it in the status.
    return isBlank(date) && !isBlank(typed) ? kFailure : kOk;
}

const Registrar reg({"date", "  date complete TEXT                a typed date completed, in [ ]\n",
                     runDate, Writes::No, {{"complete"}}});

} // namespace

} // namespace sarw::cli
