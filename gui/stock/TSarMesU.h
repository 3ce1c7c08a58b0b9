#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace sarw {

class Session;

// The monthly closing window: the current period, the period to move to, and "  Proved".
// The closing itself is the core's closeMonth; the window stays open after it.
class TSarMesU : public QDialog {
    Q_OBJECT
public:
    // `periodMoved` runs after each closing that moved the period (the main window's label).
    TSarMesU(Session& s, std::function<void()> periodMoved, QWidget* parent = nullptr);

    QLineEdit* currentField() const { return current_; }
    QLineEdit* nextField() const { return next_; }
    QPushButton* runButton() const { return run_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void runClosing();

    Session& s_;
    std::function<void()> periodMoved_;
    QLineEdit* current_;
    QLineEdit* next_;
    QPushButton* run_;
    QPushButton* close_;
};

} // namespace sarw
