#include "shell/TVp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace sarw {

TVp::TVp()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint) {
    setObjectName("TVp");
    setWindowTitle(QString::fromLatin1(kCaption));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::red);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    // The caption is repeated inside: window managers differ in how they draw a tool title.
    label_ = new QLabel(QString::fromLatin1(kCaption).trimmed(), this);
    QFont f = label_->font();
    f.setBold(true);
    label_->setFont(f);
    label_->setAlignment(Qt::AlignCenter);
    // The strip's width is set when it is shown, from its text.
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(label_);
}

void TVp::showStrip() {
    if (depth_++ == 0) {
        // Over the window the user works in, near its bottom left, wide enough for its text.
        const QWidget* over = QApplication::activeWindow();
        const QRect area = over && over != this ? over->frameGeometry()
                                                : QGuiApplication::primaryScreen()->geometry();
        const int width =
            std::max(153, label_->fontMetrics().horizontalAdvance(label_->text()) + 24);
        setGeometry(area.left() + 11, area.bottom() - 80, width, 34);
        show();
        raise();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // The computation that follows blocks the event loop: wait (briefly) until the window
        // system has mapped the strip and paint it now, or the user never sees it.
        QElapsedTimer waited;
        waited.start();
        while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 300)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        repaint();
        QGuiApplication::sync();
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TVp::closeStrip() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    QApplication::restoreOverrideCursor();
    resize(0, height());
    hide();
}

} // namespace sarw
