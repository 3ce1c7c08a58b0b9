#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/FitValue.h"
#include "tables/model/ReadDef.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

using namespace cdscopy;

namespace {

constexpr int kMaxWidth = 999; // what the three width columns of a definition line hold

std::string numericText(double value, int decimals) {
    return trimBoth(numberToText(20, decimals, value));
}

// Width of each field: its longest value without surrounding blanks (at least 1); a numeric
// field also fits its values and their sum as numbers are written.
std::vector<int> contentWidths(const Table& t, const Definition& def) {
    std::vector<int> widths;
    for (int f = 0; f < t.fieldCount(); ++f) {
        const bool numeric = f < def.fieldCount() && isNumberType(def.field(f + 1).type);
        const int d = numeric ? numberDecimals(def.field(f + 1).type) : 0;
        size_t w = 1;
        double sum = 0;
        for (size_t r = 0; r < t.recordCount(); ++r) {
            const std::string v = trimBoth(t.text(r, f));
            w = std::max(w, v.size());
            if (!numeric) continue;
            const double x = textToNumber(v);
            sum += x;
            w = std::max(w, numericText(x, d).size());
        }
        if (numeric) w = std::max(w, numericText(sum, d).size());
        widths.push_back(static_cast<int>(std::min<size_t>(w, kMaxWidth)));
    }
    return widths;
}

// The definition's lines with the widths and headings of its fields refitted; a line that is
// not a field line stays as it is.
std::string refittedDefinition(std::string_view defText, const std::vector<int>& widths) {
    std::string out;
    size_t field = 0;
    for (std::string_view in : splitLines(defText)) {
        std::string line(in);
        const bool fieldLine = line.size() >= 72 && line.substr(70, 2) != "ZS";
        if (fieldLine && field < widths.size()) {
            const int w = widths[field];
            line.replace(0, 3, padLeft(std::to_string(w), 3));
            std::string h = trimRight(line.substr(40, 30));
            while (static_cast<int>(h.size()) > w && !h.empty() && h[0] == ' ') h.erase(0, 1);
            h = padRight(h.substr(0, static_cast<size_t>(w)), 30);
            line.replace(40, 30, h);
        }
        if (fieldLine) ++field;
        out += line + "\r\n";
    }
    return out;
}

std::string resizedValue(std::string_view text, const FieldDef& fd) {
    const std::string v = trimBoth(text);
    if (isNumberType(fd.type)) {
        // Never cut: the width was fitted to the numbers.
        return padLeft(trimLeft(numberToText(20, numberDecimals(fd.type), textToNumber(v))),
                       fd.width);
    }
    if ((fd.type == "PN" || fd.type == "LN") && isBlank(v))
        return fitText(v, fd.width, fd.type == "LN");
    return fitValue(v, fd.type, fd.width);
}

} // namespace

bool TCdsProc::ReColSizeCds(const std::string& JmS1, const std::string& JmSD1,
                            const std::string& JmS2, const std::string& JmSD2) {
    if (!fileExistsWarn(s_, JmS1) || !ReadDef(s_, JmSD1)) return false;
    std::string defText;
    if (!readWholeFile(s_, JmSD1, defText)) return false;
    const Definition source = s_.def;
    if (!openRead(s_, Table1, JmS1)) return false;
    const std::vector<int> widths = contentWidths(Table1.data, source);
    if (!writeWholeFile(s_, JmSD2, refittedDefinition(defText, widths))) {
        Table1.discard();
        cdscopy::cannotCreate(s_, JmSD2);
    }
    s_.cds.TableFile = JmS2;
    s_.cds.DefFile = JmSD2;
    // Written once, whole: the old table stays until then.
    MakeTableToFill(Table2);
    const Table& src = Table1.data;
    const int fields = s_.def.fieldCount();
    std::vector<std::string> texts(static_cast<size_t>(fields));
    for (size_t r = 0; r < src.recordCount(); ++r) {
        for (int f = 1; f <= fields; ++f)
            texts[static_cast<size_t>(f - 1)] =
                f <= src.fieldCount() ? resizedValue(src.text(r, f - 1), s_.def.field(f)) : "";
        appendTextRecord(Table2.data, texts);
    }
    Table1.discard();
    return Table2.close(s_);
}

bool TCdsProc::KonvCdsCdsNSize() {
    const std::string table = s_.cds.TableFile;
    if (!fileExistsWarn(s_, table)) return false;
    CdsTable src;
    if (!openRead(s_, src, table)) return false;
    CdsTable out;
    {
        KeepFileNames keep(s_.cds);
        s_.cds.TableFile = s_.cds.SourceFile;
        MakeTableToFill(out, true);
    }
    const int fields = s_.def.fieldCount();
    std::vector<std::string> texts(static_cast<size_t>(fields));
    for (size_t r = 0; r < src.data.recordCount(); ++r) {
        for (int f = 1; f <= fields; ++f) {
            const FieldDef& fd = s_.def.field(f);
            std::string v = f <= src.data.fieldCount() ? src.data.text(r, f - 1) : "";
            if (isNumberType(fd.type)) {
                const int d = numberDecimals(fd.type);
                v = numberToText(13 + d, d, textToNumber(v));
            }
            texts[static_cast<size_t>(f - 1)] = std::move(v);
        }
        appendTextRecord(out.data, texts);
    }
    return out.close(s_);
}

} // namespace sarw
