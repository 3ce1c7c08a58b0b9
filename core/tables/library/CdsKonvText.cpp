#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CheckValue.h"
#include "tables/model/FitValue.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

using namespace cdscopy;

namespace {

bool importFixedColumns(Session& s, TCdsProc& p, int konv, bool gauge) {
    std::string bytes;
    if (!readImportSource(s, s.cds.SourceFile, bytes)) return false;
    const auto lines = splitLines(bytes);
    if (!readTableDef(s, s.cds.DefFile)) return false;
    if (!sourceNumbersValid(s, lines.size(), [&](std::size_t l, auto& row) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const FieldDef& fd = s.def.fields[i];
                row[i] = slice(lines[l], fd.fieldPos, fd.width);
            }
        }))
        return false;
    CdsTable t;
    p.MakeTableToFill(t, true); // written once, whole
    Gauge g(s);
    if (gauge) g.set(0);
    std::vector<std::string> texts(static_cast<size_t>(s.def.fieldCount()));
    for (size_t l = 0; l < lines.size(); ++l) {
        for (int f = 1; f <= s.def.fieldCount(); ++f) {
            const FieldDef& fd = s.def.field(f);
            std::string v(slice(lines[l], fd.fieldPos, fd.width));
            CheckValue(s, v, f, 'X');
            if (isNumberType(fd.type)) {
                const int d = numberDecimals(fd.type);
                v = numberToText(13 + d, d, textToNumber(v));
            } else {
                v = fromCodePage(v, konv);
            }
            texts[static_cast<size_t>(f - 1)] = std::move(v);
        }
        appendTextRecord(t.data, texts);
        if (gauge) g.step(l + 1, lines.size());
    }
    if (gauge) g.finish();
    return t.close(s);
}

// The text of a parameter line before its "*", trimmed; false when it has none.
bool beforeStar(std::string_view line, std::string& value) {
    const size_t star = line.find('*');
    if (star == std::string_view::npos) return false;
    value = trimBoth(line.substr(0, star));
    return true;
}

struct SesColumn {
    long long from = 0, to = 0;
};

// The parameter file of a report conversion: report, table and definition before the "*" of
// lines 1 to 3, the heading lines of a page in columns 1-10 of line 4, then one line per field
// with its first and last column.
struct SesParams {
    std::string report, table, def;
    long long heading = 0;
    std::vector<SesColumn> columns;
};

bool readSesParams(std::string_view text, SesParams& p) {
    const auto lines = splitLines(text);
    if (lines.size() < 3 || !beforeStar(lines[0], p.report) || !beforeStar(lines[1], p.table) ||
        !beforeStar(lines[2], p.def))
        return false;
    p.heading = lines.size() > 3 ? textToInt(slice(lines[3], 1, 10)) : 0;
    for (size_t l = 4; l < lines.size(); ++l)
        if (lines[l].size() >= 11)
            p.columns.push_back(
                {textToInt(slice(lines[l], 1, 10)), textToInt(slice(lines[l], 11, 10))});
    return true;
}

bool allBlank(const std::vector<std::string>& texts) {
    for (const auto& t : texts)
        if (!isBlank(t)) return false;
    return true;
}

// The report's lines into the table, each page's heading lines skipped, blank lines left out.
void reportToTable(Session& s, const std::vector<std::string_view>& rows, const SesParams& p,
                   int konv, Table& table) {
    Gauge g(s);
    g.set(0);
    std::vector<std::string> texts(static_cast<size_t>(table.fieldCount()));
    const size_t skip = static_cast<size_t>(
        std::clamp<long long>(p.heading, 0, static_cast<long long>(rows.size())));
    size_t next = skip;
    while (next < rows.size()) {
        std::string_view line = rows[next++];
        // A form feed starts a new page: its heading lines are skipped as well.
        if (line.find('\f') != std::string_view::npos) {
            next += skip;
            continue;
        }
        g.step(next, rows.size());
        for (size_t c = 0; c < texts.size(); ++c) {
            const SesColumn col = c < p.columns.size() ? p.columns[c] : SesColumn{1, 0};
            texts[c] = fromCodePage(slice(line, col.from, col.to - col.from + 1), konv);
        }
        if (!allBlank(texts)) appendTextRecord(table, texts);
    }
    g.finish();
}

} // namespace

bool TCdsProc::KonvTxCds(int Konv) {
    return importFixedColumns(s_, *this, Konv, false);
}

bool TCdsProc::KonvTxCdsGauge(int Konv) {
    return importFixedColumns(s_, *this, Konv, true);
}

bool TCdsProc::KonvSesCdsG(int Konv) {
    std::string text;
    SesParams p;
    // A parameter file without its three names ends the conversion without a word.
    if (!readImportSource(s_, s_.cds.SourceFile, text) || !readSesParams(text, p)) return false;
    if (!readImportSource(s_, p.report, text)) return false;
    const auto rows = splitLines(text);
    s_.cds.TableFile = p.table;
    s_.cds.DefFile = p.def;
    CdsTable t;
    MakeTableToFill(t, true); // written once, whole
    reportToTable(s_, rows, p, Konv, t.data);
    return t.close(s_);
}

bool TCdsProc::FileNorm(const std::string& input, const std::string& output) {
    if (!fileExistsWarn(s_, input)) return false;
    std::string bytes;
    bool ok = readWholeFile(s_, input, bytes);
    if (ok) {
        for (char& c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 32 && b != 10 && b != 12 && b != 13) c = ' ';
        }
        ok = writeWholeFile(s_, output, bytes);
    }
    if (!ok)
        warning(s_, "Vstupni soubor:    " + input + "\rVystupni soubor:  " + output +
                        "\r\rNormalizace se nepodarila !");
    return ok;
}

} // namespace sarw
