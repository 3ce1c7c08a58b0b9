#pragma once

#include <functional>

namespace sarw {

// The caret rules of the text file editor, on a text seen as line lengths. Lines and columns
// count from 0 here.

struct CaretPlace {
    int line = 0;
    int column = 0;
    bool operator==(const CaretPlace&) const = default;
};

struct CaretText {
    int lineCount = 1;
    std::function<int(int line)> length;
    int pageLines = 1; // lines a page key moves
};

struct CaretRules {
    bool enterNewLines = true;
    int fixedColumn = 0; // only when Enter makes no new lines
};

enum class VerticalMove { Up, Down, PageUp, PageDown, Top, Bottom, Enter };

// Up, Down, PgUp, PgDn, Ctrl+Home, Ctrl+End and (when it makes no new lines) Enter: the line
// reached keeps the remembered column, or its end when it is shorter. Without new lines Enter
// goes down one line to the fixed column, the caret is kept at or right of the fixed column,
// and a move that reaches an empty line goes one line up instead.
CaretPlace moveVertically(const CaretText& text, CaretPlace from, int remembered, VerticalMove move,
                          const CaretRules& rules);

// A column reached on a line of the given length by Home, Left, a click or typing, kept at or
// right of the fixed column where the line is long enough.
int allowedColumn(int column, int lineLength, const CaretRules& rules);

} // namespace sarw
