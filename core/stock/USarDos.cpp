#include "stock/USarDos.h"

#include "period/Period.h"
#include "platform/FileMask.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"
#include "period/PeriodFiles.h"

#include <cctype>
#include <cmath>
#include <set>

namespace sarw {

namespace {

constexpr int kKamenicky = 3;
using Row = std::vector<std::string>;

bool allDigits(std::string_view text) {
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string defFile(Session& s, const char* name) {
    return workDir(s, "DefSoub") + "\\" + name;
}

// Frames a command with the progress strip, also when a halt leaves it early.
class ProgressStrip {
public:
    explicit ProgressStrip(Session& s) : s_(s) { s_.dialogs().progressShow(); }
    ~ProgressStrip() { s_.dialogs().progressClose(); }
    ProgressStrip(const ProgressStrip&) = delete;
    ProgressStrip& operator=(const ProgressStrip&) = delete;
    void set(std::size_t done, std::size_t total) {
        s_.dialogs().progress(total ? static_cast<int>(done * 100 / total) : 100);
    }

private:
    Session& s_;
};

// Sorts the converted DOS file by its first n fields into `out`, as the codebook sort does
// (records whose keys are all blank left out); the input is gone afterwards.
bool sortCds1(Session& s, const std::string& in, int n, const std::string& out) {
    deleteFile(s, out);
    if (!fileExistsWarn(s, in)) return false;
    CdsParams& c = s.cds;
    c.InFile = in;
    c.OutFile = out;
    c.KeyCount = n;
    for (int i = 0; i < n; ++i) c.KeyFields[static_cast<std::size_t>(i)] = i + 1;
    c.BlockSize = 2000;
    c.BlockMethod = 1;
    const bool sorted = s.cdsProc().SortFND(true);
    deleteFile(s, in);
    return sorted;
}

// A DOS record file through its definition into SarWork1.Cds, then sorted into SarWork2.Cds.
bool readDosFile(Session& s, const std::string& source, const char* def, int keys) {
    deleteFile(s, kSarWork1);
    s.cds.DefFile = defFile(s, def);
    s.cds.TableFile = kSarWork1;
    s.cds.SourceFile = source;
    if (!s.cdsProc().KonvTbuCds(kKamenicky)) return false;
    deleteFile(s, kSarWork2);
    return sortCds1(s, kSarWork1, keys, kSarWork2);
}

// The records of SarWork2.Cds, each with at least `fields` texts (a short DOS definition leaves
// the missing ones empty).
bool sortedDosRows(Session& s, int fields, std::vector<Row>& rows) {
    CdsTable t;
    t.fileName = kSarWork2;
    t.readOnly = true;
    if (!t.open(s)) return false;
    const Table& d = t.data;
    rows.clear();
    rows.reserve(d.recordCount());
    for (std::size_t r = 0; r < d.recordCount(); ++r) {
        Row row(static_cast<std::size_t>(std::max(fields, d.fieldCount())));
        for (int f = 0; f < d.fieldCount(); ++f) row[static_cast<std::size_t>(f)] = d.text(r, f);
        rows.push_back(std::move(row));
    }
    t.discard();
    return true;
}

// A result table built in memory from its definition and put in place through a safe copy, so
// an interrupted import never leaves a half-written table of a period.
class TargetTable {
public:
    TargetTable(Session& s, const char* def) : s_(s) {
        s_.cds.DefFile = defFile(s_, def);
        s_.cdsProc().MakeTableVirt(t_);
    }
    void append(Row row) {
        const auto& fields = t_.data.fields;
        row.resize(fields.size());
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (fields[f].kind == FieldKind::String && row[f].size() > std::size_t(fields[f].size))
                row[f].resize(static_cast<std::size_t>(fields[f].size));
        t_.data.appendTexts(row);
    }
    bool store(const std::string& target) {
        deleteFile(s_, kSarWork1);
        const bool stored = t_.saveToFile(s_, kSarWork1) && SafeCopy(s_, kSarWork1, target, 1);
        deleteFile(s_, kSarWork1);
        t_.discard();
        return stored;
    }

private:
    Session& s_;
    CdsTable t_;
};

// --- Records ---------------------------------------------------------------------------------

Row stateRecord(const Row& d, const std::string& yymm) {
    Row r = {yymm.substr(0, 2), yymm.substr(2, 2)};
    r.insert(r.end(), d.begin(), d.begin() + 9);
    r[7] = r[5].substr(0, 3);
    r.push_back(numberToText(16, 3, textToNumber(d[9])));
    r.push_back(numberToText(15, 2, textToNumber(d[10])));
    if (dosYearInKoruny(yymm.substr(0, 2))) {
        r[9] = korunyToEuro(r[9], 3);
        r[12] = korunyToEuro(r[12], 2);
    }
    return r;
}

bool materialNumberUsable(std::string_view material) {
    if (isBlank(material)) return false;
    for (char c : material)
        if (c != ' ' && !std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

Row turnoverRecord(const Row& d, const std::string& yymm) {
    const long long item = std::llround(textToNumber(d[10]));
    Row r = {yymm.substr(0, 2),
             yymm.substr(2, 2),
             d[1],
             d[2],
             d[3],
             d[9],
             d[0],
             d[4],
             d[5],
             d[6],
             d[7],
             dosDate(d[8]),
             "",
             zeroPadInt(item, 4),
             d[11],
             d[12],
             d[13],
             d[14],
             d[16],
             d[15],
             d[17],
             d[18],
             d[19],
             numberToText(16, 3, textToNumber(d[20])),
             numberToText(15, 2, textToNumber(d[21])),
             d[22]};
    if (dosYearInKoruny(yymm.substr(0, 2))) {
        r[21] = korunyToEuro(r[21], 3);
        r[24] = korunyToEuro(r[24], 2);
    }
    return r;
}

Row materialRecord(const Row& d) {
    return {d[0], d[1], d[0].substr(0, 3), d[2], d[3]};
}

// --- The period files ------------------------------------------------------------------------

// One kind of period file of the DOS directory: SarS + YYMM for states, Sar + YYMM for
// turnovers, with the months its periods can have.
struct PeriodFiles {
    const char* prefix;
    const char* def;
    int keys;
    int firstMonth, lastMonth;
    int dosFields;
    const char* title;
};

constexpr PeriodFiles kStateFiles{"SarS", "DosSarS.Def", 6, 0, 11, 11, "Prevod pocatecnich stavu"};
constexpr PeriodFiles kTurnoverFiles{"Sar", "DosSarO.Def", 12, 1, 12, 23, "Prevod obratu"};

// The DOS data directory from SarInic.TXT; empty (after a warning) when it is not usable.
std::string dosDirectory(Session& s, const char* title) {
    if (!readInic(s)) return {};
    const std::string dir = s.startup.dosDataDir;
    if (dir.empty()) {
        warning(s, "V souboru SarInic.TXT neni uveden adresar dat DOS verze (4. radek) !", title);
        return {};
    }
    return dirExistsWarn(s, dir) ? dir : std::string();
}

// The YYMM of every period file the directory holds, in the order of the years and months.
std::vector<std::string> periodsPresent(Session& s, const std::string& dir, const PeriodFiles& k) {
    const std::string prefix = upperCase(k.prefix);
    std::set<std::string> found;
    for (const MaskedFile& f :
         filesMatching(s.platform().native(dir), std::string(k.prefix) + "????.Dat")) {
        const std::string name = upperCase(f.name);
        if (name.size() != prefix.size() + 8 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string yymm = name.substr(prefix.size(), 4);
        if (!allDigits(yymm)) continue;
        const int month = std::stoi(yymm.substr(2));
        if (month >= k.firstMonth && month <= k.lastMonth) found.insert(yymm);
    }
    return {found.begin(), found.end()};
}

struct PeriodOutcome {
    std::string written; // the table written, empty when the period was not converted
    long skipped = 0;    // turnovers left out for their material number
};

// The table a period's DOS file becomes: the state file named after YYMM is the opening state
// of the period after it.
std::string periodTarget(Session& s, const std::string& yymm, const PeriodFiles& k) {
    return &k == &kStateFiles ? stateFileName(s, NextPeriod(yymm)) : turnoverFileName(s, yymm);
}

PeriodOutcome convertPeriod(Session& s, const std::string& dir, const std::string& yymm,
                            const PeriodFiles& k) {
    PeriodOutcome out;
    const bool states = &k == &kStateFiles;
    std::vector<Row> rows;
    if (!readDosFile(s, dir + "\\" + k.prefix + yymm + ".Dat", k.def, k.keys) ||
        !sortedDosRows(s, k.dosFields, rows))
        return out;
    TargetTable target(s, states ? "SarS.Def" : "SarO.Def");
    long skipped = 0;
    for (const Row& d : rows) {
        if (states && isBlank(d[9]) && isBlank(d[10])) continue;
        if (!states && !materialNumberUsable(d[11])) {
            ++skipped;
            continue;
        }
        target.append(states ? stateRecord(d, yymm) : turnoverRecord(d, yymm));
    }
    const std::string name = periodTarget(s, yymm, k);
    if (target.store(name)) out = {name, skipped};
    return out;
}

void reportPeriods(Session& s, const PeriodFiles& k, const std::string& dir,
                   const std::vector<std::string>& periods, std::size_t converted, long skipped) {
    if (periods.empty()) {
        warning(s,
                "V adresari:  \"" + dir + "\"\r\rnebyl nalezen zadny soubor " + k.prefix +
                    "RRMM.Dat !",
                k.title);
        return;
    }
    std::string text = "Prevedeno souboru: " + std::to_string(converted) + " z " +
                       std::to_string(periods.size()) + "\r\rObdobi:  " + periods.front() + " - " +
                       periods.back();
    if (skipped > 0)
        text += "\r\rVynechano vet bez platneho cisla materialu: " + std::to_string(skipped);
    information(s, text, k.title);
}

DosImportResult convertPeriods(Session& s, const PeriodFiles& k) {
    DosImportResult result;
    std::string dir;
    std::vector<std::string> periods;
    long skipped = 0;
    {
        ProgressStrip strip(s);
        dir = dosDirectory(s, k.title);
        if (!dir.empty()) periods = periodsPresent(s, dir, k);
        for (std::size_t i = 0; i < periods.size(); ++i) {
            strip.set(i, periods.size());
            const PeriodOutcome o = convertPeriod(s, dir, periods[i], k);
            if (o.written.empty()) continue;
            skipped += o.skipped;
            result.written.push_back(o.written);
        }
    }
    if (!dir.empty()) reportPeriods(s, k, dir, periods, result.written.size(), skipped);
    result.complete = !periods.empty() && result.written.size() == periods.size();
    ReadPeriod(s);
    return result;
}

// --- Codebooks -------------------------------------------------------------------------------

// The year's own file of the DOS codebook when there is one, else the plain one; empty (after
// the not-found warning) when neither exists.
std::string codebookSource(Session& s, const std::string& dir, const char* plain) {
    const std::string pomSoub = dir + "\\PomSoub\\";
    const std::string ofYear = pomSoub + s.period.PeriodYear + plain;
    if (fileExists(s, ofYear)) return ofYear;
    const std::string name = pomSoub + plain;
    return fileExistsWarn(s, name) ? name : std::string();
}

void deleteWorkFiles(Session& s) {
    deleteFile(s, kSarWork1);
    deleteFile(s, kSarWork2);
}

// The codebook a step replaces: movement types, the current year's material groups (by its name
// alone: nothing is copied forward from the year before), or materials.
std::string codebookTarget(Session& s, int step) {
    ReadPeriod(s);
    return step == 0   ? codebookName(s, "DP")
           : step == 1 ? workDir(s, "Cisel") + "\\" + s.period.PeriodYear + "MatSk.Cds"
                       : codebookName(s, "Mater");
}

// Movement types and material groups: the sorted DOS table replaces the codebook as it is. The
// name of the table written; empty when the step stopped.
std::string copyCodebook(Session& s, const std::string& dir, const char* plain, const char* def,
                         int step) {
    deleteWorkFiles(s);
    const std::string target = codebookTarget(s, step);
    const std::string source = codebookSource(s, dir, plain);
    if (source.empty() || !readDosFile(s, source, def, 1) || !SafeCopy(s, kSarWork2, target, 1))
        return {};
    return target;
}

std::string convertMaterials(Session& s, const std::string& dir) {
    deleteWorkFiles(s);
    const std::string target = codebookTarget(s, 2);
    const std::string source = codebookSource(s, dir, "Mater.Dat");
    std::vector<Row> rows;
    if (source.empty() || !readDosFile(s, source, "DosMater.Def", 1) || !sortedDosRows(s, 4, rows))
        return {};
    TargetTable materials(s, "Mater.Def");
    for (const Row& d : rows) materials.append(materialRecord(d));
    return materials.store(target) ? target : std::string();
}

// The DOS directory when SarInic.TXT names one that exists; empty, without a word, otherwise.
std::string dosDirectoryQuietly(Session& s) {
    if (!fileExists(s, inicFileName(s)) || !readInic(s)) return {};
    const std::string dir = s.startup.dosDataDir;
    return !dir.empty() && dirExists(s, dir) ? dir : std::string();
}

const char* titleOf(DosImport what) {
    return what == DosImport::States      ? kStateFiles.title
           : what == DosImport::Turnovers ? kTurnoverFiles.title
                                          : "Prevod ciselniku";
}

} // namespace

std::vector<std::string> dosImportReplaces(Session& s, DosImport what) {
    std::vector<std::string> existing;
    const std::string dir = dosDirectoryQuietly(s);
    if (dir.empty()) return existing;
    std::vector<std::string> targets;
    if (what == DosImport::Codebooks) {
        for (int step = 0; step < 3; ++step) targets.push_back(codebookTarget(s, step));
    } else {
        const PeriodFiles& k = what == DosImport::States ? kStateFiles : kTurnoverFiles;
        for (const std::string& yymm : periodsPresent(s, dir, k))
            targets.push_back(periodTarget(s, yymm, k));
    }
    for (const std::string& t : targets)
        if (fileExists(s, t)) existing.push_back(t);
    return existing;
}

bool dosImportConfirmed(Session& s, DosImport what) {
    const std::vector<std::string> existing = dosImportReplaces(s, what);
    if (existing.empty()) return true;
    constexpr std::size_t kListed = 12;
    std::string text = "Prevod prepise tyto soubory:\r";
    for (std::size_t i = 0; i < existing.size() && i < kListed; ++i) text += "\r" + existing[i];
    if (existing.size() > kListed)
        text += "\r... a dalsi (celkem " + std::to_string(existing.size()) + ")";
    text += "\r\rSkutecne chcete soubory prepsat ?";
    return question(s, text, titleOf(what));
}

bool dosYearInKoruny(std::string_view year) {
    return year.size() == 2 && allDigits(year) && (year < "09" || year > "50");
}

std::string dosDate(std::string_view yymmdd) {
    const std::string t = trimBoth(yymmdd);
    if (t.size() != 6 || !allDigits(t)) return t;
    const std::string century = t.substr(0, 2) > "50" ? "19" : "20";
    return t.substr(4, 2) + "." + t.substr(2, 2) + "." + century + t.substr(0, 2);
}

std::string korunyToEuro(std::string_view amount, int decimals) {
    if (isBlank(amount)) return std::string(amount);
    return numberToText(static_cast<int>(amount.size()), decimals,
                        textToNumber(amount) / kSkkPerEuro);
}

DosImportResult KonvStavy(Session& s) {
    return convertPeriods(s, kStateFiles);
}

DosImportResult KonvObraty(Session& s) {
    return convertPeriods(s, kTurnoverFiles);
}

DosImportResult KonvCis(Session& s) {
    const char* title = "Prevod ciselniku";
    DosImportResult result;
    {
        ProgressStrip strip(s);
        const std::string dir = dosDirectory(s, title);
        if (dir.empty()) return result;
        // Each step runs only when the one before found its file.
        for (int step = 0; step < 3; ++step) {
            strip.set(static_cast<std::size_t>(step), 3);
            std::string written = step == 0   ? copyCodebook(s, dir, "DP.Dat", "DosDP.Def", 0)
                                  : step == 1 ? copyCodebook(s, dir, "Ms.Dat", "DosMS.Def", 1)
                                              : convertMaterials(s, dir);
            if (written.empty()) return result;
            result.written.push_back(std::move(written));
        }
    }
    result.complete = true;
    std::string text = "Prevedene ciselniky:\r";
    for (const std::string& name : result.written) text += "\r" + name;
    information(s, text, title);
    return result;
}

} // namespace sarw
