#include "output/PrintPages.h"

#include "output/ReportLines.h"

#include <algorithm>

namespace sarw {

std::vector<PrintedPage> selectPrintPages(std::string_view text, const PageSelection& sel) {
    std::vector<PrintedPage> sheets;
    if (sel.from > sel.to || sel.to < 1) return sheets;
    const std::string margin(static_cast<std::size_t>(std::max(sel.leftMargin, 0)), ' ');
    int passed = 0; // page breaks passed so far
    bool open = false;
    bool done = false;
    forEachLine(text, [&](std::string_view line) {
        if (done) return;
        const bool pageBreak =
            sel.breakAtLineStart ? !line.empty() && line.front() == '\f' : isPageBreak(line);
        if (passed < sel.from - 1) {
            if (pageBreak) ++passed;
            return;
        }
        if (!open) {
            sheets.emplace_back();
            open = true;
        }
        if (pageBreak) {
            ++passed;
            done = passed >= sel.to;
            open = false;
            return;
        }
        const auto rows = static_cast<std::size_t>(std::max(sel.rowsPerSheet, 0));
        if (rows > 0 && sheets.back().size() >= rows) sheets.emplace_back();
        sheets.back().push_back(margin + std::string(line));
    });
    return sheets;
}

} // namespace sarw
