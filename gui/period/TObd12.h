#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sarw {

class Session;

// The from/to dialog: the span of months for turnovers. Escape cancels (the caller then does
// nothing), but the file keeps whatever the fields hold either way.
class TObd12 : public QDialog {
    Q_OBJECT
public:
    explicit TObd12(Session& s, QWidget* parent = nullptr);

    bool cancelled() const { return cancel_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QPushButton* nextButton() const { return next_; }

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool checkField(QLineEdit* field);
    void next();

    Session& s_;
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* next_;
    bool cancel_ = false;
    bool checking_ = false;
    bool closing_ = false;
};

} // namespace sarw
