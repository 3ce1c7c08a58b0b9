// The keys of the text file editor: the two-stroke editing keys and the caret rules.
#include "editors/TTextEdit.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

namespace sarw {

namespace {

int lineLength(const QTextBlock& block) {
    return block.length() - 1;
}

} // namespace

bool TTextEdit::editingKey(int key, bool ctrl) {
    return keys_.key(text_, key, ctrl);
}

CaretRules TTextEdit::rules() const {
    return {params_.enterNewLines, params_.fixedColumn};
}

void TTextEdit::moveCaret(VerticalMove move, bool select) {
    QTextDocument* doc = text_->document();
    const int spacing = std::max(QFontMetrics(text_->font()).lineSpacing(), 1);
    const CaretText lines{doc->blockCount(),
                          [doc](int line) { return lineLength(doc->findBlockByNumber(line)); },
                          std::max(text_->viewport()->height() / spacing - 1, 1)};
    QTextCursor c = text_->textCursor();
    const CaretPlace to =
        moveVertically(lines, {c.blockNumber(), c.positionInBlock()}, remembered_, move, rules());
    c.setPosition(doc->findBlockByNumber(to.line).position() + to.column,
                  select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    text_->setTextCursor(c);
    text_->ensureCursorVisible();
    if (move == VerticalMove::Enter) remembered_ = to.column;
}

void TTextEdit::caretPlaced() {
    QTextCursor c = text_->textCursor();
    const int column = allowedColumn(c.positionInBlock(), lineLength(c.block()), rules());
    if (column != c.positionInBlock()) {
        const int target = c.block().position() + column;
        const bool selecting = c.hasSelection();
        c.setPosition(selecting ? c.anchor() : target);
        if (selecting) c.setPosition(target, QTextCursor::KeepAnchor);
        text_->setTextCursor(c);
    }
    remembered_ = column;
}

bool TTextEdit::caretKey(QKeyEvent* k) {
    const Qt::KeyboardModifiers mods = k->modifiers();
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const QTextCursor c = text_->textCursor();
    const bool atFixed = !params_.enterNewLines && !c.hasSelection() &&
                         c.positionInBlock() <= allowedColumn(0, lineLength(c.block()), rules());
    const int key = k->key();
    // Ctrl with these scrolls the text and leaves the caret, as everywhere; in wrapped text they
    // go by the lines on the screen, which only the text area knows.
    const bool wrapped = text_->lineWrapMode() != QPlainTextEdit::NoWrap && params_.enterNewLines;
    if ((ctrl || wrapped) && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                              key == Qt::Key_PageDown))
        return false;
    switch (key) {
    case Qt::Key_Up:
        moveCaret(VerticalMove::Up, shift);
        return true;
    case Qt::Key_Down:
        moveCaret(VerticalMove::Down, shift);
        return true;
    case Qt::Key_PageUp:
        moveCaret(VerticalMove::PageUp, shift);
        return true;
    case Qt::Key_PageDown:
        moveCaret(VerticalMove::PageDown, shift);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (params_.enterNewLines) return false;
        moveCaret(VerticalMove::Enter, false);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (ctrl) {
            moveCaret(k->key() == Qt::Key_Home ? VerticalMove::Top : VerticalMove::Bottom, shift);
            return true;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        // Nothing left of the fixed column is reached or deleted.
        if (atFixed && !shift) return true;
        if (k->key() == Qt::Key_Backspace) return false;
        break;
    case Qt::Key_Right:
        break;
    default:
        return false;
    }
    static_cast<QObject*>(text_)->event(k);
    caretPlaced();
    return true;
}

void TTextEdit::switchWrap(bool on) {
    // The first visible line stays at the top: the view is scrolled to the end and back to it,
    // and the caret stays where it was.
    const int first = text_->cursorForPosition(QPoint(0, 0)).blockNumber();
    const QTextCursor caret = text_->textCursor();
    text_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    text_->moveCursor(QTextCursor::End);
    text_->setTextCursor(QTextCursor(text_->document()->findBlockByNumber(first)));
    const int top = text_->verticalScrollBar()->value();
    text_->setTextCursor(caret);
    text_->verticalScrollBar()->setValue(top);
}

void TTextEdit::switchMode() {
    if (text_->isReadOnly()) return;
    text_->setOverwriteMode(!text_->overwriteMode());
    showStatus();
}

bool TTextEdit::eventFilter(QObject* watched, QEvent* e) {
    if (watched == insertLabel_ && e->type() == QEvent::MouseButtonPress) {
        switchMode();
        return true;
    }
    // The click has placed the caret by now.
    if (watched == text_->viewport() && e->type() == QEvent::MouseButtonRelease) caretPlaced();
    if (watched == text_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (editingKey(key, k->modifiers() & Qt::ControlModifier)) return true;
        if (key == Qt::Key_Insert) {
            switchMode();
            return true;
        }
        if (key == Qt::Key_F7) {
            search();
            return true;
        }
        if (key == Qt::Key_F2) {
            wrap_->toggle();
            return true;
        }
        if (caretKey(k)) return true;
    }
    return QDialog::eventFilter(watched, e);
}

} // namespace sarw
