#pragma once

#include "output/HeaderText.h"
#include "shell/PrintSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sarw {

struct SesLayout;

// The framed renderers a table report is handed to: "Sestava II" (rich-text pages) and
// "Sestava III" (graphic table).
enum class SesRenderer { RichText, Graphic };

struct GeometryColumn {
    int start = 0; // 1-based character column
    int width = 0;
    int end = 0;   // the right text column of the graphic report; 0 otherwise
    bool rightText = false;
};

struct FontSpec {
    std::string name;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t colour = 0;
};

// What a framed renderer needs besides the report file.
struct ColumnGeometry {
    std::vector<GeometryColumn> columns; // the printed fields in order, then the right text
    int headingLines = 1;                // 2 with a second heading
    // Graphic report only.
    int headLines = 0;  // upper text lines + heading lines
    int titleLines = 1; // column title lines
    std::vector<HeaderLine> upper;
    std::vector<HeaderLine> lower;
    int lowerLines = 0;
    std::string workDef; // C:\A_Run\Work\CdsScrW_.Def
    FontSpec boldFont;
    FontSpec regularFont;
    std::uint32_t frameColour = 0xFF0000; // blue, 0x00BBGGRR
    int rowsPerPage = 0;
};

// Field columns start at 1 and each next one min(width, 50) + 2 further on, printed
// min(width, 50) + 1 wide. A right text adds one column: for the rich-text pages it starts at
// the last field column's start plus the right text's width and is that width - 1 wide; for the
// graphic report its start is 2 further right, it ends at start + width + 5 and is width + 2
// wide.
ColumnGeometry columnGeometry(const SesLayout& layout, SesRenderer renderer,
                              const PrintSettings& settings);

} // namespace sarw
