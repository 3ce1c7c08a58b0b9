#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/FitValue.h"
#include "tables/model/ReadDef.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

namespace sarw {

using namespace cdscopy;

namespace {

// Item i of a delimited line: the text between separators i-1 and i, a separator being added at
// the end when the line does not end with one. Quotes protect nothing.
std::vector<std::string_view> items(std::string_view line, char sep) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(sep, start);
        if (end == std::string_view::npos) {
            // "a;b" and "a;b;" both hold two items; an empty line holds one empty item.
            if (start < line.size() || out.empty()) out.push_back(line.substr(start));
            return out;
        }
        out.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::string csvValue(const FieldDef& fd, std::string_view item, int konv, char quote) {
    if (isNumberType(fd.type)) {
        const int d = numberDecimals(fd.type);
        return numberToText(13 + d, d, textToNumber(item));
    }
    std::string v;
    v.reserve(item.size());
    for (char c : item)
        if (c != quote) v += c;
    v = fromCodePage(v, konv);
    const bool right = fd.type == "LM" || fd.type == "LN";
    return right ? padLeft(v, fd.width) : padRight(v, fd.width);
}

bool linesToTable(Session& s, TCdsProc& p, const std::vector<std::string_view>& lines, int konv,
                  char sep, char quote, bool gauge) {
    CdsTable t;
    p.MakeTableToFill(t, true);
    Gauge g(s);
    if (gauge) g.set(0);
    std::vector<std::string> texts(static_cast<size_t>(s.def.fieldCount()));
    for (size_t l = 0; l < lines.size(); ++l) {
        const auto parts = items(lines[l], sep);
        for (int f = 1; f <= s.def.fieldCount(); ++f) {
            const size_t i = static_cast<size_t>(f - 1);
            texts[i] = csvValue(s.def.field(f), i < parts.size() ? parts[i] : "", konv, quote);
        }
        appendTextRecord(t.data, texts);
        if (gauge) g.step(l + 1, lines.size());
    }
    if (gauge) g.finish();
    return t.close(s);
}

bool importCsv(Session& s, TCdsProc& p, int konv, char sep, char quote, bool gauge) {
    std::string bytes;
    if (!readImportSource(s, s.cds.SourceFile, bytes)) return false;
    const auto lines = splitLines(bytes);
    if (!readTableDef(s, s.cds.DefFile)) return false;
    const bool valid = sourceNumbersValid(s, lines.size(), [&](std::size_t l, auto& row) {
        const auto parts = items(lines[l], sep);
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i].clear();
            if (i < parts.size())
                for (char c : parts[i])
                    if (c != quote) row[i] += c;
        }
    });
    return valid && linesToTable(s, p, lines, konv, sep, quote, gauge);
}

// A value holding the separator, a quote or a line break is quoted, so spreadsheets keep it whole.
std::string quoted(std::string v, char sep) {
    if (v.find_first_of(std::string{sep, '"', '\r', '\n'}) == std::string::npos) return v;
    std::string q = "\"";
    for (char c : v) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

bool tableToLines(Session& s, int konv, char sep, std::vector<std::string>& lines) {
    const std::string table = s.cds.TableFile;
    if (!fileExistsWarn(s, table) || !ReadDef(s, s.cds.DefFile)) return false;
    CdsTable t;
    if (!openRead(s, t, table)) return false;
    const Table& d = t.data;
    lines.clear();
    lines.reserve(d.recordCount());
    for (size_t r = 0; r < d.recordCount(); ++r) {
        std::string line;
        for (int f = 0; f < d.fieldCount(); ++f) {
            const std::string type = f < s.def.fieldCount() ? s.def.field(f + 1).type : "";
            const bool right = isNumberType(type) || type == "LM" || type == "LN" || type == "R2";
            std::string v = d.text(r, f);
            // Only the padding goes: the blanks on the side the field is aligned away from.
            v = right ? trimLeft(v) : trimRight(v);
            if (!isNumberType(type)) v = toCodePage(v, konv);
            if (f) line += sep;
            line += quoted(std::move(v), sep);
        }
        lines.push_back(std::move(line));
    }
    return true;
}

} // namespace

bool TCdsProc::KonvCsvCds(int Konv, char Oddel, char Zn) {
    return importCsv(s_, *this, Konv, Oddel, Zn, false);
}

bool TCdsProc::KonvCsvCdsG(int Konv, char Oddel, char Zn) {
    return importCsv(s_, *this, Konv, Oddel, Zn, true);
}

bool TCdsProc::KonvCsvCdsVirt(int Konv, char Oddel, char Zn, const std::vector<std::string>& Pole,
                              int PoleNum) {
    const size_t n = PoleNum < 0 ? 0 : std::min(Pole.size(), static_cast<size_t>(PoleNum));
    std::vector<std::string_view> lines(Pole.begin(), Pole.begin() + static_cast<long>(n));
    return linesToTable(s_, *this, lines, Konv, Oddel, Zn, false);
}

bool TCdsProc::KonvCdsCsv(int Konv, char Oddel) {
    std::vector<std::string> lines;
    if (!tableToLines(s_, Konv, Oddel, lines)) return false;
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    if (writeWholeFile(s_, s_.cds.SourceFile, out)) return true;
    information(s_, "Nelze zalozit novy soubor !", "Soubor:  " + s_.cds.SourceFile);
    return false;
}

bool TCdsProc::KonvCdsCsvVirt(int Konv, char Oddel, std::vector<std::string>& Pole, int& PoleNum) {
    PoleNum = 0;
    if (!tableToLines(s_, Konv, Oddel, Pole)) return false;
    PoleNum = static_cast<int>(Pole.size());
    return true;
}

} // namespace sarw
