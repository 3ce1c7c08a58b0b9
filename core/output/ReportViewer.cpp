#include "output/ReportViewer.h"

#include "output/ReportFile.h"
#include "platform/FileRead.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

void openReport(Session& s, const std::string& reportFile) {
    s.vyst.reportFile = reportFile;
    dropMask(s);
    int pages = 1;
    std::string bytes;
    if (readWholeFile(s.platform().native(reportFile), bytes)) pages = countPagesInText(bytes);
    s.vyst.printFrom = 1;
    s.vyst.printTo = pages;
}

void dropMask(Session& s) {
    if (s.vyst.reportFile.empty()) return;
    const std::string masked = maskedCopyName(s.vyst.reportFile);
    if (fileExists(s, masked)) deleteFile(s, masked);
}

std::string pageFieldText(int page) {
    return "  " + zeroPadInt(page, 3);
}

std::string marginFieldText(int margin) {
    return intToText(margin, 5);
}

bool takePrintFields(Session& s, std::string_view left, std::string_view top,
                     std::string_view from, std::string_view to, int pages) {
    auto number = [](std::string_view text, long long low, long long high) {
        return static_cast<int>(std::clamp(textToInt(text), low, high));
    };
    s.vyst.leftMargin = number(left, 0, 200);
    s.vyst.topMargin = number(top, 0, 200);
    const int last = std::max(pages, 1);
    s.vyst.printFrom = number(from, 1, last);
    s.vyst.printTo = number(to, 1, last);
    if (s.vyst.printFrom <= s.vyst.printTo) return true;
    warning(s, "Tisk od strany " + std::to_string(s.vyst.printFrom) +
                   " je vetsi nez tisk do strany " + std::to_string(s.vyst.printTo) + " !");
    return false;
}

bool viewerText(Session& s, std::string& file, std::string& bytes) {
    file = viewerFile(s, s.vyst.reportFile);
    if (!fileExistsWarn(s, file)) return false;
    if (!readWholeFile(s.platform().native(file), bytes)) {
        warning(s, "Soubor nelze precist:\r\r" + file);
        return false;
    }
    return true;
}

std::vector<PrintedPage> viewerPrintPages(Session& s, std::string_view text, int rowsPerSheet) {
    PageSelection sel;
    sel.from = s.vyst.printFrom;
    sel.to = s.vyst.printTo;
    sel.rowsPerSheet = rowsPerSheet;
    sel.leftMargin = s.vyst.leftMargin;
    return selectPrintPages(text, sel);
}

} // namespace sarw
