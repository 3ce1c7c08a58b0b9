#include "documents/DocumentGridModel.h"

#include "documents/DocumentForm.h"
#include "documents/DocumentGrid.h"
#include "shell/LSysDate.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace sarw {

DocumentGridModel::DocumentGridModel(const Session& s, DocumentForm& form, bool items,
                                     QObject* parent)
    : QAbstractTableModel(parent), form_(form), items_(items) {
    const int first = items ? Document::kHeadCount + 2 : 1;
    const int last = items ? Document::kHeadCount + Document::kItemColumns : Document::kHeadCount;
    for (int f = first; f <= last; ++f) {
        titles_.push_back(qs(columnTitle(s, f)));
        pixels_.push_back(columnPixels(s, f));
        widths_.push_back(f <= s.def.fieldCount() ? s.def.field(f).width : 0);
    }
}

int DocumentGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return items_ ? Document::kMaxItems : 1;
}

int DocumentGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

std::string& DocumentGridModel::cell(const QModelIndex& index) const {
    const int c = formColumn(index.column());
    return items_ ? form_.doc.item(index.row() + 1, c) : form_.doc.head(c);
}

QVariant DocumentGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return qs(cell(index));
    // The editor starts on the text without the blanks that fill the field.
    if (role == Qt::EditRole) return qs(trimRight(cell(index)));
    return {};
}

QVariant DocumentGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal)
        return section < static_cast<int>(titles_.size()) ? titles_[static_cast<size_t>(section)]
                                                          : QVariant();
    if (!items_ || section < 0 || section >= Document::kMaxItems) return {};
    return qs(form_.doc.item(section + 1, 1));
}

Qt::ItemFlags DocumentGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool DocumentGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    std::string& c = cell(index);
    const std::string typed = cp(value.toString());
    if (typed == trimRight(c)) return true;
    c = typed;
    emit dataChanged(index, index);
    return true;
}

void DocumentGridModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (items_) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

QWidget* DocumentGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        const int width = model_.fieldWidth(index.column());
        if (width > 0) line->setMaxLength(width);
    }
    return w;
}

void DocumentGridDelegate::finish(QWidget* editor) {
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
}

bool DocumentGridDelegate::eventFilter(QObject* editor, QEvent* e) {
    if (e->type() == QEvent::KeyPress && handler_ &&
        handler_(qobject_cast<QWidget*>(editor), static_cast<QKeyEvent*>(e)))
        return true;
    return QStyledItemDelegate::eventFilter(editor, e);
}

} // namespace sarw
