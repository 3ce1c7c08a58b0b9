// The "report" command: hands its first word to the report sub-command of that name.
#include "ReportCommands.h"

#include <cstdio>
#include <string>

namespace sarw::cli {

namespace {

std::vector<ReportSubcommand>& registry() {
    static std::vector<ReportSubcommand> list;
    return list;
}

int runReport(Context& ctx) {
    const std::string sub = ctx.args.empty() ? std::string() : ctx.args[0];
    if (sub.empty() || sub == "--help") {
        std::printf("usage:\n");
        for (const auto& r : reportSubcommands()) std::printf("%s", r.usage);
        return sub.empty() ? kUsage : kOk;
    }
    for (const auto& r : reportSubcommands()) {
        if (sub != r.name) continue;
        Context subCtx{ctx.session, std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end())};
        return r.run(subCtx);
    }
    return usageError("report: neznama sestava " + sub);
}

} // namespace

// Every sub-command is also listed as a "report" command so that --help shows its usage; the
// first of them runs the dispatcher.
ReportRegistrar::ReportRegistrar(ReportSubcommand sub) {
    registry().push_back(sub);
    Registrar{Command{"report", sub.usage, runReport, Writes::No, {{sub.name}}}};
}

const std::vector<ReportSubcommand>& reportSubcommands() { return registry(); }

} // namespace sarw::cli
