#include "Commands.h"

#include "shell/NumText.h"

#include <charconv>

namespace sarw::cli {

namespace {

bool readInt(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

// The words from `first` on, joined by blanks: a value may come split by the shell.
std::string joined(const std::vector<std::string>& args, size_t first) {
    std::string text;
    for (size_t i = first; i < args.size(); ++i) text += (i > first ? " " : "") + args[i];
    return text;
}

int runNum(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || a[0] != "format") return usageError("num: neznamy prikaz");
    if (a.size() < 4) return usageError("num format: chybi SIRKA, DESETINY nebo HODNOTA");
    int width = 0, decimals = 0;
    if (!readInt(a[1], 1, 255, width))
        return usageError("num format: chybna sirka \"" + a[1] + "\" (1 az 255)");
    if (!readInt(a[2], 0, 15, decimals))
        return usageError("num format: chybny pocet desetin \"" + a[2] + "\" (0 az 15)");
    const double value = textToNumber(arg1250(joined(a, 3)));
    out("[" + numberToText(width, decimals, value) + "]\n");
    return kOk;
}

const Registrar
    reg({"num", "  num format WIDTH DECIMALS VALUE  the value as a field text, in [ ]\n", runNum, Writes::No, {{"format"}}});

} // namespace

} // namespace sarw::cli
