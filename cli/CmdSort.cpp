// Commands "sort", "sum", "reduce" and "dat": sorting, group sums and field selection of tables,
// and the sort and summation of fixed-length record files.
#include "Args.h"
#include "Commands.h"

#include "platform/Platform.h"
#include "tables/library/TCdsProc.h"
#include "tables/records/UDatProc.h"

#include <algorithm>
#include <string>

namespace sarw::cli {

namespace {

std::string defBeside(const std::string& out);

struct Options {
    std::string in, out, def;
    std::vector<int> keys;
    int method = 2;
    int block = 2000;
    bool excludeBlank = false;
    bool viaRecordFiles = false;
    std::string workDef;
};

// IN OUT DEF, the field list and the options of the command.
enum Extra { kMethodBlock = 1, kWorkDef = 2, kExcludeBlank = 4, kViaRecordFiles = 8 };

int parse(const std::string& command, const std::vector<std::string>& words,
          const std::string& listOption, int extras, Options& o) {
    Args args(command);
    args.word("IN", o.in).word("OUT", o.out).word("DEF", o.def);
    args.numberList(listOption, o.keys, 999, true);
    if (extras & kMethodBlock)
        args.option("--method", o.method, 0, 255).option("--block", o.block, 1, 999999999);
    if (extras & kWorkDef) args.option("--workdef", o.workDef);
    if (extras & kExcludeBlank) args.flag("--exclude-blank", o.excludeBlank);
    if (extras & kViaRecordFiles) args.flag("--via-record-files", o.viaRecordFiles);
    if (int rc = args.parse(words)) return rc;
    if (o.keys.size() > 200) return args.refuse(listOption + ": nejvyse 200 poli");
    const std::string workDef = o.workDef.empty() ? defBeside(o.out) : o.workDef;
    if (!o.out.empty() && fileNameUpper(workDef) == fileNameUpper(o.out))
        return args.refuse("pracovni definice by prepsala vystupni soubor; zadejte --workdef");
    return 0;
}

// OUT with its extension replaced by ".Def".
std::string defBeside(const std::string& out) {
    const std::size_t sep = out.find_last_of("\\/");
    const std::size_t dot = out.rfind('.');
    const bool hasExt = dot != std::string::npos && (sep == std::string::npos || dot > sep);
    return (hasExt ? out.substr(0, dot) : out) + ".Def";
}

// Sets the table library's parameters for IN OUT DEF.
void setTableParams(Session& s, const Options& o) {
    CdsParams& c = s.cds;
    c.InFile = o.in;
    c.OutFile = o.out;
    c.InDef = o.def;
    c.WorkDef = o.workDef.empty() ? defBeside(c.OutFile) : o.workDef;
    c.KeyCount = static_cast<int>(o.keys.size());
    std::copy(o.keys.begin(), o.keys.end(), c.KeyFields.begin());
    c.BlockSize = o.block;
    c.BlockMethod = o.method;
}

void done(const Session& s) {
    out(s.cds.OutFile + "\t" + s.cds.WorkDef + "\n");
}

int runSort(Context& ctx) {
    Options o;
    if (int rc = parse("sort", ctx.args, "--keys", kMethodBlock | kWorkDef | kExcludeBlank, o))
        return rc;
    setTableParams(ctx.session, o);
    if (!ctx.session.cdsProc().SortF(o.excludeBlank)) return kFailure;
    done(ctx.session);
    return kOk;
}

int runSum(Context& ctx) {
    Options o;
    if (int rc = parse("sum", ctx.args, "--keys", kMethodBlock | kWorkDef | kViaRecordFiles, o))
        return rc;
    setTableParams(ctx.session, o);
    TCdsProc& proc = ctx.session.cdsProc();
    if (!(o.viaRecordFiles ? proc.SumFRecordFiles() : proc.SumF())) return kFailure;
    done(ctx.session);
    return kOk;
}

int runReduce(Context& ctx) {
    Options o;
    if (int rc = parse("reduce", ctx.args, "--fields", kWorkDef, o)) return rc;
    setTableParams(ctx.session, o);
    if (!ctx.session.cdsProc().RedF()) return kFailure;
    done(ctx.session);
    return kOk;
}

int runDat(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || (a[0] != "sort" && a[0] != "sum"))
        return usageError("dat: ocekavano sort nebo sum");
    Options o;
    std::string outDef;
    Args args("dat " + a[0]);
    args.word("IN", o.in).word("INDEF", o.def).word("OUT", o.out).word("OUTDEF", outDef);
    args.numberList("--keys", o.keys, 999, true);

    args.option("--method", o.method, 0, 255).option("--block", o.block, 1, 999999999);
    if (int rc = args.parse(std::vector<std::string>(a.begin() + 1, a.end()))) return rc;
    DatParams& d = ctx.session.dat;
    d.DatIn = o.in;
    d.DatInDef = o.def;
    d.DatOut = o.out;
    d.DatOutDef = outDef;
    d.DatKeyCount = static_cast<int>(o.keys.size());
    std::copy(o.keys.begin(), o.keys.end(), d.DatKeyFields.begin());
    d.DatBlockSize = o.block;
    d.DatBlockMethod = o.method;
    if (!(a[0] == "sort" ? DatSort(ctx.session) : DatSum(ctx.session))) return kFailure;
    out(d.DatOut + "\t" + d.DatOutDef + "\n");
    return kOk;
}

const Registrar sortCommand(
    {"sort",
     "  sort IN OUT DEF --keys 3,1,... [--method 1|2] [--block N] [--exclude-blank]\n"
     "       [--workdef FILE]             table sorted by the fields, key fields first\n",
     runSort, Writes::Yes});
const Registrar
    sumCommand({"sum",
                "  sum IN OUT DEF --keys 3,1,... [--method 1|2] [--block N] [--workdef FILE]\n"
                "       [--via-record-files]         sums of the numeric fields per key\n",
                runSum, Writes::Yes});
const Registrar
    reduceCommand({"reduce",
                   "  reduce IN OUT DEF --fields 3,1,... [--workdef FILE]\n"
                   "                                    the table with only those fields\n",
                   runReduce, Writes::Yes});
const Registrar
    datCommand({"dat",
                "  dat sort|sum IN INDEF OUT OUTDEF --keys 3,1,... [--method 1|2] [--block N]\n"
                "                                    a record file sorted, or summed per key\n",
                runDat, Writes::No, {{"sort", Writes::Yes}, {"sum", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
