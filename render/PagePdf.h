#pragma once

#include "PageSource.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <string>

namespace sarw {

// Pages of a report as a PDF: one A4 page per report page in ascending order, each page laid
// out for the height 1.5 x width (or the nominal page height when greater) and scaled to the
// sheet; a taller page is scaled further so that it is never cut. Text stays text. The file is
// replaced whole (old or new after a crash).
struct PdfRequest {
    int from = 1;
    int to = 1;
    bool landscape = false;
    // A page's picture when it was retouched and is to go in as it now is; a null image draws
    // the page afresh.
    std::function<QImage(int page)> picture;
    // Hears each page written; false stops the export (nothing is written then).
    std::function<bool(int page)> progress;
};

// Empty when the file was written; otherwise the Czech message why not.
std::string writePagesPdf(PageSource& source, const std::filesystem::path& target,
                          const PdfRequest& request);

} // namespace sarw
