#pragma once

#include <functional>

class QPainter;

namespace sarw {

// The pages of a report as pictures of one width and their own heights, drawn one at a time,
// so that memory holds one page however many there are.
class PageSource {
public:
    virtual ~PageSource() = default;

    // Draws a page with the painter's origin at the picture's top left corner.
    using Paint = std::function<void(QPainter&)>;
    // Called for each page in turn; false stops the walk.
    using PageFn = std::function<bool(int page, int height, const Paint& paint)>;

    // Measures the report (the first pass); false when it cannot be read.
    virtual bool prepare() = 0;
    virtual int pageCount() const = 0;
    virtual int pictureWidth() const = 0;
    // The height of a full page (rows per page), which the PDF pages are laid out for.
    virtual int nominalHeight() const = 0;
    // Pages from..to (1-based, inclusive) in order; false when the report cannot be read.
    virtual bool forEachPage(int from, int to, const PageFn& fn) = 0;
};

} // namespace sarw
