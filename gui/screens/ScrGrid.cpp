#include "screens/ScrGrid.h"

#include <QApplication>
#include <QKeyEvent>

namespace sarw {

ScrGrid::ScrGrid(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new ScrDelegate(this));
}

void ScrGrid::finishEditing() {
    if (!editing()) return;
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor->parentWidget() != viewport()) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ScrGrid::keyPressEvent(QKeyEvent* e) {
    if (keys && keys(e)) return;
    QTableView::keyPressEvent(e);
}

bool ScrDelegate::eventFilter(QObject* editor, QEvent* e) {
    if (e->type() == QEvent::KeyPress && grid_->keys && grid_->keys(static_cast<QKeyEvent*>(e)))
        return true;
    return QStyledItemDelegate::eventFilter(editor, e);
}

} // namespace sarw
