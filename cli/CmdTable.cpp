#include "Args.h"
#include "Commands.h"

#include "export/TCdsExcel.h"
#include "output/NumRowFont.h"
#include "platform/Cp1250.h"
#include "screens/ScrClip.h"
#include "screens/ScrSearch.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/formats/TableFile.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"
#include "tables/library/TextTableBuilder.h"

#include <cstdio>
#include <fstream>

namespace sarw::cli {

namespace {

const char* kindName(FieldKind k) {
    switch (k) {
    case FieldKind::String: return "string";
    case FieldKind::Memo: return "memo";
    case FieldKind::Blob: return "blob";
    case FieldKind::WideString: return "widestring";
    case FieldKind::Int: return "integer";
    case FieldKind::UInt: return "unsigned";
    case FieldKind::Bool: return "boolean";
    case FieldKind::Float: return "float";
    case FieldKind::Single: return "single";
    case FieldKind::Bcd: return "bcd";
    case FieldKind::FmtBcd: return "fmtbcd";
    case FieldKind::Date: return "date";
    case FieldKind::Time: return "time";
    case FieldKind::DateTime: return "datetime";
    case FieldKind::SqlDateTime: return "sqldatetime";
    case FieldKind::SqlDateTimeOffset: return "sqldatetimeoffset";
    case FieldKind::Adt: return "adt";
    case FieldKind::Other: return "other";
    }
    return "other";
}

// Backslash, TAB, CR and LF inside a value are written as \\, \t, \r, \n.
std::string escape(std::string_view v) {
    std::string s;
    s.reserve(v.size());
    for (char c : v) {
        switch (c) {
        case '\\': s += "\\\\"; break;
        case '\t': s += "\\t"; break;
        case '\r': s += "\\r"; break;
        case '\n': s += "\\n"; break;
        default: s += c;
        }
    }
    return s;
}

std::string unescape(std::string_view v) {
    std::string s;
    s.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            s += v[i];
            continue;
        }
        char n = v[++i];
        s += n == 't' ? '\t' : n == 'r' ? '\r' : n == 'n' ? '\n' : n;
    }
    return s;
}

bool loadTable(Session& s, const std::string& name, CdsTable& t) {
    t.fileName = name;
    t.readOnly = true;
    return t.open(s);
}

int cat(Context& c) {
    bool raw = false;
    std::string file;
    if (int rc = Args("table cat").word("FILE", file).flag("--raw", raw).parse(c.args)) return rc;
    CdsTable t;
    if (!loadTable(c.session, file, t)) return kFailure;
    auto emit = [&](const std::string& text) {
        std::string e = escape(text);
        if (!raw) e = cp1250ToUtf8(e);
        std::fwrite(e.data(), 1, e.size(), stdout);
    };
    const Table& d = t.data;
    for (int f = 0; f < d.fieldCount(); ++f) {
        if (f) std::fputc('\t', stdout);
        emit(d.fields[static_cast<size_t>(f)].name);
    }
    std::fputc('\n', stdout);
    for (size_t r = 0; r < d.recordCount(); ++r) {
        for (int f = 0; f < d.fieldCount(); ++f) {
            if (f) std::fputc('\t', stdout);
            emit(d.text(r, f));
        }
        std::fputc('\n', stdout);
    }
    return kOk;
}

// Index fields of a loaded file: the default order it declares, as field names.
std::string declaredIndex(const Table& t) {
    for (const auto& idx : t.indexDefs)
        if (idx.primary) return idx.fields;
    for (const auto& p : t.packetProps) {
        if (p.name != "DEFAULT_ORDER" || p.value.size() < 4) continue;
        std::string names;
        const auto* b = reinterpret_cast<const unsigned char*>(p.value.data());
        size_t count = b[0] | b[1] << 8 | b[2] << 16 | static_cast<size_t>(b[3]) << 24;
        for (size_t i = 0; i < count && 4 + 2 * i + 1 < p.value.size(); ++i) {
            int field = (b[4 + 2 * i] | b[5 + 2 * i] << 8) & 0x3FFF;
            if (field < 1 || field > t.fieldCount()) continue;
            if (!names.empty()) names += ';';
            names += t.fields[static_cast<size_t>(field - 1)].name;
        }
        return names;
    }
    return {};
}

int info(Context& c) {
    std::string file;
    if (int rc = Args("table info").word("FILE", file).parse(c.args)) return rc;
    CdsTable t;
    if (!loadTable(c.session, file, t)) return kFailure;
    const Table& d = t.data;
    std::printf("format: %s\n", t.loadedFormat() == TableFormat::Binary ? "binary" : "xml");
    std::printf("records: %zu\n", d.recordCount());
    for (int f = 0; f < d.fieldCount(); ++f) {
        const auto& fi = d.fields[static_cast<size_t>(f)];
        std::printf("%d\t%s\t%s\t%d\n", f + 1, cp1250ToUtf8(fi.name).c_str(), kindName(fi.kind),
                    fi.size);
    }
    std::printf("index: %s\n", cp1250ToUtf8(declaredIndex(d)).c_str());
    return kOk;
}

