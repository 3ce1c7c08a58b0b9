// Commands "def show" and "check": a definition file as the program reads it, and the
// normalisation and check of one value by a field of it.
#include "Args.h"
#include "Commands.h"

#include "tables/model/CheckValue.h"
#include "tables/model/ReadDef.h"

#include <string>

namespace sarw::cli {

namespace {

std::string joined(const std::vector<int>& numbers) {
    std::string s;
    for (size_t i = 0; i < numbers.size(); ++i) s += (i ? "," : "") + std::to_string(numbers[i]);
    return s;
}

std::string fieldLine(int n, const FieldDef& f) {
    const std::string t = "\t";
    return std::to_string(n) + t + f.fieldName + t + std::to_string(f.width) + t +
           std::to_string(f.fieldPos) + t + f.type + t + f.checkMode + t + std::string(1, f.mode) +
           t + std::to_string(f.ulozP) + t + std::to_string(f.ulozZ) + t +
           std::to_string(f.ulozDo) + t + f.jmSCis + t + f.heading + "\n";
}

int runDef(Context& ctx) {
    if (ctx.args.empty() || ctx.args[0] != "show") return usageError("def: ocekavano show");
    std::string def;
    if (int rc = Args("def show").word("DEF", def).parse(
            std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end())))
        return rc;
    Session& s = ctx.session;
    if (!ReadDef(s, def)) return kFailure;
    const Definition& d = s.def;
    out("FieldCount: " + std::to_string(d.fieldCount()) + "\n");
    out("RecLen: " + std::to_string(d.recLen) + "\n");
    out("HeadCount: " + std::to_string(d.headCount) + "\n");
    out("ItemCount: " + std::to_string(d.itemCount) + "\n");
    out("KeyList: " + joined(d.keyList) + "\n");
    out("MemoFlag: " + std::string(d.memoFlag ? "1" : "0") + "\n");
    for (int f = 1; f <= d.fieldCount(); ++f) out(fieldLine(f, d.field(f)));
    return kOk;
}

int runCheck(Context& ctx) {
    std::string def, mode, value;
    int field = 0;
    Args args("check");
    args.word("DEF", def).option("FIELD", field, 0, 999999999, true);
    args.word("MODE", mode).word("VALUE", value);
    if (int rc = args.parse(ctx.args)) return rc;
    if (mode.size() != 1) return args.refuse("MODE je jeden znak");
    Session& s = ctx.session;
    if (!ReadDef(s, def)) return kFailure;
    bool valid = CheckValue(s, value, field, mode[0]);
    out(std::string(valid ? "valid" : "invalid") + "\t[" + value + "]\n");
    return kOk;
}

const Registrar defCommand({"def",
                            "  def show DEF                      the definition as read: totals, "
                            "then one line per field\n",
                            runDef, Writes::No, {{"show"}}});
const Registrar checkCommand({"check",
                              "  check DEF FIELD MODE VALUE        normalise and check a value "
                              "by a field of DEF\n",
                              runCheck});

} // namespace

} // namespace sarw::cli
