#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

#include <algorithm>
#include <array>

namespace sarw {

using namespace cdscopy;

namespace {

// The columns of a definition line, as a definition shown or edited as a table names them.
struct DefColumn {
    const char* name;
    int first; // first column in the line; 0 for the line number, which is not in the line
    int width;
};

constexpr std::array<DefColumn, 13> kColumns = {{
    {"X. Rad", 0, 3},
    {"A. TD", 1, 3},
    {"B. TNS1", 5, 30},
    {"C. TNS2", 41, 30},
    {"D. TMS", 71, 2},
    {"E. SP", 73, 1},
    {"F. KH", 75, 2},
    {"G. I/P", 78, 1},
    {"H. Ind/UlozP", 79, 2},
    {"I. UlozZ", 81, 2},
    {"J. UlozDo", 84, 2},
    {"K. JmSCis", 86, 50},
    {"L. JmPole/TW", 141, 10},
}};

constexpr int kDefLines = 200;

int columnCount(int psl) {
    return std::clamp(psl, 1, static_cast<int>(kColumns.size()));
}

// The definition of a table holding one definition line per record: the line number is the
// key, the width a whole number, everything else text.
std::string definitionOfDefinition(int psl) {
    std::string out;
    for (int c = 0; c < columnCount(psl); ++c) {
        const DefColumn& col = kColumns[static_cast<size_t>(c)];
        const std::string name = col.name;
        const std::string heading = name.substr(3, static_cast<size_t>(col.width + 1));
        std::string line = padLeft(std::to_string(col.width), 3) + " " + name;
        line = padRight(line, 40) + heading;
        line = padRight(line, 70) + (c == 1 ? "N0" : "PM");
        if (c == 0) line += "     I01";
        out += line + "\r\n";
    }
    return out;
}

std::string columnText(std::string_view line, const DefColumn& col) {
    std::string v = trimBoth(slice(line, col.first, col.width));
    if (col.first == 5) {
        // The numbered name loses its number: the text after the first point.
        if (size_t p = v.find('.'); p != std::string::npos) v = trimBoth(v.substr(p + 1));
    }
    return v;
}

void put(std::string& line, int column, std::string_view text, int width) {
    const std::string v = padRight(text.substr(0, static_cast<size_t>(width)), width);
    line.replace(static_cast<size_t>(column - 1), v.size(), v);
}

std::string definitionLine(const Table& t, size_t rec, int columns, int number) {
    std::string line(150, ' ');
    auto text = [&](int c) { return c < columns ? trimBoth(t.text(rec, c)) : std::string(); };
    put(line, 1, padLeft(text(1), 3).substr(0, 3), 3);
    put(line, 4, padLeft(std::to_string(number), 3) + ". " + text(2), 37);
    const std::string type = text(4);
    std::string heading = text(3);
    if (!type.empty() && type[0] == 'N')
        heading = padLeft(heading, static_cast<int>(std::min<long long>(textToInt(text(1)), 30)));
    put(line, 41, heading, 30);
    for (int c = 4; c < static_cast<int>(kColumns.size()); ++c) {
        const DefColumn& col = kColumns[static_cast<size_t>(c)];
        std::string v = text(c);
        // A codebook reference written with a digit has the digit in column 87.
        int first = col.first;
        if (col.first == 86 && !v.empty() && v[0] >= '1' && v[0] <= '3') first = 87;
        put(line, first, v, col.width);
    }
    line = trimRight(line);
    // Shorter lines are not definition lines: a field must not vanish for want of a type.
    return padRight(line, 72);
}

bool emptySlot(const Table& t, size_t rec, int columns) {
    for (int c = 1; c < columns; ++c)
        if (!isBlank(t.text(rec, c))) return false;
    return true;
}

} // namespace

bool TCdsProc::KonvDefCds(const std::string& JmSDef, const std::string& JmSCds, int PSl) {
    std::string bytes;
    if (!fileExistsWarn(s_, JmSDef)) return false;
    if (!readWholeFile(s_, JmSDef, bytes)) {
        warning(s_, "Soubor nelze precist:\r\r" + JmSDef);
        return false;
    }
    makePath(s_, kWorkDir);
    if (!writeWholeFile(s_, kCdsProcWorkDef, definitionOfDefinition(PSl)))
        cdscopy::cannotCreate(s_, kCdsProcWorkDef);
    CdsTable t;
    {
        KeepFileNames keep(s_.cds);
        s_.cds.TableFile = JmSCds;
        s_.cds.DefFile = kCdsProcWorkDef;
        MakeTableToFill(t); // written once, whole
    }
    const int columns = columnCount(PSl);
    std::vector<std::string> texts(static_cast<size_t>(columns));
    int number = 0;
    for (std::string_view line : splitLines(bytes)) {
        if (line.size() < 72) continue;
        texts[0] = zeroPadInt(++number, 3);
        for (int c = 1; c < columns; ++c)
            texts[static_cast<size_t>(c)] = columnText(line, kColumns[static_cast<size_t>(c)]);
        appendTextRecord(t.data, texts);
    }
    std::fill(texts.begin(), texts.end(), std::string());
    while (number < kDefLines) {
        texts[0] = zeroPadInt(++number, 3);
        appendTextRecord(t.data, texts);
    }
    return t.close(s_);
}

bool TCdsProc::KonvCdsDef(const std::string& JmSCds, const std::string& JmSDef, int PSl) {
    if (!fileExistsWarn(s_, JmSCds)) return false;
    CdsTable t;
    if (!openRead(s_, t, JmSCds)) return false;
    const Table& d = t.data;
    const int columns = std::min(columnCount(PSl), d.fieldCount());
    std::string out;
    int number = 0;
    for (size_t r = 0; columns > 0 && r < d.recordCount(); ++r) {
        if (textToInt(d.text(r, 0)) <= 0 || emptySlot(d, r, columns)) continue;
        out += definitionLine(d, r, columns, ++number) + "\r\n";
    }
    if (writeWholeFile(s_, JmSDef, out)) return true;
    information(s_, "Nelze zalozit novy soubor !", "Soubor:  " + JmSDef);
    return false;
}

} // namespace sarw
