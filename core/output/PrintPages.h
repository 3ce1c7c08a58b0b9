#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// Which lines of a report go on which printed page. The printing itself (fonts, the printer)
// is the window's; this is the part that can be wrong to the line.

using PrintedPage = std::vector<std::string>;

struct PageSelection {
    int from = 1; // first report page to print, 1-based
    int to = 1;   // last report page to print, inclusive
    // Lines that fit on a sheet; a longer page goes on over further sheets. 0: no limit.
    int rowsPerSheet = 0;
    // Blanks put in front of every printed line.
    int leftMargin = 0;
    // Only lines that begin with a form feed break the page (the text editor's rule); otherwise
    // any line that holds one does (the report rule).
    bool breakAtLineStart = false;
};

// The sheets of the selected pages. Page-break lines are not printed: each passed one ends a
// sheet, and a new sheet begins while more of the selection follows. Skipping to the first
// page passes from - 1 page breaks. An empty selection (from > to) gives no sheet.
std::vector<PrintedPage> selectPrintPages(std::string_view text, const PageSelection& sel);

} // namespace sarw
