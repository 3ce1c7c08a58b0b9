#pragma once

#include "PageSource.h"

#include <QColor>
#include <QFont>

#include <filesystem>
#include <string>
#include <vector>

namespace sarw {

// The pages of a text report drawn as they stand: each line in the report font at x = 31, the
// first at y = 31, each next the line height + 2 lower; 62 pixels below the last. The width is
// the widest line of the whole report + 60; a page of any length is drawn whole.
class TextPictures : public PageSource {
public:
    TextPictures(std::filesystem::path report, QFont font, QColor colour, int rowsPerPage);

    bool prepare() override;
    int pageCount() const override { return pages_; }
    int pictureWidth() const override { return width_; }
    int nominalHeight() const override;
    bool forEachPage(int from, int to, const PageFn& fn) override;

    long long lineCount() const { return lines_; }
    int lineHeight() const { return lineHeight_; }

private:
    void paint(QPainter& p, const std::vector<std::string>& lines) const;

    std::filesystem::path report_;
    QFont font_;
    QColor colour_;
    int rowsPerPage_;
    int pages_ = 0;
    long long lines_ = 0;
    int width_ = 0;
    int lineHeight_ = 0;
};

} // namespace sarw
