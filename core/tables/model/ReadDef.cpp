#include "tables/model/ReadDef.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

namespace {

constexpr size_t kMinLineLength = 72;
constexpr size_t kLineTextLength = 80;
constexpr size_t kHeadingMax = 51;
constexpr size_t kFieldNameMax = 25;

// Columns first to last (1-based, inclusive) of a line, as far as the line reaches.
std::string_view cols(std::string_view line, size_t first, size_t last) {
    if (first > line.size()) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

// Widths are counts of characters: a stray minus sign must not make one negative.
int readWidth(std::string_view text) {
    long long v = textToInt(text);
    return v > 0 ? static_cast<int>(v) : 0;
}

// Transfer numbers are bytes; a value that does not fit means no transfer rather than a
// wrapped-around field number.
int readByte(std::string_view text) {
    long long v = textToInt(text);
    return v >= 0 && v <= 255 ? static_cast<int>(v) : 0;
}

std::string fieldNameOf(std::string_view tns1) {
    size_t point = tns1.find('.');
    size_t start = point == std::string_view::npos ? 1 : point + 2;
    if (start >= tns1.size()) return {};
    return trimBoth(tns1.substr(start, kFieldNameMax));
}

std::string headingOf(std::string_view tns2, int width) {
    size_t len = static_cast<size_t>(width) + 1;
    return padRight(tns2, static_cast<int>(std::min(len, kHeadingMax))).substr(0, len);
}

// Directory, then the file name up to its first point, then the extension from its last point.
std::string rebuildName(const std::string& name) {
    size_t slash = name.find_last_of("\\/:");
    size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    std::string file = name.substr(fileStart);
    size_t lastPoint = file.rfind('.');
    std::string ext = lastPoint == std::string::npos ? std::string() : file.substr(lastPoint);
    return name.substr(0, fileStart) + file.substr(0, file.find('.')) + ext;
}

// One field line; FieldPos and LineOf are set by the caller.
FieldDef parseField(std::string_view line) {
    FieldDef f;
    f.width = readWidth(cols(line, 1, 3));
    f.tns1 = std::string(cols(line, 5, 34));
    f.fieldName = fieldNameOf(f.tns1);
    f.heading = headingOf(cols(line, 41, 70), f.width);
    f.type = std::string(cols(line, 71, 72));
    f.checkMode = std::string(cols(line, 73, 73));
    f.headEnd = cols(line, 75, 76) == "KH";
    const char mark = line.size() >= 78 ? line[77] : ' ';
    if (line.size() >= 80 && mark == 'I') {
        long long pos = textToInt(cols(line, 79, 80));
        f.keyPos = pos > 0 ? static_cast<int>(pos) : 0;
    }
    if (line.size() >= 86 && (mark == 'P' || mark == 'N' || mark == 'K')) {
        f.mode = mark;
        f.ulozP = readByte(cols(line, 79, 80));
        f.ulozZ = readByte(cols(line, 81, 82));
        f.ulozDo = readByte(cols(line, 83, 85));
    }
    f.jmSCis = codebookReference(line);
    if (line.size() >= 141) f.jmPole = removeBlanks(cols(line, 141, 150));
    return f;
}

class DefReader {
public:
    explicit DefReader(Session& s) : s_(s), d_(s.def) {}

    // Takes one line of the file; false when the definition cannot hold it.
    bool take(const std::string& line) {
        if (line.size() < kMinLineLength) return true;
        if (d_.lineCount() >= Definition::kMaxLines) return false;
        d_.lineText.push_back(line.substr(0, kLineTextLength));
        if (cols(line, 71, 72) == "ZS") {
            gap_ += readWidth(cols(line, 1, 3));
            return true;
        }
        addField(line);
        return true;
    }

    void finish() {
        d_.itemCount = d_.fieldCount() - d_.headCount;
        for (int k = 1; k <= d_.fieldCount(); ++k) {
            auto it = std::find_if(d_.fields.begin(), d_.fields.end(),
                                   [k](const FieldDef& f) { return f.keyPos == k; });
            if (it == d_.fields.end()) break;
            d_.keyList.push_back(static_cast<int>(it - d_.fields.begin()) + 1);
        }
    }

private:
    void addField(const std::string& line) {
        FieldDef f = parseField(line);
        if (f.type == "ME") d_.memoFlag = true;
        d_.recLen += f.width;
        if (d_.recLen > Definition::kMaxRecLen && !recLenReported_) {
            // Once is enough: every further field would only repeat it.
            recLenReported_ = true;
            information(
                s_, "Veta obsahuje vice nez " + std::to_string(Definition::kMaxRecLen) + " znaku !",
                "Soubor nelze pouzit pro dalsi operace");
            s_.terminateRequested = true;
        }
        f.fieldPos = d_.fields.empty() ? 1 + gap_
                                       : d_.fields.back().fieldPos + d_.fields.back().width + gap_;
        gap_ = 0;
        f.lineOf = d_.lineCount();
        d_.fields.push_back(std::move(f));
        if (d_.fields.back().headEnd) d_.headCount = d_.fieldCount();
    }

    Session& s_;
    Definition& d_;
    int gap_ = 0;
    bool recLenReported_ = false;
};

} // namespace

std::string codebookReference(std::string_view line) {
    if (line.size() < 86) return {};
    if (line[85] == '@') return removeBlanks(cols(line, 86, 135));
    if (line.size() >= 87 && line[86] >= '1' && line[86] <= '3')
        return rebuildName(removeBlanks(cols(line, 88, 135)));
    return {};
}

TextLineReader::TextLineReader(const std::filesystem::path& file) : in_(file, std::ios::binary) {}

bool TextLineReader::next(std::string& line) {
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool ReadDef(Session& s, const std::string& fileName) {
    s.def.clear();
    if (!fileExists(s, fileName)) {
        information(s, "Soubor nebyl nalezen", fileName);
        return false;
    }
    // The user declined to wait for a file another program holds: nothing to read.
    if (!canOpen(s, fileName)) return false;
    TextLineReader reader(s.platform().native(fileName));
    if (!reader.isOpen()) {
        information(s, "Soubor nebyl nalezen", fileName);
        return false;
    }
    DefReader def(s);
    std::string line;
    while (reader.next(line)) {
        if (!def.take(line)) {
            // The definition holds 200 lines; a longer one is not cut short silently.
            s.def.clear();
            information(s,
                        "Definicni soubor ma vice nez " + std::to_string(Definition::kMaxLines) +
                            " radku !",
                        fileName);
            return false;
        }
    }
    if (reader.failed()) {
        s.def.clear();
        information(s, "Definicni soubor se nepodarilo precist !", fileName);
        return false;
    }
    def.finish();
    return true;
}

} // namespace sarw
