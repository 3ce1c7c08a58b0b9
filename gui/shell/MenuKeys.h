#pragma once

#include <QString>

#include <vector>

class QMainWindow;
class QMenuBar;

namespace sarw {

// The caption with an '&' before its first letter not yet taken among `taken` (lower case
// letters; the chosen one is added), or unchanged when every letter is taken.
QString withMnemonic(const QString& caption, std::vector<QChar>& taken);

// Gives every title of the bar and every item of its menus a mnemonic, each unique among its
// neighbours; the captions keep their text.
void assignMnemonics(QMenuBar* bar);

// F10, and Alt pressed and released alone, open the menu bar as the DOS version's users expect.
void openMenuBarByKeyboard(QMainWindow* window);

} // namespace sarw
