#include "documents/Document.h"

#include "shell/NumText.h"

#include <algorithm>

namespace sarw {

bool isBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

Document::Document() : items_(kMaxItems) { resetItems(widths_); }

void Document::resetItems(const std::array<int, kItemColumns>& widths) {
    widths_ = widths;
    for (auto& row : items_)
        for (int k = 0; k < kItemColumns; ++k)
            row[static_cast<size_t>(k)].assign(static_cast<size_t>(widths_[static_cast<size_t>(k)]), ' ');
    renumber();
}

bool Document::rowFilled(int row) const {
    const auto& cells = items_[static_cast<size_t>(row - 1)];
    return std::any_of(cells.begin() + 1, cells.end(),
                       [](const std::string& c) { return !isBlank(c); });
}

bool Document::anyRowFilled() const {
    for (int r = 1; r <= kMaxItems; ++r)
        if (rowFilled(r)) return true;
    return false;
}

std::string Document::identification() const {
    std::string id;
    for (int c = 1; c <= 6; ++c) id += head(c);
    return id;
}

bool Document::identificationComplete() const {
    for (int c = 1; c <= 6; ++c)
        if (isBlank(head(c))) return false;
    return true;
}

bool Document::isIssue() const { return head(7) >= "500"; }

void Document::insertRow(int row) {
    std::move_backward(items_.begin() + row - 1, items_.end() - 1, items_.end());
    auto& fresh = items_[static_cast<size_t>(row - 1)];
    for (int k = 0; k < kItemColumns; ++k)
        fresh[static_cast<size_t>(k)].assign(static_cast<size_t>(widths_[static_cast<size_t>(k)]), ' ');
    renumber();
}

void Document::removeRow(int row) {
    std::move(items_.begin() + row, items_.end(), items_.begin() + row - 1);
    auto& last = items_.back();
    for (int k = 0; k < kItemColumns; ++k)
        last[static_cast<size_t>(k)].assign(static_cast<size_t>(widths_[static_cast<size_t>(k)]), ' ');
    renumber();
}

void Document::renumber() {
    for (int r = 1; r <= kMaxItems; ++r) items_[static_cast<size_t>(r - 1)][0] = zeroPadInt(r, 4);
}

} // namespace sarw
