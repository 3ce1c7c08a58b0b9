#include "tables/model/EntryCheck.h"

#include "shell/Definition.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/model/FitValue.h"
#include "tables/model/ReadDef.h"

namespace sarw {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Columns 1-3 of a field line: blanks and at least one digit.
bool widthTextValid(std::string_view line) {
    const std::string_view w = line.substr(0, 3);
    bool digit = false;
    for (char c : w) {
        if (isDigit(c))
            digit = true;
        else if (c != ' ')
            return false;
    }
    return digit;
}

} // namespace

bool numberTextValid(std::string_view text) {
    bool digit = false, point = false, sign = false, blankOnly = true;
    for (char c : text) {
        if (c == ' ') continue;
        if (c == '-' && blankOnly) {
            sign = true;
        } else if (isDigit(c)) {
            digit = true;
        } else if ((c == ',' || c == '.') && !point) {
            point = true;
        } else {
            return false;
        }
        blankOnly = false;
    }
    return digit || (!sign && !point);
}

std::string definitionFault(const Definition& d) {
    if (d.fieldCount() == 0) return "neobsahuje zadne pole";
    for (int f = 1; f <= d.fieldCount(); ++f) {
        const FieldDef& fd = d.field(f);
        const std::string& line = d.lineText[static_cast<std::size_t>(fd.lineOf - 1)];
        if (!widthTextValid(line) || (fd.width < 1 && fd.type != "ME") || fd.fieldName.empty())
            return "radek " + std::to_string(fd.lineOf) + " neni platny popis pole";
    }
    return {};
}

std::string unusableDefMessage(const Session& s, const std::string& defFile) {
    const std::string fault = definitionFault(s.def);
    if (fault.empty()) return {};
    return "Soubor:\r\r" + defFile + "\r\rneni platna definice tabulky: " + fault + ".";
}

bool readTableDef(Session& s, const std::string& defFile) {
    if (!ReadDef(s, defFile)) return false;
    const std::string message = unusableDefMessage(s, defFile);
    if (message.empty()) return true;
    warning(s, message, "Chybna definice");
    return false;
}

bool checkRowNumbers(Session& s, const std::vector<std::string>& values, std::size_t row,
                     const std::string& source) {
    const std::size_t n = std::min(values.size(), static_cast<std::size_t>(s.def.fieldCount()));
    for (std::size_t i = 0; i < n; ++i) {
        const FieldDef& fd = s.def.fields[i];
        if (!isNumberType(fd.type) || numberTextValid(values[i])) continue;
        warning(s,
                "Radek " + std::to_string(row) + ", pole " + std::to_string(i + 1) + " (" +
                    fd.fieldName + "):\r\rhodnota \"" + values[i] + "\" neni cislo.",
                source);
        return false;
    }
    return true;
}

} // namespace sarw
