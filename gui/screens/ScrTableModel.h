#pragma once

#include <QAbstractTableModel>

namespace sarw {

class TCdsScr;

// The table screen's records for its grid, read on demand from the screen: a table of a
// million records is never copied into items.
class ScrTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ScrTableModel(TCdsScr& scr, QObject* parent = nullptr)
        : QAbstractTableModel(parent), scr_(scr) {}

    // After the screen loaded its table again.
    void reload();
    // After an edit: records added or removed, or values changed.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    TCdsScr& scr_;
    int rows_ = 0;
};

} // namespace sarw
