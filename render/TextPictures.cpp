#include "TextPictures.h"

#include "RenderFonts.h"

#include "output/PagePictures.h"

#include <QPainter>

namespace sarw {

TextPictures::TextPictures(std::filesystem::path report, QFont font, QColor colour, int rowsPerPage)
    : report_(std::move(report)), font_(std::move(font)), colour_(colour),
      rowsPerPage_(rowsPerPage) {}

bool TextPictures::prepare() {
    const QFontMetrics fm = pictureMetrics(font_);
    const ReportShape shape = measureReport(report_, [&fm](std::string_view line) {
        return fm.horizontalAdvance(pageText(std::string(line)));
    });
    if (!shape.read) return false;
    pages_ = shape.lines == 0 ? 0 : shape.pages;
    lines_ = shape.lines;
    width_ = shape.widest + 60;
    lineHeight_ = fm.height();
    return true;
}

int TextPictures::nominalHeight() const {
    return textPageHeight(rowsPerPage_, lineHeight_);
}

void TextPictures::paint(QPainter& p, const std::vector<std::string>& lines) const {
    p.setFont(font_);
    p.setPen(colour_);
    const QFontMetrics fm = pictureMetrics(font_);
    int y = kPictureMargin;
    for (const std::string& line : lines) {
        p.drawText(kPictureMargin, y + fm.ascent(), pageText(line));
        y += lineHeight_ + 2;
    }
}

bool TextPictures::forEachPage(int from, int to, const PageFn& fn) {
    ReportPageReader in(report_);
    if (!in.isOpen()) return false;
    std::vector<std::string> lines;
    for (int page = 1; page <= to && in.next(lines); ++page) {
        if (page < from) continue;
        const int height = textPageHeight(static_cast<long long>(lines.size()), lineHeight_);
        if (!fn(page, height, [&](QPainter& p) { paint(p, lines); })) return !in.failed();
    }
    return !in.failed();
}

} // namespace sarw
