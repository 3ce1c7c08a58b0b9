#include "output/ShowReport.h"

#include "output/TVyst.h"

namespace sarw {

void showReport(QWidget* parent, Session& s, const std::string& reportFile) {
    TVyst viewer(s, parent);
    viewer.open(reportFile);
    viewer.exec();
}

} // namespace sarw
