#pragma once

#include <string>
#include <vector>

class QApplication;
class QCoreApplication;

namespace sarw {

// The desktop program from start to end: the single-instance lock, the main window's creation
// step, its showing, and the event loop. Gives the process's exit code.
int runSarW(QApplication& app, const std::vector<std::string>& parameters);

// Qt's own texts (context menus of text fields, standard buttons) in Czech; false when Qt's Czech
// translations are not installed, and the texts stay English.
bool installCzechQtTexts(QCoreApplication& app);

} // namespace sarw
