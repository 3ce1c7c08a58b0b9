#include "tables/model/CheckValue.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"

namespace sarw {

namespace {

// "L?": the last w characters, right-aligned. Zero-padded codes drop leading blanks too, so a
// code typed as " 12" becomes 00012 and not 00 12.
std::string alignRight(const std::string& value, int w, char fill) {
    std::string v = value;
    if (static_cast<int>(v.size()) > w) v.erase(0, v.size() - static_cast<size_t>(w));
    return padLeft(fill == '0' ? trimBoth(v) : trimRight(v), w, fill);
}

// "P?": the first w characters, left-aligned.
std::string alignLeft(const std::string& value, int w, char fill) {
    return padRight(value.substr(0, static_cast<size_t>(w)), w, fill);
}

// Normalises the value by its type; a date turns the check to the number characters.
void normalise(Session& s, std::string& value, const std::string& type, int w, int d, char& m) {
    const char kind = type.empty() ? ' ' : type[0];
    const char sub = type.size() > 1 ? type[1] : ' ';
    if (kind == 'D' && sub == 'T') {
        value = dateComplete(s, value);
        m = 'N';
    } else if (kind == 'L' && (sub == 'M' || sub == 'N')) {
        value = alignRight(value, w, sub == 'M' ? ' ' : '0');
    } else if (kind == 'N') {
        value = numberToText(w, d, textToNumber(value));
    } else if (kind == 'P' && (sub == 'M' || sub == 'N')) {
        value = alignLeft(value, w, sub == 'M' ? ' ' : '0');
    }
}

bool allOf(const std::string& value, const char* allowed) {
    return value.find_first_not_of(allowed) == std::string::npos;
}

bool charactersValid(const std::string& value, char m) {
    if (value.empty()) return true;
    switch (m) {
    case '-':
        return allOf(value, "0123456789-");
    case 'C':
        return allOf(value, "0123456789 ");
    case 'N':
        return allOf(value, "0123456789.,- ");
    default:
        return true;
    }
}

} // namespace

bool CheckValue(Session& s, std::string& value, int field, char mode) {
    if (field < 1 || field > s.def.fieldCount()) return false;
    const FieldDef& f = s.def.field(field);
    std::string type = f.type;
    if (type == "R2" || type == "O4") type = "LN";
    const int d = type.size() > 1 && type[1] >= '0' && type[1] <= '9' ? type[1] - '0' : 0;
    const int w = f.width > 0 ? f.width : 0;

    char m = mode >= 'a' && mode <= 'z' ? static_cast<char>(mode - 'a' + 'A') : mode;
    if (m == 'X') m = f.checkMode.empty() ? '\0' : f.checkMode[0];
    if (m == 'V') value = upperCase(value);

    normalise(s, value, type, w, d, m);

    if (m == 'Z') {
        value = numberToTextNoRound(w, d, textToNumber(value), false);
        m = d > 0 ? 'N' : 'C';
    }
    return charactersValid(value, m);
}

} // namespace sarw
