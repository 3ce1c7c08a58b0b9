// Commands "append" and "extract": records of one table added to another, and the records of a
// table that pass a selection.
#include "Args.h"
#include "Commands.h"

#include "shell/WinLSys.h"
#include "tables/library/CdsProcSlEx.h"
#include "tables/library/TCdsProc.h"

#include <string>

namespace sarw::cli {

namespace {

int runAppend(Context& ctx) {
    std::string source, target;
    if (int rc = Args("append").word("SOURCE", source).word("TARGET", target).parse(ctx.args))
        return rc;
    if (!fileExistsWarn(ctx.session, source)) return kFailure;
    TCdsProc& proc = ctx.session.cdsProc();
    proc.AppendCds(source, target);
    out(target + "\t" + std::to_string(proc.TabNumRec(target)) + "\n");
    return kOk;
}

// "A,B" gives A and B; an empty text one empty value, which matches every record.
std::vector<std::string> splitValues(const std::string& text) {
    std::vector<std::string> values;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        values.push_back(text.substr(from, comma - from));
        if (comma == std::string::npos) return values;
        from = comma + 1;
    }
}

// IN OUT and the pairs --field N --values A,B, taken in their order.
int parseExtract(const std::vector<std::string>& words, std::string& in, std::string& out,
                 CdsProcSlEx& sl) {
    Args args("extract");
    std::vector<std::string> fields, values;
    args.word("IN", in).word("OUT", out).repeated("--field", fields).repeated("--values", values);
    if (int rc = args.parse(words)) return rc;
    if (fields.empty()) return args.refuse("chybi --field N --values A,B");
    if (fields.size() != values.size())
        return args.refuse("ke kazdemu --field patri jedno --values");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        int field = 0;
        if (!wholeNumber(fields[i], 1, 255, field))
            return args.refuse("chybna hodnota --field \"" + fields[i] + "\" (cislo 1 az 255)");
        if (!sl.add(field, splitValues(values[i])))
            return args.refuse("nejvyse 10 podminek po nejvyse 10 hodnotach");
    }
    return 0;
}

int runExtract(Context& ctx) {
    std::string in, outFile;
    CdsProcSlEx sl;
    if (int rc = parseExtract(ctx.args, in, outFile, sl)) return rc;
    Session& s = ctx.session;
    if (!fileExistsWarn(s, in)) return kFailure;
    if (fileSize(s, in) <= 4) {
        information(s, "Soubor neobsahuje tabulku !", in);
        return kFailure;
    }
    TCdsProc& proc = s.cdsProc();
    if (!proc.ExtrCds(in, outFile, sl)) return kFailure;
    out(outFile + "\t" + std::to_string(proc.TabNumRec(outFile)) + "\n");
    return kOk;
}

const Registrar appendCommand({"append",
                               "  append SOURCE TARGET              records of SOURCE added to "
                               "TARGET (made when missing)\n",
                               runAppend, Writes::Yes});
const Registrar extractCommand(
    {"extract",
     "  extract IN OUT --field N --values A,B [--field M --values C ...]\n"
     "                                    records whose fields begin with one of the values\n",
     runExtract, Writes::Yes});

} // namespace

} // namespace sarw::cli
