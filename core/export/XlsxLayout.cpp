#include "export/XlsxLayout.h"

#include <algorithm>
#include <charconv>

namespace sarw {

namespace {

std::string_view trimmed(std::string_view v) {
    const auto b = v.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return v.substr(b, v.find_last_not_of(' ') - b + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal number ("-1234.50", "0042") that a double holds exactly enough to show it
// again: at most 15 significant digits. Anything else stays text, so nothing is lost.
bool plainNumber(std::string_view v, double& number) {
    std::size_t i = (!v.empty() && (v[0] == '-' || v[0] == '+')) ? 1 : 0;
    int digits = 0, significant = 0;
    bool point = false;
    for (; i < v.size(); ++i) {
        if (v[i] == '.' && !point) {
            point = true;
        } else if (isDigit(v[i])) {
            ++digits;
            if (significant || v[i] != '0') ++significant;
        } else {
            return false;
        }
    }
    if (digits == 0 || significant > 15) return false;
    const char* begin = v.data() + (v[0] == '+' ? 1 : 0);
    return std::from_chars(begin, v.data() + v.size(), number).ec == std::errc();
}

XlsxCell numberOrText(std::string_view v) {
    XlsxCell c;
    if (v.empty()) return c;
    c.kind = plainNumber(v, c.number) ? XlsxCell::Kind::Number : XlsxCell::Kind::Text;
    c.text = v;
    return c;
}

} // namespace

std::string decimalPattern(int len, int decimals) {
    std::string p = "0";
    if (decimals > 0) p += "." + std::string(static_cast<std::size_t>(decimals), '0');
    if (static_cast<int>(p.size()) < len)
        p.insert(0, static_cast<std::size_t>(len) - p.size(), '#');
    return p;
}

std::vector<XlsxColumn> xlsxColumns(const Table& table, const Definition& def) {
    std::vector<XlsxColumn> columns;
    columns.reserve(table.fields.size());
    for (int k = 0; k < table.fieldCount(); ++k) {
        const FieldInfo& f = table.fields[static_cast<std::size_t>(k)];
        const FieldDef* d = k < def.fieldCount() ? &def.field(k + 1) : nullptr;
        const std::string type = d ? d->type : std::string();
        const char mode = d && !d->checkMode.empty() ? d->checkMode[0] : ' ';
        XlsxColumn c;
        c.name = std::string(trimmed(f.name));
        const int len = std::max(f.size, 0);
        c.width = std::max(len, static_cast<int>(c.name.size())) + 3;
        if (type == "LN" || type == "PN" || type == "R2") {
            c.numberFormat.assign(static_cast<std::size_t>(len), '0');
            c.digits = true;
        }
        if (!type.empty() && type[0] == 'N') {
            const int d2 = type.size() > 1 && isDigit(type[1]) ? type[1] - '0' : 0;
            c.numberFormat = decimalPattern(len, d2);
            c.decimal = true;
        }
        if (isDigit(mode)) {
            c.numberFormat = decimalPattern(len, mode - '0');
            c.decimal = true;
        }
        c.right = !type.empty() && (type[0] == 'N' || type[0] == 'L');
        c.pm = type == "PM";
        c.quoted = mode == 'U';
        columns.push_back(std::move(c));
    }
    return columns;
}

XlsxCell xlsxCell(const XlsxColumn& column, std::string_view value, std::string& work) {
    std::string_view v = value;
    if (column.decimal) {
        work.clear();
        bool comma = false;
        for (char ch : value) {
            if (ch == ' ') continue;
            if (ch == ',' && !comma) ch = '.', comma = true;
            work += ch;
        }
        v = work;
    }
    if (column.quoted) {
        XlsxCell c;
        const std::string_view t = trimmed(v);
        if (t.empty()) return c;
        std::string quoted = "\"" + std::string(t) + "\"";
        work = std::move(quoted);
        c.kind = XlsxCell::Kind::Text;
        c.text = work;
        return c;
    }
    if (column.decimal) return numberOrText(v);
    if (column.pm &&
        std::all_of(v.begin(), v.end(), [](char ch) { return ch == ' ' || isDigit(ch); })) {
        XlsxCell c = numberOrText(trimmed(v));
        c.hashes = static_cast<int>(v.size());
        return c;
    }
    if (column.digits) return numberOrText(trimmed(v));
    XlsxCell c;
    if (trimmed(v).empty()) return c;
    c.kind = XlsxCell::Kind::Text;
    c.text = v;
    return c;
}

} // namespace sarw
