#pragma once

#include "PageSource.h"

#include <QImage>

#include <filesystem>
#include <functional>

namespace sarw {

// A page drawn into a white picture of the source's width and the page's height.
QImage drawPage(const PageSource& source, int height, const PageSource::Paint& paint);

// A picture extended with white to a height (a taller one stays as it is).
QImage extendedTo(const QImage& picture, int height);

// Writes the pictures of pages from..to as PNG files, one page in memory at a time; fileOf
// names a page's file, progress (optional) hears each page drawn and may stop the walk by
// giving false. Gives the greatest page height written, 0 when nothing could be read or a
// file could not be written.
struct PictureRun {
    int pagesWritten = 0;
    int tallest = 0;
    bool ok = false;
};
PictureRun writePagePictures(PageSource& source, int from, int to,
                             const std::function<std::filesystem::path(int page)>& fileOf,
                             const std::function<bool(int page)>& progress = {});

} // namespace sarw
