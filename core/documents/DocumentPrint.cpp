#include "documents/DocumentPrint.h"

#include "documents/Document.h"
#include "screens/SesNormalise.h"
#include "shell/Definition.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "tables/model/ReadDef.h"

#include <array>

namespace sarw {

namespace {

// Where a value's first character goes in the frame's header line and item line (item columns
// 2 to 13; the item number is not printed).
constexpr std::array<int, Document::kHeadCount> kHeadPositions = {112, 116, 120, 124, 128, 132, 138,
                                                                  142, 147, 152, 158, 168, 179};
constexpr std::array<int, Document::kItemColumns - 1> kItemPositions = {2,  15, 41, 48,  53,  59,
                                                                        70, 86, 97, 101, 118, 134};
constexpr int kValueColumn = 12;
// The frame is 184 characters wide: its total line and closing rule are made to that width.
constexpr int kFrameWidth = 184;
// A shortened frame line keeps its first 40 characters and those from 87 on.
constexpr std::size_t kShortKeep = 40;
constexpr std::size_t kShortResume = 86;

std::string cutPad(const std::string& text, int width) {
    return padRight(std::string_view(text).substr(0, static_cast<std::size_t>(width)), width);
}

int headWidth(const Definition& def, int column) {
    return def.field(column).width;
}
int itemWidth(const Definition& def, int column) {
    return def.field(Document::kHeadCount + column).width;
}

long double itemValue(const Document& doc, int row) {
    return textToNumber(doc.item(row, kValueColumn));
}

std::string total(long double sum) {
    return numberToText(15, 2, static_cast<double>(sum));
}

// Writes the text over the line from the 1-based position; a short line is extended with blanks,
// so that a value never falls off a narrow layout.
void writeAt(std::string& line, int position, const std::string& text) {
    const std::size_t at = static_cast<std::size_t>(position - 1);
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
}

std::string shortenedLine(const std::string& line) {
    if (line.size() <= kShortKeep) return line;
    return line.substr(0, kShortKeep) +
           (line.size() > kShortResume ? line.substr(kShortResume) : "");
}

std::string reportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    blankControlsKeepingLines(text.data(), text.size());
    return text;
}

// The report replaced as a whole: the old one or the new one, never a torn one.
std::string writeReport(Session& s, const std::string& name,
                        const std::vector<std::string>& lines) {
    makePath(s, name.substr(0, name.rfind('\\')));
    if (const int code = replaceWholeFile(s, name, reportText(lines)); code != 0) {
        warnNotSaved(s, name);
        return {};
    }
    return name;
}

bool readTurnoverDef(Session& s) {
    return ReadDef(s, workDir(s, "DefSoub") + "\\SarO.Def") &&
           s.def.fieldCount() >= Document::kHeadCount + Document::kItemColumns;
}

} // namespace

std::vector<std::string> plainListLines(const Definition& def, const Document& doc) {
    std::vector<std::string> out{""};
    std::string titles, values;
    for (int c = 1; c <= Document::kHeadCount; ++c) {
        titles += cutPad(def.field(c).heading, headWidth(def, c) + 1) + " ";
        values += cutPad(doc.head(c), headWidth(def, c) + 1) + " ";
    }
    out.insert(out.end(), {titles, "", values, "", ""});
    std::string itemTitles;
    for (int c = 1; c <= Document::kItemColumns; ++c)
        itemTitles +=
            cutPad(def.field(Document::kHeadCount + c).heading, itemWidth(def, c) + 1) + " ";
    out.insert(out.end(), {itemTitles, ""});
    long double sum = 0;
    for (int row = 1; row <= Document::kMaxItems; ++row) {
        sum += itemValue(doc, row);
        if (!doc.rowFilled(row)) continue;
        std::string line;
        for (int c = 1; c <= Document::kItemColumns; ++c)
            line += cutPad(doc.item(row, c), itemWidth(def, c)) + "  ";
        out.push_back(line);
    }
    out.push_back("");
    out.push_back(padRight("Celkem", 132) + total(sum));
    return out;
}

std::vector<std::string> framedLines(const Definition& def, const Document& doc,
                                     const FrameLayout& layout, bool shortened) {
    std::vector<std::string> out = layout.before;
    auto frameLine = [&](std::string line) {
        out.push_back(shortened ? shortenedLine(line) : std::move(line));
    };
    // A frame of fewer than nine lines reads the missing ones as empty.
    auto layoutLine = [&](std::size_t n) {
        return n <= layout.frame.size() ? layout.frame[n - 1] : std::string();
    };
    for (std::size_t n = 1; n <= 3; ++n) frameLine(layoutLine(n));
    std::string head = layoutLine(4);
    for (int c = 1; c <= Document::kHeadCount; ++c)
        writeAt(head, kHeadPositions[static_cast<std::size_t>(c - 1)], doc.head(c));
    frameLine(head);
    for (std::size_t n = 5; n <= 7; ++n) frameLine(layoutLine(n));
    long double sum = 0;
    std::string item = layoutLine(8);
    for (int row = 1; row <= Document::kMaxItems; ++row) {
        if (isBlank(doc.item(row, 2))) continue;
        // Every value is padded to its field, so each row replaces the previous row's values.
        for (int c = 2; c <= Document::kItemColumns; ++c)
            writeAt(item, kItemPositions[static_cast<std::size_t>(c - 2)],
                    cutPad(doc.item(row, c), itemWidth(def, c)));
        frameLine(item);
        sum += itemValue(doc, row);
    }
    const std::string rule = layoutLine(9);
    frameLine(rule);
    std::string totalLine = padRight("|Celkem", kFrameWidth - 1) + "|";
    writeAt(totalLine, 118, total(sum));
    frameLine(totalLine);
    std::string closing = rule;
    if (closing.size() < static_cast<std::size_t>(kFrameWidth)) closing.resize(kFrameWidth, ' ');
    closing.replace(1, kFrameWidth - 2, kFrameWidth - 2, '-');
    frameLine(closing);
    for (std::size_t n = 10; n <= layout.frame.size(); ++n) frameLine(layout.frame[n - 1]);
    out.insert(out.end(), layout.after.begin(), layout.after.end());
    return out;
}

std::string printPlainList(Session& s, const Document& doc) {
    if (!readTurnoverDef(s)) return {};
    return writeReport(s, kPlainListReport, plainListLines(s.def, doc));
}

std::string printFramed(Session& s, const Document& doc) {
    const bool shortened = question(s, "Zkrateny tisk ?");
    const std::string dir = workDir(s, "DefSoub") + "\\";
    FrameLayout layout;
    for (auto [name, lines] : {std::pair{"DoklP.Def", &layout.before},
                               {"Dokl.Def", &layout.frame},
                               {"DoklZ.Def", &layout.after}}) {
        if (!fileExistsWarn(s, dir + name)) return {};
        if (!readTextLines(s, dir + name, *lines, 100000)) {
            warning(s, "Soubor nelze precist:\r\r" + dir + name);
            return {};
        }
    }
    if (!readTurnoverDef(s)) return {};
    s.dialogs().progressShow();
    const std::string report =
        writeReport(s, kFramedReport, framedLines(s.def, doc, layout, shortened));
    s.dialogs().progressClose();
    return report;
}

} // namespace sarw
