#include "screens/ScrTableModel.h"

#include "screens/TCdsScr.h"
#include "shell/QtText.h"

#include <climits>

namespace sarw {

namespace {

int clampedRows(std::size_t n) {
    return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

} // namespace

void ScrTableModel::reload() {
    beginResetModel();
    rows_ = scr_.loaded() ? clampedRows(scr_.recordCount()) : 0;
    endResetModel();
}

void ScrTableModel::refresh() {
    const int now = scr_.loaded() ? clampedRows(scr_.recordCount()) : 0;
    if (now > rows_) {
        beginInsertRows({}, rows_, now - 1);
        rows_ = now;
        endInsertRows();
    } else if (now < rows_) {
        beginRemoveRows({}, now, rows_ - 1);
        rows_ = now;
        endRemoveRows();
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

int ScrTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ScrTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !scr_.loaded() ? 0 : scr_.fieldCount();
}

QVariant ScrTableModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid()) return {};
    return qs(scr_.cellText(static_cast<std::size_t>(index.row()), index.column()));
}

QVariant ScrTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole || o != Qt::Horizontal || !scr_.loaded()) return {};
    if (section < 0 || section >= scr_.fieldCount()) return {};
    return qs(scr_.fields()[static_cast<std::size_t>(section)].name);
}

Qt::ItemFlags ScrTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return scr_.editMode() ? f | Qt::ItemIsEditable : f;
}

bool ScrTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    scr_.rec = static_cast<std::size_t>(index.row());
    scr_.col = index.column();
    if (!scr_.typeCell(cp(value.toString()))) return false;
    emit dataChanged(index, index);
    return true;
}

} // namespace sarw
