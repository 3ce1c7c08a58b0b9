#pragma once

#include <QDialog>

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace sarw {

class Session;

// The transfer to accounting: the booking table of the current period made, shown, and copied
// to a diskette or a file of the user's choice.
class TSarUct : public QDialog {
    Q_OBJECT
public:
    explicit TSarUct(Session& s, QWidget* parent = nullptr);

    QLineEdit* monthField() const { return month_; }
    QPushButton* button(const char* name) const;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void build();
    void copyToFile();

    Session& s_;
    QLineEdit* month_;
    QProgressBar* gauge_;
    bool checking_ = false;
};

} // namespace sarw
