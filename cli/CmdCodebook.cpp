// Command "codebook": the codebooks of the menu "Ciselniky" without the window.
#include "Commands.h"

#include "codebooks/CodebookListing.h"
#include "codebooks/CodebookMenu.h"
#include "codebooks/CodebookSort.h"
#include "codebooks/UCdsCIS.h"
#include "output/NumRowFont.h"
#include "shell/WinLSys.h"
#include "start/DataDiskWrite.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

namespace sarw::cli {

namespace {

constexpr const char* kUsageText = "codebook NAME show|check VALUE...|find TEXT|sort|print|docs";

std::string rowText(const Table& t, size_t rec) {
    std::string line;
    for (int f = 0; f < t.fieldCount(); ++f) line += (f ? "\t" : "") + t.text(rec, f);
    return line + "\n";
}

bool printTable(Session& s, const std::string& file) {
    CdsTable table;
    table.fileName = file;
    table.readOnly = true;
    if (!table.open(s)) return false;
    std::string head;
    for (int f = 0; f < table.data.fieldCount(); ++f)
        head += (f ? "\t" : "") + table.data.fields[static_cast<size_t>(f)].name;
    out(head + "\n");
    for (size_t r = 0; r < table.data.recordCount(); ++r) out(rowText(table.data, r));
    return true;
}

// TestEx's answer: the row found, status 0; not found, status 1.
int check(Session& s, const std::vector<std::string>& values) {
    if (values.empty() || static_cast<int>(values.size()) > s.cis.CisKeyCount)
        return usageError("codebook check: ocekavano " + std::to_string(s.cis.CisKeyCount) +
                          " hodnot klice");
    s.cis.clearValues();
    for (size_t i = 0; i < values.size(); ++i) s.cis.CisValues[i] = arg1250(values[i]);
    TestEx(s);
    if (s.cis.CisChosen != 'A') return kFailure;
    int last = CisParams::kMaxColumns;
    while (last > 0 && s.cis.CisValues[static_cast<size_t>(last - 1)].empty()) --last;
    std::string line;
    for (int f = 0; f < last; ++f)
        line += (f ? "\t" : "") + s.cis.CisValues[static_cast<size_t>(f)];
    out(line + "\n");
    return kOk;
}

// The search while typing: the first row whose key is not below the text, with its number.
int find(Session& s, const std::string& text) {
    CdsTable table;
    table.fileName = s.cis.CisFileName;
    table.readOnly = true;
    if (!table.open(s)) return kFailure;
    if (table.data.empty() || locateTyped(s, table, text) == TCdsProc::kLocateAfterAll) {
        information(s, text + kValueNotFound, "Soubor:  " + s.cis.CisFileName);
        return kFailure;
    }
    out(std::to_string(table.recNo() + 1) + "\t" + rowText(table.data, table.recNo()));
    return kOk;
}

int sort(Session& s) {
    const DataDiskWrite writer(s);
    if (!writer.held()) return kFailure;
    return SortCisProc(s) ? kOk : kFailure;
}

int print(Session& s) {
    readNumRowFont(s);
    const std::string report = codebookListing(s, s.cis.CisFileName);
    if (report.empty()) return kFailure;
    out(report + "\n");
    return kOk;
}

int runCodebook(Context& ctx) {
    const auto& a = ctx.args;
    if (a.size() < 2) return usageError(kUsageText);
    const MenuCodebook* codebook = findMenuCodebook(a[0]);
    if (!codebook) return usageError("codebook: neznamy ciselnik " + a[0]);
    Session& s = ctx.session;
    s.cis.setFirstKeys(codebook->keys);
    s.cis.CisFileName = menuCodebookFile(s, *codebook);
    const std::string& cmd = a[1];
    const std::vector<std::string> rest(a.begin() + 2, a.end());
    if (cmd == "show" && rest.empty()) return printTable(s, s.cis.CisFileName) ? kOk : kFailure;
    if (cmd == "check") return check(s, rest);
    if (cmd == "find" && rest.size() == 1) return find(s, arg1250(rest[0]));
    if (cmd == "sort" && rest.empty()) return sort(s);
    if (cmd == "print" && rest.empty()) return print(s);
    if (cmd == "docs" && rest.empty())
        return SezDokl(s) && printTable(s, kSezDokl) ? kOk : kFailure;
    return usageError(kUsageText);
}

std::vector<SubCommand> codebookNames() {
    std::vector<SubCommand> names;
    for (const auto& c : menuCodebooks()) names.push_back({c.name});
    return names;
}

const Registrar
    reg({"codebook",
         "  codebook NAME show                the codebook's rows (NAME: materialy, mj, dp,\n"
         "                                    matsk, cinn, konta, ucto)\n"
         "  codebook NAME check VALUE...      the row of the key values; status 1 when none\n"
         "  codebook NAME find TEXT           the first row whose key is not below TEXT\n"
         "  codebook NAME sort                sorts the codebook by its key (writes)\n"
         "  codebook NAME print               the listing as a report file\n"
         "  codebook NAME docs                one row per distinct key (SezDokl.Cds)\n",
         runCodebook, Writes::No, codebookNames()});

} // namespace

} // namespace sarw::cli
