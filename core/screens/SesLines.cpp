#include "screens/SesLines.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"

#include <cmath>

namespace sarw {

namespace {

constexpr double kNonZero = 0.00005;

// The first n characters of a text, padded with blanks when it is shorter.
std::string firstChars(std::string_view text, int n) {
    return padRight(text.substr(0, std::min(text.size(), static_cast<std::size_t>(n))), n);
}

void dropLastTwo(std::string& line) {
    line.resize(line.size() >= 2 ? line.size() - 2 : 0);
}

} // namespace

std::string formatSum(double value, int width, int decimals) {
    return numberToTextNoRound(width, decimals, value);
}

std::string titleLine(const std::vector<SesColumn>& columns,
                      const std::vector<std::string>& right) {
    std::string line;
    for (const auto& c : columns) {
        if (!c.printable) continue;
        const int w = c.printWidth();
        if (c.numeric) {
            const std::string t = trimRight(firstChars(c.title, w));
            line += padLeft(t, w) + "  ";
        } else {
            line += firstChars(c.title, w + 1) + " ";
        }
    }
    dropLastTwo(line);
    if (right.size() >= 2) line += right[0];
    return line;
}

std::string dataLine(const std::vector<SesColumn>& columns, const std::string_view* cells) {
    // Written for every record of a report: each cell goes in without a text of its own, into
    // room taken at once.
    std::string line;
    line.reserve(256);
    for (const auto& c : columns) {
        if (!c.printable) continue;
        const std::string_view cell = cells[c.field - 1];
        const std::size_t w =
            c.printWidth() < 0 ? cell.size() : static_cast<std::size_t>(c.printWidth());
        const std::string_view v = cell.substr(0, w);
        line.append(v);
        line.append(w - v.size() + 2, ' ');
    }
    dropLastTwo(line);
    return line;
}

std::string sumLine(const std::vector<SesColumn>& columns, const double* sums) {
    std::string line;
    for (const auto& c : columns) {
        if (!c.printable) continue;
        if (c.numeric)
            line += formatSum(sums[c.field - 1], c.printWidth(), c.decimals);
        else
            line.append(static_cast<std::size_t>(c.printWidth()), ' ');
        line += "  ";
    }
    dropLastTwo(line);
    return line;
}

bool sumsNonZero(const std::vector<SesColumn>& columns, const double* sums) {
    for (const auto& c : columns)
        if (c.printable && c.numeric && std::fabs(sums[c.field - 1]) > kNonZero) return true;
    return false;
}

std::string subtotalLabel(const std::vector<SesColumn>& columns, int level) {
    std::size_t v = 0;
    for (const auto& c : columns)
        if (c.field < level && c.printable) v += static_cast<std::size_t>(c.printWidth()) + 2;
    std::string label(v, '*');
    if (v >= 1) label[v - 1] = ' ';
    if (v >= 2) label.replace(0, 2, "S ");
    const SesColumn& c = columns[static_cast<std::size_t>(level - 1)];
    return label + firstChars(c.title, c.printWidth() + 1);
}

void putLabel(std::string& line, const std::string& label) {
    if (line.size() < label.size()) line.resize(label.size(), ' ');
    line.replace(0, label.size(), label);
}

std::string headLine(const std::string& heading, std::size_t titleLength, int page) {
    std::string line = heading;
    if (titleLength > 11 && line.size() < titleLength - 11) line.resize(titleLength - 11, ' ');
    return line + "  STR:" + intToText(page, 5);
}

} // namespace sarw
