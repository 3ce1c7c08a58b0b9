#include "tables/model/CdsSortSupport.h"

#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace sarw {

std::vector<int> keyListOf(int count, const std::array<int, 200>& fields) {
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, 200));
    return {fields.begin(), fields.begin() + static_cast<long>(n)};
}

namespace {

// What is wrong with a key list, or nothing.
std::string keyListProblem(int count, const std::array<int, 200>& fields, int fieldCount,
                           bool allowRepeats) {
    if (count > static_cast<int>(fields.size()))
        return "Seznam slov ma vice nez " + std::to_string(fields.size()) + " slov !";
    std::vector<bool> seen(static_cast<std::size_t>(std::max(fieldCount, 0)) + 1);
    for (int k : keyListOf(count, fields)) {
        if (k < 1 || k > fieldCount)
            return "Seznam slov obsahuje slovo " + std::to_string(k) + ", veta ma " +
                   std::to_string(fieldCount) + " slov !";
        if (seen[static_cast<std::size_t>(k)] && !allowRepeats)
            return "Slovo " + std::to_string(k) + " je v seznamu slov vicekrat !";
        seen[static_cast<std::size_t>(k)] = true;
    }
    return {};
}

} // namespace

bool keyListUsable(Session& s, int count, const std::array<int, 200>& fields, int fieldCount,
                   bool allowRepeats, bool warn) {
    const std::string problem = keyListProblem(count, fields, fieldCount, allowRepeats);
    if (problem.empty()) return true;
    if (warn)
        warning(s, problem);
    else
        information(s, problem);
    return false;
}

bool keyListDistinct(Session& s, int count, const std::array<int, 200>& fields) {
    const std::vector<int> keys = keyListOf(count, fields);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (keys[i] != keys[j]) continue;
            information(s, "Slovo " + std::to_string(keys[i]) + " je v seznamu slov vicekrat !");
            return false;
        }
    }
    return true;
}

std::string definitionLines(const Definition& def, const std::vector<int>& fields) {
    std::string text;
    for (int f : fields) {
        const int line = def.field(f).lineOf;
        text += def.lineText.at(static_cast<std::size_t>(line - 1));
        text += "\r\n";
    }
    return text;
}

std::vector<int> keysFirst(const std::vector<int>& keys, int fieldCount) {
    std::vector<int> order = keys;
    std::vector<bool> isKey(static_cast<std::size_t>(fieldCount) + 1);
    for (int k : keys)
        if (k >= 1 && k <= fieldCount) isKey[static_cast<std::size_t>(k)] = true;
    for (int f = 1; f <= fieldCount; ++f)
        if (!isKey[static_cast<std::size_t>(f)]) order.push_back(f);
    return order;
}

int tableRecordLength(const Table& table) {
    int len = 0;
    for (const auto& f : table.fields) len += f.size;
    return len;
}

bool tableFitsDefinition(Session& s, const Table& table) {
    const CdsParams& c = s.cds;
    const Definition& d = s.def;
    if (table.fieldCount() != d.fieldCount()) {
        information(s, c.InFile + ":" + intToTextZero(table.fieldCount(), 6) + "\r" + c.InDef +
                           ":" + intToTextZero(d.fieldCount(), 6) + "\r\r" +
                           "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !");
        return false;
    }
    if (tableRecordLength(table) != d.recLen) {
        information(s, c.InFile + ":" + intToTextZero(tableRecordLength(table), 6) + "\r" +
                           c.InDef + ":" + intToTextZero(d.recLen, 6) + "\r\r" +
                           "Skutecna delka vety se nerovna delce vety vypoctene !");
        return false;
    }
    return true;
}

bool saveText(Session& s, const std::string& winName, const std::string& text) {
    return replaceWholeFile(s, winName, text) == 0;
}

bool writeTextFile(Session& s, const std::string& winName, const std::string& text) {
    if (saveText(s, winName, text)) return true;
    warnNotSaved(s, winName);
    return false;
}

void appendFitted(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t n = std::min(text.size(), width);
    out.append(text.data(), n);
    out.append(width - n, ' ');
}

void blankControls(char* bytes, std::size_t n) {
    auto* b = reinterpret_cast<unsigned char*>(bytes);
    // Control characters are rare: eight bytes at a time are looked at for one below 32 (the
    // high bit of a byte of the result is set exactly for those), and only then changed.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, b + i, 8);
        if (((w - 32 * kOnes) & ~w & kHigh) == 0) continue;
        for (std::size_t j = i; j < i + 8; ++j) b[j] = b[j] < 32 ? ' ' : b[j];
    }
    for (; i < n; ++i) b[i] = b[i] < 32 ? ' ' : b[i];
}

int typeDecimals(std::string_view type) {
    return type.size() > 1 && type[1] >= '0' && type[1] <= '9' ? type[1] - '0' : 0;
}

bool isNumericType(std::string_view type) {
    return !type.empty() && type[0] == 'N';
}

} // namespace sarw
