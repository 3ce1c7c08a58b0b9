#pragma once

#include <string>

class QWidget;

namespace sarw {

class Session;

// Shows a report file to the user, modally. The one place windows go through to show a report,
// so the report viewer behind it can change without touching them.
void showReportFile(Session& s, const std::string& reportFile, QWidget* parent);

} // namespace sarw
