#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QPushButton;
class QToolButton;

namespace sarw {

class Session;
struct RestoreChoice;

// The restore window: an archived generation of the current period's turnover file or opening
// state file chosen, looked at and put back in place. The restore is the core's.
class TSarObn : public QDialog {
    Q_OBJECT
public:
    explicit TSarObn(Session& s, QWidget* parent = nullptr);

    QPushButton* turnoversButton() const { return turnovers_; }
    QPushButton* statesButton() const { return states_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void restore(const RestoreChoice& choice);
    // The archived file the user picks in the archive directory; empty when cancelled.
    std::string chooseArchived(const RestoreChoice& choice);
    // Without the separate table tool the table screen shows the file, read-only.
    void showArchived(const std::string& file, const RestoreChoice& choice);

    Session& s_;
    QToolButton* help_;
    QPushButton* turnovers_;
    QPushButton* states_;
    QPushButton* close_;
};

} // namespace sarw
