#pragma once

#include <QWidget>

class QLabel;
class QEventLoop;

namespace sarw {

// The small information window: a title and two centred lines, always on top. Closing it waits
// the given delay first, so that it stays readable; Esc or a click shortens the wait.
class TInfo : public QWidget {
    Q_OBJECT
public:
    TInfo();
    // An empty title gives "Informace:".
    void showInfo(const QString& title, const QString& line1, const QString& line2);
    void closeInfo(int delayMs);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QLabel* line1_;
    QLabel* line2_;
    QEventLoop* wait_ = nullptr;
};

} // namespace sarw
