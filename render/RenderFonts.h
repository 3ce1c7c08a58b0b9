#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <cstdint>
#include <string>

namespace sarw {

struct FontSpec;
struct HeaderLine;
struct PrintSettings;

// Page pictures are drawn at 96 pixels per inch; their fonts are sized in pixels, so that a page
// drawn scaled into a PDF or onto a printer keeps its layout.
constexpr int kPictureDpi = 96;

QFont pictureFont(const std::string& name, int points, bool bold, bool italic);
QFont pictureFont(const FontSpec& f);
QFont pictureFont(const HeaderLine& line);
// The report font of the print settings.
QFont pictureFont(const PrintSettings& p);
// A font given in points (a font dialog's) in pixels of the pictures.
QFont inPictureSize(QFont font);
// 0x00BBGGRR; "no colour" draws black.
QColor bgrColour(std::uint32_t bgr);
// Windows-1250 text for the painter.
QString pageText(const std::string& cp1250);
// Metrics of a font on the pictures.
QFontMetrics pictureMetrics(const QFont& font);

} // namespace sarw
