#include "platform/QtDialogs.h"

#include "shell/QtText.h"
#include "shell/TInfo.h"
#include "shell/TVp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>

namespace sarw {

void waitPainting(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}

QtDialogs::QtDialogs() : vp_(std::make_unique<TVp>()), info_(std::make_unique<TInfo>()) {}

QtDialogs::~QtDialogs() = default;

QAbstractButton* QtDialogs::run(QMessageBox& box) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setObjectName("SarWBox");
    box.show();
    box.raise();
    box.activateWindow();
    // A question inside a computation waits for the user: the arrow, not the hourglass.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    QAbstractButton* chosen = box.clickedButton();
    processEvents();
    return chosen;
}

void QtDialogs::box(QMessageBox::Icon icon, const std::string& text, const std::string& title) {
    QMessageBox b(icon, boxText(title), boxText(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
    b.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    run(b);
}

bool QtDialogs::question(const std::string& text, const std::string& title) {
    QMessageBox b(QMessageBox::Question, boxText(title), boxText(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
    QPushButton* yes = b.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = b.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    b.setDefaultButton(yes);
    b.setEscapeButton(no);
    return run(b) == yes;
}

Dialogs::Answer QtDialogs::questionHalt(const std::string& text, const std::string& title) {
    QMessageBox b(QMessageBox::Question, boxText(title), boxText(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
    QPushButton* yes = b.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = b.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    QPushButton* cancel = b.addButton(QStringLiteral("Storno"), QMessageBox::RejectRole);
    b.setDefaultButton(yes);
    // Closing the box must not halt the program: that takes the button itself.
    b.setEscapeButton(no);
    QAbstractButton* chosen = run(b);
    if (chosen == yes) return Answer::Yes;
    return chosen == cancel ? Answer::Cancel : Answer::No;
}

void QtDialogs::information(const std::string& text, const std::string& title) {
    box(QMessageBox::Information, text, title);
}

void QtDialogs::warning(const std::string& text, const std::string& title) {
    for (int i = 0; i < 3; ++i) {
        if (i > 0) waitPainting(beepIntervalMs);
        QApplication::beep();
    }
    box(QMessageBox::Warning, text, title);
}

void QtDialogs::error(const std::string& text, const std::string& title) {
    box(QMessageBox::Warning, text, title);
}

void QtDialogs::progressShow() {
    vp_->showStrip();
}

void QtDialogs::progressClose() {
    vp_->closeStrip();
}

void QtDialogs::progress(int /*percent*/) {
    // The strip has no gauge; keep the windows painted while the computation runs, a few times a
    // second at most.
    static QElapsedTimer since;
    if (!vp_->stripShown() || (since.isValid() && since.elapsed() < 200)) return;
    since.start();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtDialogs::infoShow(const std::string& title, const std::string& line1,
                         const std::string& line2) {
    info_->showInfo(qs(title), qs(line1), qs(line2));
}

void QtDialogs::infoClose(int delayMs) {
    info_->closeInfo(delayMs);
}

void QtDialogs::processEvents() {
    QApplication::processEvents();
}

} // namespace sarw
