#include "editors/HelpWindow.h"

#include "editors/TRtfEdit.h"
#include "shell/Session.h"

#include <QApplication>

namespace sarw {

HelpWindow::HelpWindow(Session& s, QWidget* parent) : s_(s), parent_(parent) {
    s_.helpViewer = this;
}

HelpWindow::~HelpWindow() {
    if (s_.helpViewer == this) s_.helpViewer = nullptr;
    delete window_;
}

HelpViewer::Result HelpWindow::show(const std::string& file) {
    if (window_ && window_->isVisible()) return Result::Busy;
    // Asked from a modal window, the help belongs to it: other windows take no keys then.
    delete window_;
    QWidget* modal = QApplication::activeModalWidget();
    window_ = new TRtfEdit(s_, modal ? modal : parent_);
    window_->showHelp(file);
    return Result::Shown;
}

} // namespace sarw
