#pragma once

#include <cstdint>
#include <string>

namespace sarw {

// The report font, the rows of a printed page and the page orientation: what every printed
// report is shaped by. One set per program, kept in NumRowFont.Dat between runs.
struct PrintSettings {
    std::string fontName = "Courier New"; // at most 100 characters
    int fontSize = 8;                     // points, 0-255
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t fontColour = 0; // 0x00BBGGRR
    int rowsPerPage = 80;
    int orientation = 0; // 0 portrait, 1 landscape
};

} // namespace sarw
