#pragma once

#include <string>

class QWidget;

namespace sarw {

class Session;

// Shows a report file in the output viewer, modally; the one way every window shows a report.
void showReport(QWidget* parent, Session& s, const std::string& reportFile);

} // namespace sarw
