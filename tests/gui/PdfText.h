#pragma once

#include <QSizeF>
#include <QString>

#include <filesystem>

namespace sarw::test {

// What poppler reads back from a printed PDF: its page count (0 when unreadable) and its text,
// pages separated by form feeds.
int pdfPages(const std::filesystem::path& pdf);
QString pdfText(const std::filesystem::path& pdf);
// The size of its first page in points; empty when unreadable.
QSizeF pdfPageSize(const std::filesystem::path& pdf);

} // namespace sarw::test
