#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

namespace sarw {

// The table screen's grid: its keys go to the screen first, also while a cell is being typed.
class ScrGrid : public QTableView {
    Q_OBJECT
public:
    // Returns true when the screen took the key.
    std::function<bool(QKeyEvent*)> keys;

    explicit ScrGrid(QWidget* parent = nullptr);
    // A cell being typed is written to the model and its editor closed.
    void finishEditing();
    bool editing() const { return state() == EditingState; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// Hands the keys typed into a cell's editor to the grid's screen before the editor sees them.
class ScrDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ScrDelegate(ScrGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* editor, QEvent* e) override;

private:
    ScrGrid* grid_;
};

} // namespace sarw
