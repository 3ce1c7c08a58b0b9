#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace sarw {

class Session;

// The login window: user name and password, checked against the access-rights file when the
// window closes. Esc ends the program. For the status "Zenit", Ctrl+Alt+D in the password field
// deletes the whole access system and Ctrl+Alt+U lists the users' marker files to delete one.
class THesloG : public QDialog {
    Q_OBJECT
public:
    explicit THesloG(Session& s, QWidget* parent = nullptr);

    QLineEdit* userField() const { return user_; }
    QLineEdit* passwordField() const { return password_; }
    QListWidget* markerList() const { return markers_; }
    // Set when the window ended the program instead of closing with a login.
    bool endedProgram() const { return ended_; }

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool passwordKey(QKeyEvent* e);
    void maintenance(bool deleteAll);
    void listMarkers();
    void deleteMarker();
    void endProgram();

    Session& s_;
    QLineEdit* user_;
    QLineEdit* password_;
    QListWidget* markers_;
    bool ended_ = false;
    bool closing_ = false;
};

} // namespace sarw
