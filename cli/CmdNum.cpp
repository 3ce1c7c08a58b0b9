#include "Args.h"
#include "Commands.h"

#include "shell/NumText.h"


namespace sarw::cli {

namespace {

// The words from `first` on, joined by blanks: a value may come split by the shell.
std::string joined(const std::vector<std::string>& args, size_t first) {
    std::string text;
    for (size_t i = first; i < args.size(); ++i) text += (i > first ? " " : "") + args[i];
    return text;
}

int runNum(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || a[0] != "format") return usageError("num: neznamy prikaz");
    int width = 0, decimals = 0;
    std::vector<std::string> words;
    Args args("num format");
    args.option("WIDTH", width, 1, 255, true).option("DECIMALS", decimals, 0, 15, true);
    args.words("VALUE", words, 1, 99);
    if (int rc = args.parse(std::vector<std::string>(a.begin() + 1, a.end()))) return rc;
    const double value = textToNumber(joined(words, 0));
    out("[" + numberToText(width, decimals, value) + "]\n");
    return kOk;
}

const Registrar
    reg({"num", "  num format WIDTH DECIMALS VALUE  the value as a field text, in [ ]\n", runNum, Writes::No, {{"format"}}});

} // namespace

} // namespace sarw::cli
