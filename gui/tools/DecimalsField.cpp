#include "tools/DecimalsField.h"

#include "shell/QtText.h"
#include "tools/LHVyraz.h"

namespace sarw {

DecimalsField::DecimalsField(int width, QWidget* parent) : QLineEdit(parent), width_(width) {
    setText(QString::number(kDefaultDecimals).rightJustified(width_));
}

int DecimalsField::decimals() const {
    return decimalsOf(cp(text()));
}

void DecimalsField::focusInEvent(QFocusEvent* e) {
    clear();
    QLineEdit::focusInEvent(e);
}

void DecimalsField::focusOutEvent(QFocusEvent* e) {
    setText(QString::number(decimals()).rightJustified(width_));
    QLineEdit::focusOutEvent(e);
}

} // namespace sarw
