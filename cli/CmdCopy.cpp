// Commands "append" and "extract": records of one table added to another, and the records of a
// table that pass a selection.
#include "Commands.h"

#include "shell/WinLSys.h"
#include "tables/library/CdsProcSlEx.h"
#include "tables/library/TCdsProc.h"

#include <string>

namespace sarw::cli {

namespace {

int runAppend(Context& ctx) {
    if (ctx.args.size() != 2) return usageError("usage: append SOURCE TARGET");
    const std::string source = arg1250(ctx.args[0]);
    const std::string target = arg1250(ctx.args[1]);
    if (!fileExistsWarn(ctx.session, source)) return kFailure;
    TCdsProc& proc = ctx.session.cdsProc();
    proc.AppendCds(source, target);
    out(target + "\t" + std::to_string(proc.TabNumRec(target)) + "\n");
    return kOk;
}

bool readField(const std::string& text, int& field) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    field = std::stoi(text);
    return field >= 1 && field <= 255;
}

// "A,B" gives A and B; an empty text one empty value, which matches every record.
std::vector<std::string> splitValues(const std::string& text) {
    std::vector<std::string> values;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        values.push_back(arg1250(text.substr(from, comma - from)));
        if (comma == std::string::npos) return values;
        from = comma + 1;
    }
}

// IN OUT and the pairs --field N --values A,B; an empty text when all is well.
std::string parseExtract(const std::vector<std::string>& a, std::vector<std::string>& files,
                         CdsProcSlEx& sl) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != "--field") {
            if (a[i].rfind("--", 0) == 0) return "unknown option " + a[i];
            files.push_back(arg1250(a[i]));
            continue;
        }
        int field = 0;
        if (i + 1 >= a.size() || !readField(a[i + 1], field)) return "--field needs 1 to 255";
        if (i + 3 >= a.size() || a[i + 2] != "--values") return "--field N needs --values A,B";
        if (!sl.add(field, splitValues(a[i + 3])))
            return "at most 10 conditions of at most 10 values each";
        i += 3;
    }
    if (files.size() != 2) return "expected IN OUT";
    return sl.PocSl == 0 ? "at least one --field N --values A,B is required" : "";
}

int runExtract(Context& ctx) {
    std::vector<std::string> files;
    CdsProcSlEx sl;
    const std::string err = parseExtract(ctx.args, files, sl);
    if (!err.empty()) return usageError("extract: " + err);
    Session& s = ctx.session;
    if (!fileExistsWarn(s, files[0])) return kFailure;
    if (fileSize(s, files[0]) <= 4) {
        information(s, "Soubor neobsahuje tabulku !", files[0]);
        return kFailure;
    }
    TCdsProc& proc = s.cdsProc();
    if (!proc.ExtrCds(files[0], files[1], sl)) return kFailure;
    out(files[1] + "\t" + std::to_string(proc.TabNumRec(files[1])) + "\n");
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
