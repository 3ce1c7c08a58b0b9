#include "output/ReportPrint.h"

#include "shell/PrintSettings.h"
#include "shell/QtText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace sarw {

QFont reportFont(const PrintSettings& p) {
    QFont f(p.fontName.empty() ? QStringLiteral("Courier New") : qs(p.fontName));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(p.fontSize > 0 ? p.fontSize : PrintSettings{}.fontSize);
    f.setBold(p.bold);
    f.setItalic(p.italic);
    f.setUnderline(p.underline);
    f.setStrikeOut(p.strikeOut);
    return f;
}

QColor reportColour(const PrintSettings& p) {
    return QColor(static_cast<int>(p.fontColour & 0xff),
                  static_cast<int>((p.fontColour >> 8) & 0xff),
                  static_cast<int>((p.fontColour >> 16) & 0xff));
}

void applyOrientation(QPrinter& printer, const PrintSettings& p) {
    printer.setPageOrientation(p.orientation == 1 ? QPageLayout::Landscape
                                                  : QPageLayout::Portrait);
}

int SheetGeometry::rows() const {
    int n = 0;
    for (int y = firstLine; y < limit; y += pitch) ++n;
    return n > 0 ? n : 1;
}

namespace {

int pageHeight(QPrinter& printer) {
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

} // namespace

SheetGeometry reportGeometry(QPrinter& printer, const QFont& font, int topMargin) {
    const int h = QFontMetrics(font, &printer).height(); // the line height of "O"
    SheetGeometry g;
    g.pitch = h + 2;
    g.firstLine = h * topMargin + 1;
    g.limit = pageHeight(printer) - 2 * h - 1;
    return g;
}

SheetGeometry editorGeometry(QPrinter& printer, const QFont& font) {
    const int h = QFontMetrics(font, &printer).height(); // the line height of "O"
    SheetGeometry g;
    g.pitch = h + 2;
    g.firstLine = 11;
    g.limit = pageHeight(printer) - 2 * g.pitch - 1;
    return g;
}

bool sheetsFitWidth(QPrinter& printer, const QFont& font, const std::vector<PrintedPage>& sheets) {
    const QFontMetrics m(font, &printer);
    const int width = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    for (const auto& sheet : sheets)
        for (const auto& line : sheet)
            if (m.horizontalAdvance(qs(line) + QStringLiteral("  ")) > width) return false;
    return true;
}

bool printSheets(QPrinter& printer, const QFont& font, const SheetGeometry& g,
                 const std::vector<PrintedPage>& sheets) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(font);
    const int ascent = QFontMetrics(font, &printer).ascent();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0) printer.newPage();
        int y = g.firstLine;
        for (const auto& line : sheets[i]) {
            painter.drawText(1, y + ascent, qs(line));
            y += g.pitch;
        }
    }
    return painter.end();
}

} // namespace sarw
