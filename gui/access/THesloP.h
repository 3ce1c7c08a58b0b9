#pragma once

#include "access/AccessFile.h"

#include <QDialog>
#include <QTableWidget>

class QPushButton;

namespace sarw {

class Session;

// The grid of the rights table: Enter moves on like Tab, Insert and Ctrl+Delete insert and
// delete rows within the fixed 200.
class RightsGrid : public QTableWidget {
    Q_OBJECT
public:
    RightsGrid(Session& s, QWidget* parent);
    // Takes over what an open cell editor holds.
    void commitEditor();
    void insertEmptyRow(int row);
    void deleteRow(int row);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    Session& s_;
};

// The rights table: users, passwords and statuses, for the status "Zenit" only. Closing it
// writes the access-rights file anew from the rows up to the first one without a name.
class THesloP : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 200;

    explicit THesloP(Session& s, QWidget* parent = nullptr);

    RightsGrid* grid() const { return grid_; }
    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void fill();

    Session& s_;
    RightsGrid* grid_;
    QPushButton* end_;
    bool filled_ = false;
    std::vector<AccessEntry> loaded_; // what the file held when the table was filled
};

} // namespace sarw
