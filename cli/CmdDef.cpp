// Commands "def show" and "check": a definition file as the program reads it, and the
// normalisation and check of one value by a field of it.
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
    if (ctx.args.size() != 2 || ctx.args[0] != "show") return usageError("usage: def show DEF");
    Session& s = ctx.session;
    if (!ReadDef(s, arg1250(ctx.args[1]))) return kFailure;
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

// A whole number without anything else around it.
bool readFieldNumber(const std::string& text, int& n) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    n = std::stoi(text);
    return true;
}

int runCheck(Context& ctx) {
    const auto& a = ctx.args;
    int field = 0;
    if (a.size() != 4 || !readFieldNumber(a[1], field) || a[2].size() != 1)
        return usageError("usage: check DEF FIELD MODE VALUE");
    Session& s = ctx.session;
    if (!ReadDef(s, arg1250(a[0]))) return kFailure;
    std::string value = arg1250(a[3]);
    bool valid = CheckValue(s, value, field, a[2][0]);
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
