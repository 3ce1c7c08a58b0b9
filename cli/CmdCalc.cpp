#include "Args.h"
#include "Commands.h"

#include "tools/LHVyraz.h"

#include <cstdio>

namespace sarw::cli {

namespace {

int runCalc(Context& ctx) {
    // The expression's words are taken as they come: one that begins with "-" ("-(2)*3") is no
    // option. Only --decimals goes through the option parser.
    std::vector<std::string> options;
    std::string text;
    const auto& a = ctx.args;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--decimals" || a[i].rfind("--decimals=", 0) == 0) {
            options.push_back(a[i]);
            if (a[i] == "--decimals" && i + 1 < a.size()) options.push_back(a[++i]);
        } else {
            text += a[i]; // an expression split by the shell: blanks do not count in it
        }
    }
    int decimals = kDefaultDecimals;
    Args args("calc");
    args.option("--decimals", decimals, 0, 15);
    if (int rc = args.parse(options)) return rc;
    if (text.empty()) return args.refuse("chybi EXPRESSION");
    const CalcResult r = evaluate(text);
    if (!r.ok()) {
        std::fprintf(stderr, "%s\n", r.error.c_str());
        return kFailure;
    }
    std::string shown = resultText(r.value, decimals);
    shown.erase(0, shown.find_first_not_of(' '));
    out((shown.empty() ? "0" : shown) + "\n");
    return kOk;
}

const Registrar reg({"calc",
                     "  calc EXPRESSION [--decimals N]  the value of an arithmetic expression\n"
                     "     (N 0-15, default 5; a value that is zero at N places prints 0)\n",
                     runCalc});

} // namespace

} // namespace sarw::cli
