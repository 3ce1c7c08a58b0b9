#pragma once

#include <string>

class QWidget;

namespace sarw {

class Session;

// Shows a report file the table screen made; the one place to point at the output viewer.
void showReportFile(Session& s, QWidget* parent, const std::string& file);

} // namespace sarw
