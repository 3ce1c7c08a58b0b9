#include "FramedPictures.h"

#include "RenderFonts.h"

#include <QPainter>

namespace sarw {

namespace {

TextWidth widthIn(const QFont& font) {
    return [fm = pictureMetrics(font)](std::string_view t) {
        return fm.horizontalAdvance(pageText(std::string(t)));
    };
}

std::string trimmedRight(const std::string& t) {
    const std::size_t end = t.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : t.substr(0, end + 1);
}

void text(QPainter* p, const QFont& font, QColor colour, int x, int y, const std::string& t) {
    if (!p) return;
    p->setFont(font);
    p->setPen(colour);
    p->drawText(x, y + pictureMetrics(font).ascent(), pageText(t));
}

} // namespace

FramedPictures::FramedPictures(std::filesystem::path report, ColumnGeometry geometry,
                               std::vector<bool> numeric, bool frames)
    : headingFont(pictureFont(geometry.boldFont)), itemsFont(pictureFont(geometry.regularFont)),
      report_(std::move(report)), g_(std::move(geometry)), numeric_(std::move(numeric)),
      frames_(frames) {
    numeric_.resize(g_.columns.size(), false);
}

bool FramedPictures::prepare() {
    if (g_.columns.empty()) return false;
    const std::vector<int> widest = widestCells(report_, g_, widthIn(itemsFont));
    if (widest.empty()) return false;
    columns_ = framedColumnEdges(widest);
    const ReportShape shape = measureReport(report_, [](std::string_view) { return 0; });
    if (!shape.read) return false;
    pages_ = shape.pages;
    nominal_ = framedNominalHeight(g_, pictureMetrics(headingFont).height(),
                                   pictureMetrics(itemsFont).height());
    return true;
}

void FramedPictures::frameLine(QPainter* p, int y, int width, bool dotted) const {
    if (!p) return;
    QPen pen(bgrColour(g_.frameColour), width, dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap);
    p->setPen(pen);
    p->drawLine(columns_.left.front(), y, columns_.right.back(), y);
}

int FramedPictures::drawCells(const std::string& line, int y, QPainter* p) const {
    const QFontMetrics fm = pictureMetrics(itemsFont);
    if (!p) return fm.height();
    const int shift = itemsFont.italic() ? fm.horizontalAdvance(QLatin1Char('W')) / 3 : 0;
    for (std::size_t k = 0; k < g_.columns.size(); ++k) {
        const std::string cell = framedCell(line, g_.columns[k]);
        if (cell.empty()) continue;
        const int x = numeric_[k]
                          ? columns_.right[k] - fm.horizontalAdvance(pageText(cell)) - shift - 1
                          : columns_.left[k] + 3 - shift;
        text(p, itemsFont, Qt::black, x, y, cell);
    }
    return fm.height();
}

int FramedPictures::layout(const FramedPage& page, QPainter* p) const {
    int y = kPictureMargin;
    QFont font = headingFont;
    const TextWidth measure = [&font](std::string_view t) { return widthIn(font)(t); };
    for (std::size_t i = 0; i < page.head.size(); ++i) {
        std::string line = trimmedRight(page.head[i]);
        QColor colour = Qt::black;
        if (static_cast<int>(i) < g_.headingLines) {
            line = fitHeading(line, columns_.headingLimit, measure);
            // Smaller fonts, for the rest of the page's headings, while it is still too wide.
            for (int size : {7, 6, 5}) {
                if (measure(line) <= columns_.headingLimit) break;
                font = pictureFont("Small Fonts", size, false, false);
                line = fitHeading(line, columns_.headingLimit, measure);
            }
        } else {
            const std::size_t u = i - static_cast<std::size_t>(g_.headingLines);
            if (u < g_.upper.size()) {
                const HeaderLine& attr = g_.upper[u];
                font = pictureFont(attr);
                colour = bgrColour(attr.colour);
                line = std::string(static_cast<std::size_t>(std::max(attr.indent, 0)), ' ') + line;
            }
        }
        text(p, font, colour, kPictureMargin, y, line);
        y += pictureMetrics(font).height() + 3;
    }
    y += 2;
    const int top = y;
    if (frames_) frameLine(p, y, 3);
    y += 5;
    for (const std::string& title : page.titles) y += drawCells(title, y, p) + 3;
    y += 2;
    frameLine(p, y, 2);
    y += 4;
    const int firstInner = columns_.right.front() - columns_.left.front() - 1;
    for (const std::string& row : page.body) {
        const std::string shown = framedTotalRow(row, firstInner, widthIn(itemsFont));
        y += drawCells(shown, y, p) + 2;
        if (frames_) frameLine(p, y, 1, true);
        y += 2;
    }
    const int bottom = y - 2;
    frameLine(p, bottom, 3);
    if (frames_ && p) {
        const QColor c = bgrColour(g_.frameColour);
        auto vertical = [&](int x, int width) {
            p->setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
            p->drawLine(x, top, x, bottom);
        };
        vertical(columns_.left.front(), 3);
        for (std::size_t k = 0; k + 1 < columns_.right.size(); ++k) vertical(columns_.right[k], 1);
        vertical(columns_.right.back() + 2, 3);
    }
    y = bottom + 2;
    const std::size_t firstLower = g_.lower.size() - std::min(g_.lower.size(), page.lower.size());
    for (std::size_t i = 0; i < page.lower.size(); ++i) {
        QFont lf = itemsFont;
        QColor colour = Qt::black;
        std::string line = trimmedRight(page.lower[i]);
        if (firstLower + i < g_.lower.size()) {
            const HeaderLine& attr = g_.lower[firstLower + i];
            lf = pictureFont(attr);
            colour = bgrColour(attr.colour);
            line = std::string(static_cast<std::size_t>(std::max(attr.indent, 0)), ' ') + line;
        }
        text(p, lf, colour, kPictureMargin, y, line);
        y += pictureMetrics(lf).height() + 3;
    }
    return y + 32;
}

bool FramedPictures::forEachPage(int from, int to, const PageFn& fn) {
    ReportPageReader in = framedPageReader(report_, g_);
    if (!in.isOpen()) return false;
    std::vector<std::string> lines;
    for (int page = 1; page <= to && in.next(lines); ++page) {
        if (page < from) continue;
        const FramedPage parts = splitFramedPage(std::move(lines), g_);
        const int height = layout(parts, nullptr);
        if (height > nominal_ && tallPage) tallPage(page);
        if (!fn(page, height, [&](QPainter& p) { layout(parts, &p); })) return !in.failed();
    }
    return !in.failed();
}

} // namespace sarw
