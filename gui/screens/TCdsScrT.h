#pragma once

#include <QDialog>

class QTableWidget;

namespace sarw {

class ScrGrouping;
class Session;

// "  Mezisoucty, strankovani, redukce": which columns a report holds, in which order, and where
// its subtotals, page breaks and blank lines go. Edits the screen's grouping; cannot be closed
// while the positions do not run 1 ... k.
class TCdsScrT : public QDialog {
    Q_OBJECT
public:
    enum Column { Name, Sum, Str, Rad, Por };

    TCdsScrT(Session& s, ScrGrouping& grouping, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    // A click or Enter on a cell.
    void activate(int row, int column);
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fill();

    Session& s_;
    ScrGrouping& g_;
    QTableWidget* grid_;
};

} // namespace sarw
