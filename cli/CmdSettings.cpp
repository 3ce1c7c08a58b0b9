// Command "settings": the print layout settings of NumRowFont.Dat.
#include "Args.h"
#include "Commands.h"

#include "output/NumRowFont.h"
#include "shell/NumText.h"
#include "shell/Session.h"

#include <algorithm>
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

// The options of "settings set"; those not given stay as stored.
struct Wanted {
    int rows = 0, orientation = 0, size = 0;
    std::string font;
};

int runSettings(Context& ctx) {
    const auto& a = ctx.args;
    Session& s = ctx.session;
    if (a.empty() || (a[0] != "show" && a[0] != "set"))
        return usageError("settings: ocekavano show nebo set");
    Wanted w;
    Args args("settings " + a[0]);
    if (a[0] == "set") {
        args.option("--rows", w.rows, 0, 999999999).option("--orientation", w.orientation, 0, 1);
        args.option("--font", w.font).option("--size", w.size, 0, 255);
    }
    if (int rc = args.parse(std::vector<std::string>(a.begin() + 1, a.end()))) return rc;
    readNumRowFont(s);
    if (a[0] == "set") {
        PrintSettings& p = s.printSettings;
        // As the window stores them.
        if (args.given("--rows")) p.rowsPerPage = saneRowsPerPage(w.rows);
        if (args.given("--orientation")) p.orientation = w.orientation;
        if (args.given("--font")) p.fontName = w.font.substr(0, kMaxFontName);
        if (args.given("--size")) p.fontSize = w.size;
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
