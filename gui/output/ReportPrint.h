#pragma once

#include "output/PrintPages.h"

#include <QColor>
#include <QFont>

class QPrinter;

namespace sarw {

struct PrintSettings;

// Printing report text on a printer page by page, in a fixed-pitch font.

// The report font of the print settings (a blank name or size takes the defaults).
QFont reportFont(const PrintSettings& p);
// The report font's colour (0x00BBGGRR).
QColor reportColour(const PrintSettings& p);
// Puts the orientation of the print settings on the printer.
void applyOrientation(QPrinter& printer, const PrintSettings& p);

// Where the lines of a sheet go: the first at firstLine pixels, each pitch pixels lower, and a
// sheet is full once a line would reach the page height less two lines.
struct SheetGeometry {
    int firstLine = 0;
    int pitch = 1;
    int limit = 1;
    int rows() const;
};
// The report rule: the line height of "O" plus 2, topMargin lines left out at the top.
SheetGeometry reportGeometry(QPrinter& printer, const QFont& font, int topMargin);
// The text editor's rule: the first line 11 pixels from the top.
SheetGeometry editorGeometry(QPrinter& printer, const QFont& font);

// The widest line with two blanks after it fits the printable width.
bool sheetsFitWidth(QPrinter& printer, const QFont& font, const std::vector<PrintedPage>& sheets);
// Prints the sheets, each on a page of its own; false when the job could not be started.
bool printSheets(QPrinter& printer, const QFont& font, const SheetGeometry& g,
                 const std::vector<PrintedPage>& sheets);

} // namespace sarw
