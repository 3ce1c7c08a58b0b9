#include "output/HeaderText.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/model/ReadDef.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sarw {

namespace {

struct NamedColour {
    const char* name; // upper case
    std::uint32_t value;
};

// In the order in which they are tried: "DKGRAY" must come before "GRAY".
constexpr std::array<NamedColour, 18> kColours = {{
    {"AQUA", 0xFFFF00},   {"BLACK", 0x000000},  {"BLUE", 0xFF0000},   {"CREAM", 0xF0FBFF},
    {"DKGRAY", 0x808080}, {"FUCHSIA", 0xFF00FF}, {"GRAY", 0x808080},  {"GREEN", 0x008000},
    {"LIME", 0x00FF00},   {"MAROON", 0x000080}, {"NAVY", 0x800000},   {"OLIVE", 0x008080},
    {"PURPLE", 0x800080}, {"RED", 0x0000FF},    {"SILVER", 0xC0C0C0}, {"TEAL", 0x808000},
    {"WHITE", 0xFFFFFF},  {"YELLOW", 0x00FFFF},
}};

std::vector<std::string_view> splitBars(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t bar = line.find('|', from);
        if (bar == std::string_view::npos) break;
        parts.push_back(line.substr(from, bar - from));
        from = bar + 1;
    }
    parts.push_back(line.substr(from));
    return parts;
}

// Position just after the n-th "|" (the line has at least n of them).
std::size_t afterBar(std::string_view line, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) at = line.find('|', at) + 1;
    return at;
}

std::vector<std::string> readLines(Session& s, const std::string& file) {
    std::vector<std::string> lines;
    if (file.empty() || !fileExistsWarn(s, file)) return lines;
    TextLineReader in(s.platform().native(file));
    std::string line;
    while (in.next(line)) lines.push_back(line);
    return lines;
}

} // namespace

Placeholders currentPlaceholders(Session& s) {
    if (s.period.Period.empty()) ReadPeriod(s);
    return {today(s), now(s), "20" + s.period.Period};
}

std::uint32_t colourByName(std::string_view field) {
    const std::string upper = upperCase(field);
    for (const auto& c : kColours)
        if (upper.find(c.name) != std::string::npos) return c.value;
    return kNoColour;
}

std::string replacePlaceholders(std::string_view text, const Placeholders& values) {
    std::string out(text);
    const std::pair<const char*, const std::string*> marks[] = {
        {"#DAT", &values.date}, {"#CAS", &values.time}, {"#OBD", &values.period}};
    for (const auto& [mark, value] : marks) {
        // Upper-casing keeps every character in place, so the position holds in the original.
        const std::size_t at = upperCase(out).find(mark);
        if (at != std::string::npos) out.replace(at, 4, *value);
    }
    return out;
}

HeaderLine parseHeaderLine(std::string_view line, const Placeholders& values) {
    const auto parts = splitBars(line);
    HeaderLine h;
    h.text = replacePlaceholders(parts[0], values);
    if (h.text.empty()) h.text = " ";
    // An attribute counts only when a further "|" follows it; the style is all after the fifth.
    auto given = [&](std::size_t i) { return parts.size() > i + 1 && !isBlank(parts[i]); };
    if (given(1)) h.indent = static_cast<int>(textToInt(parts[1]));
    if (given(2)) h.fontName = trimBoth(parts[2]);
    if (given(3)) h.fontSize = static_cast<int>(textToInt(parts[3]));
    if (given(4)) h.colour = colourByName(parts[4]);
    if (parts.size() > 5) {
        const std::string style = upperCase(line.substr(afterBar(line, 5)));
        h.bold = style.find("BOLD") != std::string::npos;
        h.italic = style.find("ITALIC") != std::string::npos;
    }
    return h;
}

std::vector<HeaderLine> readHeaderText(Session& s, const std::string& file,
                                       const Placeholders& values) {
    std::vector<HeaderLine> out;
    for (const auto& line : readLines(s, file)) out.push_back(parseHeaderLine(line, values));
    return out;
}

std::vector<std::string> readRightText(Session& s, const std::string& file) {
    std::vector<std::string> out;
    for (const auto& line : readLines(s, file)) out.push_back("  " + line);
    return out;
}

int rightTextWidth(const std::vector<std::string>& right) {
    std::size_t w = 0;
    for (std::size_t i = 0; i < right.size() && i < 2; ++i) w = std::max(w, right[i].size());
    return static_cast<int>(w);
}

} // namespace sarw
