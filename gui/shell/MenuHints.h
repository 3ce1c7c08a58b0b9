#pragma once

class QMenuBar;

namespace sarw {

// The hints of menu items appear beside the menu, level with their item, instead of under the
// mouse where they cover the next item.
void showMenuHintsBeside(QMenuBar* bar);

} // namespace sarw