int fromTsv(Context& c) {
    std::string def, tsv, outFile;
    Args args("table from-tsv");
    if (int rc = args.word("DEF", def).word("TSV", tsv).word("OUT", outFile).parse(c.args))
        return rc;
    Session& s = c.session;
    std::ifstream in(s.platform().native(tsv), std::ios::binary);
    if (!in) {
        s.dialogs().warning("Soubor:\r\r" + tsv + "\r\r     - nebyl nalezen !", "");
        return kFailure;
    }
    TextTableBuilder table(s, tsv);
    if (!table.start(def)) return kFailure;
    std::string line;
    size_t lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> values;
        size_t start = 0;
        for (;;) {
            size_t tab = line.find('\t', start);
            values.push_back(unescape(utf8ToCp1250(line.substr(start, tab - start))));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (!table.add(values, lineNo)) return kFailure;
    }
    return table.write(outFile) ? kOk : kFailure;
}

int convert(Context& c) {
    std::string in, outFile;
    if (int rc = Args("table convert").word("IN", in).word("OUT", outFile).parse(c.args)) return rc;
    CdsTable t;
    if (!loadTable(c.session, in, t)) return kFailure;
    return t.saveToFile(c.session, outFile) ? kOk : kFailure;
}

// The table screen's "Schranka" text.
int clip(Context& c) {
    std::string file;
    if (int rc = Args("table clip").word("FILE", file).parse(c.args)) return rc;
    CdsTable t;
    if (!loadTable(c.session, file, t)) return kFailure;
    scrClipText(SesRecords(t.data), [](std::string_view line) { out(std::string(line)); });
    return kOk;
}

// The table screen's searches: the number of the record found (1-based) after record --from.
int search(Context& c) {
    std::string file, key, string;
    int column = 1, from = 0;
    Args args("table search");
    args.word("FILE", file).option("--key", key).option("--string", string);
    args.option("--column", column, 1, 999).option("--from", from, 0, 999999999);
    if (int rc = args.parse(c.args)) return rc;
    if (args.given("--key") == args.given("--string"))
        return args.refuse("zadejte bud --key, nebo --string");
    const bool byKey = args.given("--key");
    const std::string& text = byKey ? key : string;
    CdsTable t;
    if (!loadTable(c.session, file, t)) return kFailure;
    const SesRecords records(t.data);
    const auto start = static_cast<std::size_t>(from);
    if (byKey) {
        const auto hit = findKey(records, text, column - 1, start);
        if (!hit) return c.session.dialogs().warning(keyNotFoundText(file, text), ""), kFailure;
        out(std::to_string(*hit + 1) + "\n");
        return kOk;
    }
    const auto hit = findString(records, text, start);
    if (!hit) return c.session.dialogs().warning(stringNotFoundText(text), ""), kFailure;
    out(std::to_string(hit->record + 1) + "\n");
    return kOk;
}

// The table screen's "  Excel" without opening the workbook.
int xlsx(Context& c) {
    std::string file, def, outFile;
    Args args("table xlsx");
    if (int rc = args.word("TABLE", file).word("DEF", def).word("OUT", outFile).parse(c.args))
        return rc;
    // The report font of the settings when there are any; no settings file is made for it.
    if (fileExists(c.session, kNumRowFontFile)) readNumRowFont(c.session);
    return TCdsExcel(c.session).ExDbXlsF(file, def, outFile) ? kOk : kFailure;
}

int table(Context& c) {
    if (c.args.empty()) return usageError("table: chybi prikaz");
    std::string sub = c.args[0];
    c.args.erase(c.args.begin());
    if (sub == "cat") return cat(c);
    if (sub == "info") return info(c);
    if (sub == "from-tsv") return fromTsv(c);
    if (sub == "convert") return convert(c);
    if (sub == "clip") return clip(c);
    if (sub == "search") return search(c);
    if (sub == "xlsx") return xlsx(c);
    return usageError("neznamy prikaz table " + sub);
}

const Registrar reg({"table",
                     "  table cat FILE [--raw]          records as TAB-separated UTF-8 text\n"
                     "  table info FILE                 format, record count, fields, index\n"
                     "  table from-tsv DEF TSV OUT      table made from DEF, records from TSV\n"
                     "  table convert IN OUT            saves IN in the format OUT's name selects\n"
                     "  table clip FILE                 the table screen's clipboard text\n"
                     "  table search FILE --key|--string TEXT [--column N] [--from RECORD]\n"
                     "                                  number of the record found after RECORD\n"
                     "  table xlsx TABLE DEF OUT        the table as a spreadsheet workbook\n",
                     table,
                     Writes::No,
                     {{"cat"},
                      {"info"},
                      {"from-tsv", Writes::Yes},
                      {"convert", Writes::Yes},
                      {"clip"},
                      {"search"},
                      {"xlsx", Writes::Yes}}});

} // namespace

} // namespace sarw::cli
