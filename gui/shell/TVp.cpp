#include "shell/TVp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

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
    // The strip keeps its 153 pixels whatever the caption's font needs.
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(label_);
}

void TVp::showStrip() {
    if (depth_++ == 0) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        setGeometry(11, screen.height() - 80, 153, 34);
        show();
        raise();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QApplication::processEvents();
}

void TVp::closeStrip() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    QApplication::restoreOverrideCursor();
    resize(0, height());
    hide();
}

} // namespace sarw
