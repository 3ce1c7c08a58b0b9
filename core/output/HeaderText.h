#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// Header text files: the upper and lower texts of a report's pages, one output line per file
// line, each optionally followed by rendering attributes after "|": indent, font name, font
// size, colour name, style. The plain text report uses only the text.

// The colour of a field that names none of the known colours.
constexpr std::uint32_t kNoColour = 0x1FFFFFFF;

struct HeaderLine {
    std::string text = " "; // placeholders replaced; an empty text becomes one blank
    int indent = 0;
    std::string fontName = "Courier New";
    int fontSize = 10;
    std::uint32_t colour = 0; // 0x00BBGGRR
    bool bold = false;
    bool italic = false;
};

// What the placeholders "#DAT", "#CAS" and "#OBD" are replaced by.
struct Placeholders {
    std::string date;   // dd.mm.yyyy
    std::string time;   // hh:mm:ss
    std::string period; // "20" followed by the accounting period
};
// Today, now and the session's period (read when it is not known yet).
Placeholders currentPlaceholders(Session& s);

// The first colour name of the fixed list found anywhere in the field (without regard to case),
// kNoColour when there is none.
std::uint32_t colourByName(std::string_view field);
// Each placeholder, found without regard to case, replaced at most once.
std::string replacePlaceholders(std::string_view text, const Placeholders& values);
HeaderLine parseHeaderLine(std::string_view line, const Placeholders& values);

// The lines of an upper or lower text file. A named file that is missing is reported as not
// found and gives no lines; an empty name gives no lines silently.
std::vector<HeaderLine> readHeaderText(Session& s, const std::string& file,
                                       const Placeholders& values);
// The right text file: each line with two blanks in front, no attributes.
std::vector<std::string> readRightText(Session& s, const std::string& file);
// The greater length of the first two right text lines.
int rightTextWidth(const std::vector<std::string>& right);

} // namespace sarw
