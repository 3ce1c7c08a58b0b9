#include "screens/ColumnGeometry.h"

#include "output/HeaderText.h"
#include "screens/GenerSes.h"
#include "shell/WorkFiles.h"

#include <algorithm>

namespace sarw {

namespace {

FontSpec reportFont(const PrintSettings& p, bool bold) {
    return {"Courier New", p.fontSize, bold, p.italic, p.underline, p.strikeOut, p.fontColour};
}

void addRightColumn(ColumnGeometry& g, int rightWidth, SesRenderer renderer) {
    const int previous = g.columns.empty() ? 1 : g.columns.back().start;
    GeometryColumn c;
    c.rightText = true;
    c.start = previous + rightWidth;
    c.width = rightWidth - 1;
    if (renderer == SesRenderer::Graphic) {
        c.start += 2;
        c.end = c.start + rightWidth + 5;
        c.width = rightWidth + 2;
    }
    g.columns.push_back(c);
}

} // namespace

ColumnGeometry columnGeometry(const SesLayout& layout, SesRenderer renderer,
                              const PrintSettings& settings) {
    ColumnGeometry g;
    int start = 1;
    for (const auto& c : layout.columns) {
        const int w = c.printWidth();
        g.columns.push_back({start, w + 1, 0, false});
        start += w + 2;
    }
    if (!layout.right.empty()) addRightColumn(g, rightTextWidth(layout.right), renderer);
    g.headingLines = layout.headingLines;
    if (renderer == SesRenderer::RichText) return g;
    g.headLines = static_cast<int>(layout.upper.size()) + layout.headingLines;
    g.titleLines = 1;
    g.upper = layout.upper;
    g.lower = layout.lower;
    g.lowerLines = static_cast<int>(layout.lower.size());
    g.workDef = kSesWorkDef;
    g.boldFont = reportFont(settings, true);
    g.regularFont = reportFont(settings, false);
    g.rowsPerPage = settings.rowsPerPage;
    return g;
}

} // namespace sarw
