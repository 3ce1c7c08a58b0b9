#pragma once

#include "output/PrintPages.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The output viewer's steps that are not drawing; its state is Session::vyst.

constexpr const char* kViewerCaption = "Zobrazeni/Editace/Tisk textoveho souboru";
constexpr const char* kReportTooWide = "Sestava je priliz siroka,je treba zmensit velikost fontu.";

// Opening the viewer on a report: the name kept, a masked copy left from before removed, and
// the print range set to the whole of this report (1 to its page count), so pages chosen for an
// earlier report never cut this one short.
void openReport(Session& s, const std::string& reportFile);
// " Zpet" and closing: the masked copy goes, the report itself is printed again.
void dropMask(Session& s);

// The page fields as shown after use: two blanks and three digits; margins right-aligned in 5.
std::string pageFieldText(int page);
std::string marginFieldText(int margin);
// Takes the margin and page fields before printing. Pages are lowered to the page count and
// raised to 1; false after a message when the first page lies after the last.
bool takePrintFields(Session& s, std::string_view left, std::string_view top,
                     std::string_view from, std::string_view to, int pages);

// The file the actions use (the masked copy when it exists) and its bytes; false after the
// not-found message or when it cannot be read.
bool viewerText(Session& s, std::string& file, std::string& bytes);
// The sheets of a graphic print of the text: the viewer's page range and left margin, so many
// lines a sheet.
std::vector<PrintedPage> viewerPrintPages(Session& s, std::string_view text, int rowsPerSheet);

} // namespace sarw
