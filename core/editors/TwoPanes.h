#pragma once

#include <cstdint>

namespace sarw {

// "Zobrazeni ve dvou oknech": a left pane holds a copy of the text, as wide as the columns left
// of the caret, so that they stay in view while the editable pane scrolls to the right.
struct TwoPanes {
    static constexpr int kMargin = 28; // pixels beside the characters

    // The left pane's width for the caret column (from 0) and the width of one "W".
    static int width(int column, int charWidth);
    // The boundary moved by one "W" to the left (direction -1) or right (+1); never narrower
    // than the margin alone.
    static int shifted(int width, int charWidth, int direction);
    // The left pane's text colour: blue, or green when the text itself is blue (0xRRGGBB).
    static std::uint32_t colour(std::uint32_t textRgb);
};

} // namespace sarw
