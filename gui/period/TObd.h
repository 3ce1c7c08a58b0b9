#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace sarw {

class Session;

// The period dialog: the current period typed as YYMM or stepped by the two arrows. It has no
// cancel path: however it closes, the field's period is stored.
class TObd : public QDialog {
    Q_OBJECT
public:
    explicit TObd(Session& s, QWidget* parent = nullptr);

    // The place the main window asks for; while both are 0 the dialog is centred.
    void setPlace(int left, int top);
    QPoint place() const { return {left_, top_}; }

    QLineEdit* field() const { return edit_; }
    QLabel* fileLabel() const { return file_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The check made when the field is left; warns, marks the entry and takes the focus back.
    bool checkField();
    void step(bool forward);
    void confirm();

    Session& s_;
    QLabel* file_;
    QLineEdit* edit_;
    QToolButton* plus_;
    QToolButton* minus_;
    QPushButton* ok_;
    int left_ = 0, top_ = 0;
    bool valid_ = true;
    bool checking_ = false;
    bool closing_ = false;
};

// The red bold four-character field of both period dialogs.
QLineEdit* periodField(QWidget* parent);

} // namespace sarw
