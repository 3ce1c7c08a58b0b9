#pragma once

#include "tools/Calculator.h"

#include <QWidget>

#include <string>

class QLineEdit;

namespace sarw {

class DecimalsField;
class Session;

// The pocket calculator: its buttons and keys drive the core's Calculator.
class VCalcul : public QWidget {
    Q_OBJECT
public:
    VCalcul(Session& s, QWidget* parent);
    void setSession(Session& s) { session_ = &s; }

    // The memory line as shown (Windows-1250), what the document form's F5 takes.
    std::string memoryText() const;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Session* session_;
    Calculator calc_;
    QLineEdit* display_;
    QLineEdit* memory_;
    DecimalsField* decimals_;

    // One button's work by its key: a digit, ',', '=', an operator, 'C', 'E' (CE) or 'Z' (Zpet).
    void press(char key);
    void refresh();
};

} // namespace sarw
