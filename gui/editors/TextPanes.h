#pragma once

#include <QObject>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace sarw {

// The two panes of the text file editor: a coloured copy of the text left of the editable pane,
// as wide as the columns left of the caret, kept on the caret's line on request.
class TextPanes : public QObject {
    Q_OBJECT
public:
    TextPanes(QPlainTextEdit* text, QWidget* parent);

    QPlainTextEdit* left() const { return left_; }
    QPushButton* toggle() const { return toggle_; }
    QPushButton* sync() const { return sync_; }
    QPushButton* narrower() const { return narrower_; }
    QPushButton* wider() const { return wider_; }

    bool on() const;
    void setOn(bool on);
    // The left pane scrolled to the caret's line, its first visible line the right pane's.
    void synchronize();
    // The boundary moved by one "W" (direction -1 left, +1 right).
    void shift(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    int charWidth() const;

    QPlainTextEdit* text_;
    QPlainTextEdit* left_;
    QPushButton* toggle_;
    QPushButton* sync_;
    QPushButton* narrower_;
    QPushButton* wider_;
};

} // namespace sarw
