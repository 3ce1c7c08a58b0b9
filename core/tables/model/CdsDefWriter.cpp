#include "tables/model/CdsDefWriter.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"

#include <algorithm>

namespace sarw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool looksLikeDate(std::string_view v, int size) {
    return size == 10 && v.size() >= 6 && v[2] == '.' && v[5] == '.';
}

bool digitsAndBlanks(std::string_view v, int size) {
    std::string padded = padRight(v, size);
    if (padded.empty() || !isDigit(padded.front()) || !isDigit(padded.back())) return false;
    return padded.find_first_not_of("0123456789 ") == std::string::npos;
}

// Digits after the decimal separator of a number, -1 when the value is no number.
int decimalsOfNumber(std::string_view v) {
    if (v.empty() || !isDigit(v.back())) return -1;
    size_t start = v.find_first_not_of(" +-.,");
    if (start == std::string_view::npos) return -1;
    std::string_view body = v.substr(start);
    if (body.find_first_not_of("0123456789.,") != std::string_view::npos) return -1;
    size_t sep = v.rfind('.');
    if (sep == std::string_view::npos) sep = v.rfind(',');
    if (sep == std::string_view::npos) return 0;
    return static_cast<int>(v.size() - sep - 1);
}

struct KindCode {
    const char* code;
    int width;
};

// Code and width of a field that is not a string.
KindCode codeOfKind(const FieldInfo& f) {
    const bool plainNumber = f.subtype.empty();
    switch (f.kind) {
    case FieldKind::Float: return plainNumber ? KindCode{"FL", 8} : KindCode{"ZS", f.size};
    case FieldKind::Int:
        if (f.size == 4 && plainNumber) return {"IN", 4};
        if (f.size == 2) return {"SI", 2};
        return {"ZS", f.size};
    case FieldKind::UInt: return f.size == 2 ? KindCode{"WO", 2} : KindCode{"ZS", f.size};
    case FieldKind::Bool: return {"BO", 1};
    case FieldKind::Date: return {"DT", 4};
    case FieldKind::Memo: return {"ME", f.size};
    default: return {"ZS", f.size};
    }
}

int headingLength(const std::string& code, int width) {
    if (code == "BO") return 2;
    if (code == "SI" || code == "WO") return 3;
    if (code == "IN" || (code == "DT" && width == 4)) return 5;
    if (code == "FL") return 9;
    return width + 1;
}

} // namespace

std::string typeFromValues(const Table& table, int field) {
    const int size = table.fields[static_cast<size_t>(field)].size;
    bool anyValue = false;
    bool date = true, ln = true;
    int maxDecimals = 0;
    bool number = true, separator = false;
    for (size_t r = 0; r < table.recordCount(); ++r) {
        std::string_view v = table.raw(r, field);
        if (table.isNull(r, field) || isBlank(v)) continue;
        anyValue = true;
        date = date && looksLikeDate(v, size);
        ln = ln && digitsAndBlanks(v, size);
        int d = decimalsOfNumber(v);
        if (d < 0) number = false;
        else maxDecimals = std::max(maxDecimals, d);
        separator = separator || v.find_first_of(".,") != std::string_view::npos;
    }
    if (!anyValue) return "PM";
    if (date) return "DT";
    if (ln) return "LN";
    // A separator without digits after it still is no whole number.
    if (number && maxDecimals <= 3) return "N" + std::to_string(std::max(maxDecimals, separator ? 1 : 0));
    return "PM";
}

std::string definitionFromTable(const Table& table) {
    std::string out;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldInfo& f = table.fields[static_cast<size_t>(i)];
        KindCode kc = f.kind == FieldKind::String ? KindCode{nullptr, f.size} : codeOfKind(f);
        std::string code = kc.code ? kc.code : typeFromValues(table, i);
        std::string line = intToTextZero(kc.width, 3) + intToTextZero(i + 1, 3) + ". " +
                           f.name.substr(0, 33);
        line = padRight(line, 40);
        int headLen = std::min(headingLength(code, kc.width), 30);
        line += f.name.substr(0, static_cast<size_t>(std::max(headLen, 0)));
        line = padRight(line, 70);
        line += code;
        out += line + "\r\n";
    }
    return out;
}

} // namespace sarw
