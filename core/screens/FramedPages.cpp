#include "screens/FramedPages.h"

#include "output/ReportLines.h"
#include "shell/Definition.h"
#include "shell/NumText.h"

#include <algorithm>

namespace sarw {

namespace {

std::string_view trimRight(std::string_view t) {
    const std::size_t end = t.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : t.substr(0, end + 1);
}

std::string_view trim(std::string_view t) {
    t = trimRight(t);
    const std::size_t from = t.find_first_not_of(' ');
    return from == std::string_view::npos ? std::string_view{} : t.substr(from);
}

bool isTotal(std::string_view line) {
    return line.substr(0, kTotalWord.size()) == kTotalWord;
}

} // namespace

FramedColumns framedColumnEdges(const std::vector<int>& cellWidths) {
    FramedColumns c;
    int right = 0;
    for (std::size_t k = 0; k < cellWidths.size(); ++k) {
        const int left = k == 0 ? kPictureMargin : right;
        right = k == 0 ? 37 + cellWidths[0] : right + cellWidths[k] + 4;
        c.left.push_back(left);
        c.right.push_back(right);
    }
    c.pictureWidth = right + 32;
    c.headingLimit = right - 26;
    return c;
}

std::string framedCell(std::string_view line, const GeometryColumn& column) {
    const std::size_t from = static_cast<std::size_t>(std::max(column.start, 1) - 1);
    if (from >= line.size() || column.width <= 0) return {};
    const std::string_view cell = line.substr(from, static_cast<std::size_t>(column.width));
    return std::string(column.rightText ? trimRight(cell) : trim(cell));
}

std::vector<bool> numericColumns(const Definition& def, const ColumnGeometry& g) {
    std::vector<bool> numeric(g.columns.size(), false);
    for (std::size_t k = 0; k < g.columns.size(); ++k) {
        if (g.columns[k].rightText || static_cast<int>(k) >= def.fieldCount()) continue;
        const std::string& type = def.fields[k].type;
        numeric[k] = !type.empty() && (type[0] == 'N' || type[0] == 'L');
    }
    return numeric;
}

std::vector<int> widestCells(const std::filesystem::path& report, const ColumnGeometry& g,
                             const TextWidth& width) {
    TextLineReader in(report);
    if (!in.isOpen()) return {};
    std::vector<int> widest(g.columns.size(), 0);
    int skipHead = g.headLines; // the file's start counts as a page break
    std::string line;
    while (in.next(line)) {
        if (line.empty()) continue;
        if (isPageBreak(line)) {
            skipHead = g.headLines;
            continue;
        }
        if (skipHead > 0) {
            --skipHead;
            continue;
        }
        if (isTotal(line)) line.replace(0, kTotalWord.size(), "S     ");
        for (std::size_t k = 0; k < g.columns.size(); ++k)
            widest[k] = std::max(widest[k], width(framedCell(line, g.columns[k])));
    }
    if (in.failed()) return {};
    return widest;
}

ReportPageReader framedPageReader(const std::filesystem::path& report, const ColumnGeometry& g) {
    return ReportPageReader(report, std::max(g.headLines + g.titleLines, 0));
}

FramedPage splitFramedPage(std::vector<std::string> lines, const ColumnGeometry& g) {
    FramedPage p;
    auto take = [&lines](std::size_t& at, std::size_t n, std::vector<std::string>& into) {
        n = std::min(n, lines.size() - at);
        into.assign(std::make_move_iterator(lines.begin() + static_cast<long>(at)),
                    std::make_move_iterator(lines.begin() + static_cast<long>(at + n)));
        at += n;
    };
    std::size_t at = 0;
    take(at, static_cast<std::size_t>(std::max(g.headLines, 0)), p.head);
    take(at, static_cast<std::size_t>(std::max(g.titleLines, 0)), p.titles);
    const std::size_t rest = lines.size() - at;
    const std::size_t lower = std::min(rest, static_cast<std::size_t>(std::max(g.lowerLines, 0)));
    take(at, rest - lower, p.body);
    take(at, lower, p.lower);
    return p;
}

int framedNominalHeight(const ColumnGeometry& g, int headingHeight, int itemHeight) {
    const int rows = std::max(g.rowsPerPage - g.headLines - g.titleLines, 0);
    return kPictureMargin + g.headLines * (headingHeight + 3) + 7 +
           g.titleLines * (itemHeight + 3) + 6 + rows * (itemHeight + 4) + 30;
}

std::string framedTotalRow(std::string_view row, int limit, const TextWidth& width) {
    std::string out(row);
    if (!isTotal(row)) return out;
    out.replace(0, kTotalWord.size(), std::string(kTotalWord.size(), ' '));
    std::string mark;
    // Bounded by the row, whatever the widths measure.
    while (mark.size() < out.size() && width(mark + "S") < limit) mark += 'S';
    while (!mark.empty() && mark.size() < out.size() && width(mark + " ") < limit) mark += ' ';
    out.replace(0, std::min(mark.size(), out.size()), mark);
    return out;
}

std::string fitHeading(std::string text, int limit, const TextWidth& width) {
    for (std::size_t run; width(text) > limit && (run = text.find("   ")) != std::string::npos;)
        text.erase(run, 1);
    std::size_t at = upperCase(text).find("STR:");
    if (at == std::string::npos) at = text.find("    ");
    // A blank that adds no width would never end the loop: at most one per pixel of the limit.
    for (int room = std::max(limit, 0);
         at != std::string::npos && room > 0 && width(std::string(text).insert(at, " ")) <= limit;
         --room)
        text.insert(at, " ");
    return text;
}

} // namespace sarw
