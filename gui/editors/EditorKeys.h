#pragma once

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

namespace sarw {

// The two-stroke keys both editors know: Ctrl+Y deletes the line, Ctrl+Q Ctrl+Y the rest of it,
// Ctrl+K Ctrl+B marks the block start and Ctrl+K Ctrl+K selects the block. The rich-text editor
// also copies the block to the clipboard then, pastes it with Ctrl+K Ctrl+N and moves it to the
// caret with Ctrl+K Ctrl+M.
struct EditorKeys {
    bool blockClipboard = false;
    int prefix = 0;     // the first stroke of a two-stroke key, or 0
    int blockStart = 0; // the block start mark
    int blockEnd = -1;  // where Ctrl+K Ctrl+K found the caret; -1 before

    // True when the key was taken. Edit is QPlainTextEdit or QTextEdit.
    template <class Edit> bool key(Edit* text, int key, bool ctrl) {
        // Holding Ctrl down between the two strokes is no stroke.
        if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt) return false;
        const int first = prefix;
        prefix = 0;
        if (!ctrl) return false;
        QTextCursor c = text->textCursor();
        const int last = int(text->document()->characterCount()) - 1;
        if (first == Qt::Key_K && key == Qt::Key_B) {
            blockStart = c.position();
        } else if (first == Qt::Key_K && key == Qt::Key_K) {
            const int caret = c.position();
            c.setPosition(std::min(blockStart, last));
            c.setPosition(caret, QTextCursor::KeepAnchor);
            text->setTextCursor(c);
            blockEnd = caret;
            if (blockClipboard && c.hasSelection()) text->copy();
        } else if (blockClipboard && first == Qt::Key_K && key == Qt::Key_N) {
            if (!text->isReadOnly()) text->paste();
        } else if (blockClipboard && first == Qt::Key_K && key == Qt::Key_M) {
            if (!text->isReadOnly()) moveBlock(text, c, last);
        } else if (key == Qt::Key_Y) {
            if (text->isReadOnly()) return true;
            // Ctrl+Q first: only from the caret to the end of the line.
            if (first != Qt::Key_Q) c.movePosition(QTextCursor::StartOfBlock);
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            if (first != Qt::Key_Q && !c.atEnd())
                c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            c.removeSelectedText();
        } else if (key == Qt::Key_Q || key == Qt::Key_K) {
            prefix = key;
        } else {
            return false;
        }
        return true;
    }

private:
    // The marked block goes to the caret; a caret after the block is where the block then ends.
    template <class Edit> void moveBlock(Edit* text, QTextCursor c, int last) {
        if (blockEnd < 0) return;
        const int from = std::min({blockStart, blockEnd, last});
        const int to = std::min(std::max(blockStart, blockEnd), last);
        int caret = c.position();
        if (from == to || (caret > from && caret < to)) return;
        c.beginEditBlock();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        const QTextDocumentFragment block = c.selection();
        c.removeSelectedText();
        if (caret >= to) caret -= to - from;
        c.setPosition(caret);
        c.insertFragment(block);
        c.endEditBlock();
        blockStart = caret;
        blockEnd = c.position();
        c.setPosition(blockStart);
        c.setPosition(blockEnd, QTextCursor::KeepAnchor);
        text->setTextCursor(c);
    }
};

} // namespace sarw
