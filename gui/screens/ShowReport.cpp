#include "screens/ShowReport.h"

#include "editors/TTextEdit.h"

namespace sarw {

void showReportFile(Session& s, QWidget* parent, const std::string& file) {
    TTextEdit viewer(s, parent);
    viewer.editFile(file);
}

} // namespace sarw
