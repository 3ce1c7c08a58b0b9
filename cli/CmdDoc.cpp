// Command "doc": the documents of the current period's turnover file, as the document form
// saves, reads, lists, deletes and numbers them.
#include "Args.h"
#include "Commands.h"

#include "documents/DocumentCheck.h"
#include "documents/DocumentOpening.h"
#include "documents/DocumentPrint.h"
#include "documents/DocumentStore.h"
#include "documents/FollowOn.h"
#include "documents/PriceList.h"
#include "documents/TurnoverFile.h"
#include "period/Period.h"
#include "period/PeriodFiles.h"
#include "platform/Cp1250.h"
#include "platform/FileRead.h"
#include "shell/LSysDate.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "start/Startup.h"

#include <cstdio>

namespace sarw::cli {

namespace {

using Cells = std::vector<std::string>;

// A check's refusal: its message on stderr, nothing written.
int refused(const std::string& message) {
    const std::string text = cp1250ToUtf8(message) + "\n";
    std::fputs(text.c_str(), stderr);
    return kFailure;
}

// The lines of a UTF-8 TAB-separated file as cells in Windows-1250.
bool readTsv(Session& s, const std::string& name, std::vector<Cells>& lines) {
    std::string bytes;
    if (!readWholeFile(s.platform().native(name), bytes)) return false;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Cells cells;
        size_t from = 0;
        for (;;) {
            const size_t tab = line.find('\t', from);
            cells.push_back(utf8ToCp1250(line.substr(from, tab - from)));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        lines.push_back(std::move(cells));
    }
    return true;
}

const std::string& cell(const Cells& cells, int i) {
    static const std::string none;
    return static_cast<size_t>(i) < cells.size() ? cells[static_cast<size_t>(i)] : none;
}

// The header cells typed and checked column by column, as Enter does in the form; a blank number
// is the next one of the unit typed.
int typeHeader(Session& s, DocumentForm& form, const Cells& head) {
    Document& d = form.doc;
    for (int c = 1; c <= Document::kHeadCount; ++c) {
        if (!isBlank(cell(head, c - 1))) d.head(c) = cell(head, c - 1);
        if (c == 6 && isBlank(cell(head, 5))) d.head(6) = nextNumber(s, d);
        if (!headerCellCheck(s, form, c))
            return refused(std::string(kWrongValue) + ": " + d.head(c));
    }
    return kOk;
}

// The item rows typed cell by cell, each cell left as Enter leaves it.
int typeItems(Session& s, DocumentForm& form, const std::vector<Cells>& lines) {
    Document& d = form.doc;
    for (size_t i = 1; i < lines.size(); ++i) {
        const int r = static_cast<int>(i);
        for (int k = 2; k <= Document::kItemColumns; ++k) {
            const std::string& typed = cell(lines[i], k - 1);
            if (!isBlank(typed)) {
                d.item(r, k) = typed;
                form.ItemTyped = true;
            }
            if (!itemCellLeft(s, form, r, k)) return refused(form.infoLine);
        }
    }
    return kOk;
}

int save(Session& s, const std::vector<std::string>& args) {
    std::string file;
    bool followOn = false;
    if (int rc = Args("doc save").word("FILE", file).flag("--follow-on", followOn).parse(args))
        return rc;
    std::vector<Cells> lines;
    if (!readTsv(s, arg1250(file), lines) || lines.empty())
        return refused("Soubor dokladu nelze precist nebo je prazdny: " + arg1250(file));
    if (lines.size() > static_cast<size_t>(Document::kMaxItems) + 1)
        return refused("Doklad ma vice nez 1000 polozek");
    DocumentForm form;
    // One save replaces the turnover file whole (old or new after any failure): no backup.
    if (!openDocumentForm(s, form, false)) return kFailure;
    if (int rc = typeHeader(s, form, lines[0])) return rc;
    // An issue is priced from the stock that includes every document saved before it.
    if (form.doc.isIssue() && priceListStale(s) && !buildPriceList(s, form)) return kFailure;
    if (int rc = typeItems(s, form, lines)) return rc;
    form.DocModified = true;
    std::vector<std::string> saved;
    const SaveResult r =
        saveWithFollowOn(s, form, followOn ? FollowOnChoice::Make : FollowOnChoice::Skip, &saved);
    std::string text;
    for (const auto& id : saved) text += id + "\n";
    out(text);
    return r == SaveResult::Saved ? kOk : kFailure;
}

// A table file printed as "table cat" prints it.
int cat(Session& s, const std::string& file) {
    for (const Command& c : commands())
        if (std::string(c.name) == "table") {
            Context ctx{s, {"cat", file}};
            return c.run(ctx);
        }
    return kFailure;
}

int show(Session& s, const std::vector<std::string>& args) {
    std::string id;
    if (int rc = Args("doc show").word("ID", id).parse(args)) return rc;
    Document d;
    if (!setIdentification(d, id)) return usageError("doc show: ID ma 15 znaku");
    TurnoverFile t;
    if (!t.load(s, turnoverFileName(s))) return kFailure;
    std::string key[6];
    for (int c = 1; c <= 6; ++c) key[c - 1] = d.head(c);
    std::vector<std::uint32_t> rows;
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec)
        if (t.keyEquals(rec, key, 6)) rows.push_back(static_cast<std::uint32_t>(rec));
    if (rows.empty()) {
        information(s, kNotFound, "Doklad:  " + id);
        return kFailure;
    }
    Table none;
    none.fields = t.head().fields;
    if (!t.write(s, kSarWork, rows, none)) return kFailure;
    return cat(s, kSarWork);
}

int list(Session& s, const std::vector<std::string>& args) {
    if (int rc = Args("doc list").parse(args)) return rc;
    if (!buildDocumentList(s)) return kFailure;
    return cat(s, s.cis.CisFileName);
}

int remove(Session& s, const std::vector<std::string>& args) {
    std::string id;
    if (int rc = Args("doc delete").word("ID", id).parse(args)) return rc;
    DocumentForm form;
    if (!newDocument(s, form)) return kFailure;
    if (!setIdentification(form.doc, id)) return usageError("doc delete: ID ma 15 znaku");
    if (!readDocument(s, form)) return kFailure;
    return deleteDocument(s, form) ? kOk : kFailure;
}

int print(Session& s, const std::vector<std::string>& args) {
    std::string id;
    bool framed = false;
    if (int rc = Args("doc print").word("ID", id).flag("--frame", framed).parse(args)) return rc;
    DocumentForm form;
    if (!newDocument(s, form)) return kFailure;
    if (!setIdentification(form.doc, id)) return usageError("doc print: ID ma 15 znaku");
    if (!readDocument(s, form) || !form.DocFilled) return kFailure;
    const std::string report = framed ? printFramed(s, form.doc) : printPlainList(s, form.doc);
    if (report.empty()) return kFailure;
    out(report + "\n");
    return kOk;
}

int nextNumberOf(Session& s, const std::vector<std::string>& args) {
    std::string unit[3];
    Args a("doc next-number");
    a.word("ZAVOD", unit[0]).word("SPRAVA", unit[1]).word("STREDISKO", unit[2]);
    if (int rc = a.parse(args)) return rc;
    Document d;
    d.head(1) = s.period.PeriodYear;
    d.head(2) = s.period.PeriodMonth;
    for (int i = 0; i < 3; ++i) {
        if (unit[i].size() != 2 || unit[i].find_first_not_of("0123456789") != std::string::npos)
            return a.refuse("organizacni jednotka ma 2 cislice: " + unit[i]);
        d.head(3 + i) = unit[i];
    }
    out(nextNumber(s, d) + "\n");
    return kOk;
}

int runDoc(Context& ctx) {
    Session& s = ctx.session;
    if (s.dataDisk.empty()) return usageError("doc: chybi --data-disk");
    if (ctx.args.empty()) return usageError("doc: ocekavano save|next-number|show|list|delete|print");
    const std::string what = ctx.args[0];
    const std::vector<std::string> rest(ctx.args.begin() + 1, ctx.args.end());
    createTrees(s);
    if (!readInic(s) || !ReadPeriod(s)) return kFailure;
    if (what == "save") return save(s, rest);
    if (what == "next-number") return nextNumberOf(s, rest);
    if (what == "show") return show(s, rest);
    if (what == "list") return list(s, rest);
    if (what == "delete") return remove(s, rest);
    if (what == "print") return print(s, rest);
    return usageError("doc: neznamy prikaz " + what);
}

const Registrar
    doc({"doc",
         "  doc save FILE.tsv [--follow-on]  saves a document (UTF-8, TAB-separated: "
         "the header line, one line per item)\n"
         "  doc next-number ZAVOD SPRAVA STREDISKO  the next document number\n"
         "  doc show ID                 the stored records of a document\n"
         "  doc list                    the document list\n"
         "  doc delete ID               deletes a document\n"
         "  doc print ID [--frame]      the document as a report file (--frame: in its frame;\n"
         "                              --yes answers \"Zkrateny tisk ?\")\n",
         runDoc,
         Writes::No,
         {{"save", Writes::Yes}, {"next-number"}, {"show"}, {"list"}, {"delete", Writes::Yes}, {"print"}}});

} // namespace

} // namespace sarw::cli
