#include "editors/CaretMoves.h"

#include <algorithm>

namespace sarw {

namespace {

bool fixed(const CaretRules& rules) {
    return !rules.enterNewLines;
}

} // namespace

int allowedColumn(int column, int lineLength, const CaretRules& rules) {
    column = std::clamp(column, 0, std::max(lineLength, 0));
    if (!fixed(rules)) return column;
    return std::max(column, std::min(rules.fixedColumn, lineLength));
}

CaretPlace moveVertically(const CaretText& text, CaretPlace from, int remembered, VerticalMove move,
                          const CaretRules& rules) {
    const int last = std::max(text.lineCount - 1, 0);
    const int page = std::max(text.pageLines, 1);
    int line = from.line;
    switch (move) {
    case VerticalMove::Up:
        line -= 1;
        break;
    case VerticalMove::Down:
        line += 1;
        break;
    case VerticalMove::Enter:
        line += 1;
        break;
    case VerticalMove::PageUp:
        line -= page;
        break;
    case VerticalMove::PageDown:
        line += page;
        break;
    case VerticalMove::Top:
        line = 0;
        break;
    case VerticalMove::Bottom:
        line = last;
        break;
    }
    line = std::clamp(line, 0, last);
    if (fixed(rules) && line > 0 && text.length(line) == 0) --line;
    const int column = move == VerticalMove::Enter && fixed(rules) ? rules.fixedColumn : remembered;
    return {line, allowedColumn(column, text.length(line), rules)};
}

} // namespace sarw
