// Commands "sort", "sum", "reduce" and "dat": sorting, group sums and field selection of tables,
// and the sort and summation of fixed-length record files.
#include "Commands.h"

#include "platform/Platform.h"
#include "tables/library/TCdsProc.h"
#include "tables/records/UDatProc.h"

#include <algorithm>
#include <string>

namespace sarw::cli {

namespace {

struct Options {
    std::vector<std::string> files;
    std::vector<int> keys;
    int method = 2;
    int block = 2000;
    bool excludeBlank = false;
    bool viaRecordFiles = false;
    std::string workDef;
};

bool readNumber(const std::string& text, int low, int high, int& n) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    n = std::stoi(text);
    return n >= low && n <= high;
}

bool readList(const std::string& text, std::vector<int>& list) {
    list.clear();
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        int n = 0;
        if (!readNumber(text.substr(from, comma - from), 1, 999, n)) return false;
        list.push_back(n);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return list.size() <= 200;
}

// Parses FILE... and the options `allowed` names; an empty text when all is well.
std::string parse(const std::vector<std::string>& args, const std::string& listOption,
                  const std::vector<std::string>& allowed, Options& o) {
    auto takes = [&](const std::string& a) {
        return std::find(allowed.begin(), allowed.end(), a) != allowed.end();
    };
    bool listGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == listOption && hasValue) {
            if (!readList(args[++i], o.keys)) return "bad field list " + args[i];
            listGiven = true;
        } else if (a == "--method" && takes(a) && hasValue) {
            if (!readNumber(args[++i], 0, 255, o.method)) return "bad method " + args[i];
        } else if (a == "--block" && takes(a) && hasValue) {
            if (!readNumber(args[++i], 1, 999999999, o.block)) return "bad block size " + args[i];
        } else if (a == "--workdef" && takes(a) && hasValue) {
            o.workDef = arg1250(args[++i]);
        } else if (a == "--exclude-blank" && takes(a)) {
            o.excludeBlank = true;
        } else if (a == "--via-record-files" && takes(a)) {
            o.viaRecordFiles = true;
        } else if (a.rfind("--", 0) == 0) {
            return "unknown or incomplete option " + a;
        } else {
            o.files.push_back(arg1250(a));
        }
    }
    return listGiven ? std::string() : listOption + " is required";
}

// OUT with its extension replaced by ".Def".
std::string defBeside(const std::string& out) {
    const std::size_t sep = out.find_last_of("\\/");
    const std::size_t dot = out.rfind('.');
    const bool hasExt = dot != std::string::npos && (sep == std::string::npos || dot > sep);
    return (hasExt ? out.substr(0, dot) : out) + ".Def";
}

// Sets the table library's parameters for IN OUT DEF; an empty text when all is well.
std::string setTableParams(Session& s, const Options& o) {
    if (o.files.size() != 3) return "expected IN OUT DEF";
    CdsParams& c = s.cds;
    c.InFile = o.files[0];
    c.OutFile = o.files[1];
    c.InDef = o.files[2];
    c.WorkDef = o.workDef.empty() ? defBeside(c.OutFile) : o.workDef;
    if (fileNameUpper(c.WorkDef) == fileNameUpper(c.OutFile))
        return "the work definition would replace the output; give --workdef";
    c.KeyCount = static_cast<int>(o.keys.size());
    std::copy(o.keys.begin(), o.keys.end(), c.KeyFields.begin());
    c.BlockSize = o.block;
    c.BlockMethod = o.method;
    return {};
}

void done(const Session& s) {
    out(s.cds.OutFile + "\t" + s.cds.WorkDef + "\n");
}

int runSort(Context& ctx) {
    Options o;
    std::string err =
        parse(ctx.args, "--keys", {"--method", "--block", "--exclude-blank", "--workdef"}, o);
    if (err.empty()) err = setTableParams(ctx.session, o);
    if (!err.empty()) return usageError("sort: " + err);
    if (!ctx.session.cdsProc().SortF(o.excludeBlank)) return kFailure;
    done(ctx.session);
    return kOk;
}

int runSum(Context& ctx) {
    Options o;
    std::string err =
        parse(ctx.args, "--keys", {"--method", "--block", "--workdef", "--via-record-files"}, o);
    if (err.empty()) err = setTableParams(ctx.session, o);
    if (!err.empty()) return usageError("sum: " + err);
    TCdsProc& proc = ctx.session.cdsProc();
    if (!(o.viaRecordFiles ? proc.SumFRecordFiles() : proc.SumF())) return kFailure;
    done(ctx.session);
    return kOk;
}

int runReduce(Context& ctx) {
    Options o;
    std::string err = parse(ctx.args, "--fields", {"--workdef"}, o);
    if (err.empty()) err = setTableParams(ctx.session, o);
    if (!err.empty()) return usageError("reduce: " + err);
    if (!ctx.session.cdsProc().RedF()) return kFailure;
    done(ctx.session);
    return kOk;
}

int runDat(Context& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || (a[0] != "sort" && a[0] != "sum"))
        return usageError("usage: dat sort|sum IN INDEF OUT OUTDEF --keys LIST");
    Options o;
    std::string err = parse(std::vector<std::string>(a.begin() + 1, a.end()), "--keys",
                            {"--method", "--block"}, o);
    if (err.empty() && o.files.size() != 4) err = "expected IN INDEF OUT OUTDEF";
    if (!err.empty()) return usageError("dat " + a[0] + ": " + err);
    DatParams& d = ctx.session.dat;
    d.DatIn = o.files[0];
    d.DatInDef = o.files[1];
    d.DatOut = o.files[2];
    d.DatOutDef = o.files[3];
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
