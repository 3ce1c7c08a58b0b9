#pragma once

#include "editors/TRtfEdit.h"
#include "shell/HelpViewer.h"

#include <QPointer>

namespace sarw {

class Session;

// The desktop's help texts: one rich-text window beside the others. While it shows a text the
// next help is refused (the core then says so); the session knows it while this lives.
class HelpWindow : public HelpViewer {
public:
    HelpWindow(Session& s, QWidget* parent);
    ~HelpWindow() override;
    Result show(const std::string& file) override;
    // The window of the last help text; null before, or when its owner went.
    TRtfEdit* window() const { return window_; }

private:
    Session& s_;
    QWidget* parent_;
    QPointer<TRtfEdit> window_;
};

} // namespace sarw
