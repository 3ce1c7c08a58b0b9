#pragma once

#include <QWidget>

class QLabel;

namespace sarw {

// The progress strip of long computations: a small red tool window at the bottom left of the
// active window (of the screen when there is none), always on top, with the hourglass cursor while it is shown.
class TVp : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "  Probiha vypocet !   ............";

    TVp();
    // Shows are counted, so nested computations restore the cursor only at the outermost close.
    void showStrip();
    void closeStrip();
    bool stripShown() const { return depth_ > 0; }

private:
    QLabel* label_;
    int depth_ = 0;
};

} // namespace sarw
