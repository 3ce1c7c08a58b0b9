#include "shell/TInfo.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace sarw {

TInfo::TInfo()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint) {
    setObjectName("TInfo");
    // Nothing else takes input while the window is up: its wait must not run a second command.
    setWindowModality(Qt::ApplicationModal);
    line1_ = new QLabel(this);
    line2_ = new QLabel(this);
    for (QLabel* l : {line1_, line2_}) l->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line1_);
    layout->addWidget(line2_);
}

void TInfo::showInfo(const QString& title, const QString& line1, const QString& line2) {
    setWindowTitle("  " + (title.isEmpty() ? QStringLiteral("Informace:") : title));
    line1_->setText(line1);
    line2_->setText(line2);
    line2_->setVisible(!line2.isEmpty());
    const QFontMetrics fm(line1_->font());
    const int width = std::max(fm.horizontalAdvance(line1), fm.horizontalAdvance(line2)) + 50;
    const int height = line2.isEmpty() ? 62 : 108;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry((screen.width() - width) / 2, (screen.height() - height) / 2, width, height);
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TInfo::closeInfo(int delayMs) {
    if (!isVisible()) return;
    if (delayMs > 0) {
        QEventLoop loop;
        wait_ = &loop;
        QTimer::singleShot(delayMs, &loop, &QEventLoop::quit);
        loop.exec();
        wait_ = nullptr;
    }
    hide();
}

void TInfo::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && wait_) wait_->quit();
    QWidget::keyPressEvent(e);
}

void TInfo::mousePressEvent(QMouseEvent* e) {
    if (wait_) wait_->quit();
    QWidget::mousePressEvent(e);
}

} // namespace sarw
