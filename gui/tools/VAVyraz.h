#pragma once

#include <QWidget>

class QLineEdit;

namespace sarw {

class DecimalsField;
class Session;

// The expression window: an expression typed, its value shown with the chosen decimals.
class VAVyraz : public QWidget {
    Q_OBJECT
public:
    VAVyraz(Session& s, QWidget* parent);
    void setSession(Session& s) { session_ = &s; }

    // "  Vypocet" and Enter in the expression line; a refusal is shown as a warning.
    void compute();

private:
    Session* session_;
    QLineEdit* expression_;
    QLineEdit* result_;
    DecimalsField* decimals_;
};

} // namespace sarw
