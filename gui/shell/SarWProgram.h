#pragma once

#include <string>
#include <vector>

class QApplication;

namespace sarw {

// The desktop program from start to end: the single-instance lock, the main window's creation
// step, its showing, and the event loop. Gives the process's exit code.
int runSarW(QApplication& app, const std::vector<std::string>& parameters);

} // namespace sarw
