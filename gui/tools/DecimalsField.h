#pragma once

#include <QLineEdit>

namespace sarw {

// The number of decimals of a tool window: entering the field clears it, leaving it writes the
// number again right-aligned in the field's width.
class DecimalsField : public QLineEdit {
    Q_OBJECT
public:
    DecimalsField(int width, QWidget* parent);
    int decimals() const; // 0..15; what is no number counts as 5

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int width_;
};

} // namespace sarw
