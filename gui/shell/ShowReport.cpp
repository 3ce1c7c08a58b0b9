#include "shell/ShowReport.h"

#include "editors/TTextEdit.h"

namespace sarw {

void showReportFile(Session& s, const std::string& reportFile, QWidget* parent) {
    TTextEdit viewer(s, parent);
    viewer.editFile(reportFile);
}

} // namespace sarw
