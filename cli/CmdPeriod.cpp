#include "Args.h"
#include "Commands.h"

#include "period/Period.h"
#include "start/Startup.h"

namespace sarw::cli {

namespace {

// The words after the sub-command.
std::vector<std::string> rest(const Context& ctx) {
    return std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end());
}

int printPeriod(Context& ctx, bool ok) {
    out(ctx.session.period.Period + "\n");
    return ok ? kOk : kFailure;
}

int show(Context& ctx) {
    ReadPeriod(ctx.session);
    return printPeriod(ctx, periodCheck(ctx.session.period.Period));
}

int set(Context& ctx) {
    std::string typed;
    if (int rc = Args("period set").word("YYMM", typed).parse(rest(ctx))) return rc;
    if (!checkPeriodField(ctx.session, typed)) return kFailure;
    return printPeriod(ctx, takePeriodFromField(ctx.session, typed));
}

// The arrows of the period dialog: they step the period as read, then the dialog stores it.
int step(Context& ctx, bool forward) {
    Session& s = ctx.session;
    ReadPeriod(s);
    if (forward)
        stepPeriodForward(s);
    else
        stepPeriodBack(s);
    return printPeriod(ctx, StorePeriod(s));
}

int calc(Context& ctx) {
    std::string direction, typed;
    Args args("period calc");
    if (int rc = args.word("prev|next", direction).word("YYMM", typed).parse(rest(ctx))) return rc;
    if (direction != "prev" && direction != "next") return args.refuse("ocekavano prev nebo next");
    const std::string period = periodCompact(typed);
    if (!checkPeriodField(ctx.session, period)) return kFailure;
    out((direction == "prev" ? PrevPeriod(period) : NextPeriod(period)) + "\n");
    return kOk;
}

int span(Context& ctx) {
    Session& s = ctx.session;
    std::vector<std::string> span;
    if (int rc = Args("period span").words("[OD DO]", span, 0, 2).parse(rest(ctx))) return rc;
    if (span.empty()) {
        const PeriodSpan sp = readPeriodSpan(s);
        out(sp.from + "-" + sp.to + "\n");
        return kOk;
    }
    if (span.size() != 2) return usageError("period span: chybi DO");
    const std::string from = span[0], to = span[1];
    if (!checkPeriodSpanField(s, from) || !checkPeriodSpanField(s, to)) return kFailure;
    if (!storePeriodSpan(s, from, to)) return kFailure;
    out(from + "-" + to + "\n");
    return kOk;
}

int runPeriod(Context& ctx) {
    if (ctx.args.empty()) return usageError("period: chybi prikaz");
    // The period files live in C:\A_Run\PomSoub, which the desktop program makes at its start.
    createLocalSystemTree(ctx.session);
    const std::string& cmd = ctx.args[0];
    if ((cmd == "show" || cmd == "next" || cmd == "prev") && ctx.args.size() > 1)
        return usageError("period " + cmd + ": nadbytecny argument: " + ctx.args[1]);
    if (cmd == "show") return show(ctx);
    if (cmd == "set") return set(ctx);
    if (cmd == "next" || cmd == "prev") return step(ctx, cmd == "next");
    if (cmd == "calc") return calc(ctx);
    if (cmd == "span") return span(ctx);
    return usageError("period: neznamy prikaz " + cmd);
}

const Registrar reg({"period",
                     "  period show                       the current accounting period\n"
                     "  period set YYMM                   sets and stores the period\n"
                     "  period next|prev                  steps the period and stores it\n"
                     "  period calc prev|next YYMM        the previous / next period of YYMM\n"
                     "  period span [FROM TO]             shows or sets the from/to months\n",
                     runPeriod,
                     Writes::No,
                     {{"show"}, {"set", Writes::Yes}, {"next", Writes::Yes}, {"prev", Writes::Yes}, {"calc"}, {"span", Writes::WithArguments}}});

} // namespace

} // namespace sarw::cli
