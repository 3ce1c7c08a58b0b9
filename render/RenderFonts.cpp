#include "RenderFonts.h"

#include "output/HeaderText.h"
#include "platform/Cp1250.h"
#include "screens/ColumnGeometry.h"
#include "shell/PrintSettings.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace sarw {

QFont pictureFont(const std::string& name, int points, bool bold, bool italic) {
    QFont f(name.empty() ? QStringLiteral("Courier New") : pageText(name));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kPictureDpi / 72.0))));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont pictureFont(const FontSpec& s) {
    QFont f = pictureFont(s.name, s.size > 0 ? s.size : 8, s.bold, s.italic);
    f.setUnderline(s.underline);
    f.setStrikeOut(s.strikeOut);
    return f;
}

QFont pictureFont(const HeaderLine& line) {
    return pictureFont(line.fontName, line.fontSize, line.bold, line.italic);
}

QFont pictureFont(const PrintSettings& p) {
    QFont f = pictureFont(p.fontName, p.fontSize > 0 ? p.fontSize : PrintSettings{}.fontSize,
                          p.bold, p.italic);
    f.setFixedPitch(true);
    f.setUnderline(p.underline);
    f.setStrikeOut(p.strikeOut);
    return f;
}

QFont inPictureSize(QFont font) {
    if (font.pointSizeF() > 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kPictureDpi / 72.0))));
    return font;
}

QColor bgrColour(std::uint32_t bgr) {
    if (bgr == kNoColour) return Qt::black;
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QString pageText(const std::string& cp1250) {
    return QString::fromStdString(cp1250ToUtf8(cp1250));
}

QFontMetrics pictureMetrics(const QFont& font) {
    // Pixel-sized fonts measure the same on every device; the image only names the resolution.
    static const QImage device(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &device);
}

} // namespace sarw
