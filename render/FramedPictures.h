#pragma once

#include "PageSource.h"

#include "screens/FramedPages.h"

#include <QFont>

#include <filesystem>
#include <functional>
#include <vector>

namespace sarw {

// The framed graphic table report: per page the headings and the upper text, the table in a
// frame of the frame colour with one column per printed field (numeric ones right-aligned),
// inner grid lines when `frames` is set, and the lower text. Each page is measured before it is
// drawn, so a page taller than the nominal height is drawn whole.
class FramedPictures : public PageSource {
public:
    FramedPictures(std::filesystem::path report, ColumnGeometry geometry, std::vector<bool> numeric,
                   bool frames);

    // The fonts the pictures use: bold and regular of the geometry until replaced.
    QFont headingFont;
    QFont itemsFont;
    // Told of each page taller than the nominal height (it is still drawn whole).
    std::function<void(int page)> tallPage;

    bool prepare() override;
    int pageCount() const override { return pages_; }
    int pictureWidth() const override { return columns_.pictureWidth; }
    int nominalHeight() const override { return nominal_; }
    bool forEachPage(int from, int to, const PageFn& fn) override;

    const FramedColumns& columns() const { return columns_; }

private:
    // Lays a page out; draws it when a painter is given. Gives the page height.
    int layout(const FramedPage& page, QPainter* p) const;
    int drawCells(const std::string& line, int y, QPainter* p) const;
    void frameLine(QPainter* p, int y, int width, bool dotted = false) const;

    std::filesystem::path report_;
    ColumnGeometry g_;
    std::vector<bool> numeric_;
    bool frames_;
    FramedColumns columns_;
    int pages_ = 0;
    int nominal_ = 0;
};

} // namespace sarw
