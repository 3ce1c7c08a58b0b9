// Commands "convert" and "recolsize": tables to and from record files, fixed-column, delimited
// and report text, and tables with every column as narrow as its contents.
#include "Args.h"
#include "Commands.h"

#include "platform/Platform.h"
#include "shell/LSysDate.h"
#include "shell/WinLSys.h"
#include "tables/library/TCdsProc.h"

#include <fstream>
#include <string>

namespace sarw::cli {

namespace {

struct Options {
    std::vector<std::string> files;
    int codePage = 0;
    char sep = ';';
    char quote = '"';
};

// One character: itself, or "tab" / "\\t" for a tabulator; "none" for no quote character.
bool readChar(const std::string& text, char& c) {
    if (text == "tab" || text == "\\t") {
        c = '\t';
        return true;
    }
    if (text == "none") {
        c = '\0';
        return true;
    }
    if (text.size() != 1) return false;
    c = text[0];
    return true;
}

// The files and options of the conversion; 0 or the usage status.
int parse(const std::string& mode, const std::vector<std::string>& words, Options& o) {
    const bool csv = mode == "from-csv" || mode == "to-csv";
    const bool dat = mode == "from-dat" || mode == "to-dat";
    Args args("convert " + mode);
    std::string sep, quote;
    if (mode == "from-ses")
        args.words("PARAMS [TABLE DEF]", o.files, 1, 3);
    else
        args.words(mode.rfind("from-", 0) == 0 ? "SOURCE TABLE DEF" : "TABLE SOURCE DEF",
                   o.files, 3, 3);
    // Record files of the program have no code page.
    if (!dat) args.option("--codepage", o.codePage, 0, 3);
    if (csv) args.option("--sep", sep);
    if (mode == "from-csv") args.option("--quote", quote);
    if (int rc = args.parse(words)) return rc;
    if (o.files.size() == 2) return args.refuse("chybi DEF");
    if (args.given("--sep") && (!readChar(sep, o.sep) || o.sep == '\0'))
        return args.refuse("--sep je jeden znak nebo tab");
    if (args.given("--quote") && !readChar(quote, o.quote))
        return args.refuse("--quote je jeden znak nebo none");
    return 0;
}

// The names a report parameter file gives before the "*" of its lines 2 and 3.
bool sesNames(Session& s, const std::string& params, std::string& table, std::string& def) {
    std::ifstream in(s.platform().native(params), std::ios::binary);
    std::string line;
    for (int n = 1; n <= 3 && std::getline(in, line); ++n) {
        const std::size_t star = line.find('*');
        if (star == std::string::npos) return false;
        if (n == 2) table = trimBoth(line.substr(0, star));
        if (n == 3) def = trimBoth(line.substr(0, star));
    }
    return !table.empty() && !def.empty();
}

int convertFrom(Context& ctx, const std::string& mode, const Options& o) {
    Session& s = ctx.session;
    TCdsProc& p = s.cdsProc();
    s.cds.SourceFile = o.files[0];
    if (mode == "from-ses") {
        std::string table, def;
        if (!fileExistsWarn(s, o.files[0])) return kFailure;
        if (o.files.size() == 3 && sesNames(s, o.files[0], table, def) &&
            (fileNameUpper(table) != fileNameUpper(o.files[1]) ||
             fileNameUpper(def) != fileNameUpper(o.files[2])))
            return usageError("convert from-ses: soubor parametru uvadi " + table + " a " + def);
        if (!p.KonvSesCdsG(o.codePage)) return kFailure;
        out(s.cds.TableFile + "\n");
        return kOk;
    }
    s.cds.TableFile = o.files[1];
    s.cds.DefFile = o.files[2];
    bool ok = false;
    if (mode == "from-dat")
        ok = p.KonvDatCds();
    else if (mode == "from-tbu")
        ok = p.KonvTbuCds(o.codePage);
    else if (mode == "from-fixed")
        ok = p.KonvFCds(o.codePage);
    else if (mode == "from-txt")
        ok = p.KonvTxCds(o.codePage);
    else
        ok = p.KonvCsvCds(o.codePage, o.sep, o.quote);
    if (!ok) return kFailure;
    out(s.cds.TableFile + "\n");
    return kOk;
}

int convertTo(Context& ctx, const std::string& mode, const Options& o) {
    Session& s = ctx.session;
    TCdsProc& p = s.cdsProc();
    s.cds.TableFile = o.files[0];
    s.cds.SourceFile = o.files[1];
    s.cds.DefFile = o.files[2];
    bool ok = false;
    if (mode == "to-dat")
        ok = p.KonvCdsDat();
    else if (mode == "to-txt")
        ok = p.KonvCdsTxt(o.codePage);
    else if (mode == "to-csv")
        ok = p.KonvCdsCsv(o.codePage, o.sep);
    else
        ok = p.KonvCdsTbu(o.codePage);
    if (!ok) return kFailure;
    out(s.cds.SourceFile + "\n");
    return kOk;
}

const char* const kFrom[] = {"from-dat", "from-tbu", "from-fixed",
                             "from-txt", "from-csv", "from-ses"};
const char* const kTo[] = {"to-dat", "to-txt", "to-csv", "to-tbu"};

bool oneOf(const std::string& mode, std::initializer_list<const char*> list) {
    for (const char* m : list)
        if (mode == m) return true;
    return false;
}

int runConvert(Context& ctx) {
    if (ctx.args.empty()) return usageError("convert: ocekavano from-... nebo to-...");
    const std::string mode = ctx.args[0];
    const bool from = oneOf(mode, {kFrom[0], kFrom[1], kFrom[2], kFrom[3], kFrom[4], kFrom[5]});
    const bool to = oneOf(mode, {kTo[0], kTo[1], kTo[2], kTo[3]});
    if (!from && !to) return usageError("convert: neznama konverze " + mode);
    Options o;
    if (int rc = parse(mode, std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end()), o))
        return rc;
    return from ? convertFrom(ctx, mode, o) : convertTo(ctx, mode, o);
}

int runReColSize(Context& ctx) {
    std::vector<std::string> f;
    if (int rc = Args("recolsize").words("TABLE DEF NEWTABLE NEWDEF", f, 4, 4).parse(ctx.args))
        return rc;
    if (!ctx.session.cdsProc().ReColSizeCds(f[0], f[1], f[2], f[3])) return kFailure;
    out(f[2] + "\t" + f[3] + "\n");
    return kOk;
}

const Registrar convertCommand(
    {"convert",
     "  convert from-dat|from-tbu|from-fixed|from-txt|from-csv SOURCE TABLE DEF\n"
     "          [--codepage 0..3] [--sep C] [--quote C|none]\n"
     "                                    a flat file into a new table (code page of its text:\n"
     "                                    0 none, 1 Windows-1250, 2 852, 3 Kamenicky)\n"
     "  convert from-ses PARAMS [TABLE DEF] [--codepage 0..3]\n"
     "                                    report text into the table its parameter file names\n"
     "  convert to-dat|to-txt|to-csv|to-tbu TABLE SOURCE DEF [--codepage 0..3] [--sep C]\n"
     "                                    a table into a flat file\n",
     runConvert,
     Writes::No,
     {{"from-dat", Writes::Yes}, {"from-tbu", Writes::Yes}, {"from-fixed", Writes::Yes}, {"from-txt", Writes::Yes}, {"from-csv", Writes::Yes}, {"from-ses", Writes::Yes}, {"to-dat", Writes::Yes}, {"to-txt", Writes::Yes}, {"to-csv", Writes::Yes}, {"to-tbu", Writes::Yes}}});
const Registrar recolsizeCommand({"recolsize",
                                  "  recolsize TABLE DEF NEWTABLE NEWDEF\n"
                                  "                                    every column as narrow as "
                                  "its contents\n",
                                  runReColSize, Writes::Yes});

} // namespace

} // namespace sarw::cli
