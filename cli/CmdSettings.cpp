// Command "settings": the print layout settings of NumRowFont.Dat.
#include "Commands.h"

#include "output/NumRowFont.h"
#include "shell/NumText.h"
#include "shell/Session.h"

#include <cstdio>
#include <string>

namespace sarw::cli {

namespace {

std::string styleText(const PrintSettings& p) {
    std::string t;
    if (p.bold) t += " bold";
    if (p.italic) t += " italic";
    if (p.underline) t += " underline";
    if (p.strikeOut) t += " strikeout";
    return t.empty() ? "regular" : t.substr(1);
}

void show(const PrintSettings& p) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "0x%06X", static_cast<unsigned>(p.fontColour));
    out(std::string("file: ") + kNumRowFontFile + "\n" + "font: " + p.fontName + "\n" +
        "size: " + std::to_string(p.fontSize) + "\n" + "style: " + styleText(p) + "\n" +
        "colour: " + colour + "\n" + "rows: " + std::to_string(p.rowsPerPage) + "\n" +
        "orientation: " + std::to_string(p.orientation) + " (" + orientationText(p.orientation) +
        ")\n");
}

bool readNumber(const std::string& text, int high, int& n) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    const long long v = std::stoll(text);
    n = static_cast<int>(v);
    return v <= high;
}

// Applies the options of "settings set"; an empty text when all were taken.
std::string apply(const std::vector<std::string>& args, PrintSettings& p) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return "incomplete option " + a;
        const std::string& v = args[++i];
        int n = 0;
        if (a == "--rows") {
            if (!readNumber(v, 999999999, n)) return "bad rows " + v;
            // As the window stores it.
            p.rowsPerPage = saneRowsPerPage(n);
        } else if (a == "--orientation") {
            if (v != "0" && v != "1") return "bad orientation " + v + " (0 or 1)";
            p.orientation = v == "1" ? 1 : 0;
        } else if (a == "--font") {
            p.fontName = arg1250(v).substr(0, kMaxFontName);
        } else if (a == "--size") {
            if (!readNumber(v, 255, n)) return "bad size " + v + " (0 to 255)";
            p.fontSize = n;
        } else {
            return "unknown option " + a;
        }
    }
    return {};
}

int runSettings(Context& ctx) {
    const auto& a = ctx.args;
    Session& s = ctx.session;
    if (a.empty() || (a[0] != "show" && a[0] != "set"))
        return usageError("usage: settings show|set [--rows N] [--orientation 0|1] "
                          "[--font NAME] [--size N]");
    if (a[0] == "show" && a.size() > 1) return usageError("settings show takes no options");
    PrintSettings wanted = s.printSettings;
    if (std::string err = apply(a, wanted); !err.empty()) return usageError("settings: " + err);
    readNumRowFont(s);
    if (a[0] == "set") {
        PrintSettings changed = s.printSettings;
        apply(a, changed);
        s.printSettings = changed;
        if (!writeNumRowFont(s)) return kFailure;
    }
    show(s.printSettings);
    return kOk;
}

const Registrar settingsCommand(
    {"settings",
     "  settings show|set [--rows N] [--orientation 0|1] [--font NAME] [--size N]\n"
     "                                    print layout settings (NumRowFont.Dat)\n",
     runSettings, Writes::No, {{"show"}, {"set", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
