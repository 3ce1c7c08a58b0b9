#pragma once

#include "tables/model/Table.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <string>
#include <vector>

class QTableView;

namespace sarw {

class Session;

// A table file's records for a view, read on demand: tables reach millions of records.
class CdsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    void setTable(Table table, std::vector<std::string> headings);
    const Table& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    Table table_;
    std::vector<std::string> headings_;
};

// Shows a computed table read-only when no table tool is installed: the columns of the table
// file, headed by its definition file's headings.
class TCdsView : public QDialog {
    Q_OBJECT
public:
    explicit TCdsView(Session& s, QWidget* parent = nullptr);

    // Loads the table (the not-found warning when it is missing); false when nothing is shown.
    bool openTable(const std::string& tableFile, const std::string& defFile,
                   const std::string& title);
    // openTable, then the window modally.
    void showTable(const std::string& tableFile, const std::string& defFile,
                   const std::string& title);

    const CdsTableModel& model() const { return model_; }
    QTableView* view() const { return view_; }

private:
    Session& s_;
    CdsTableModel model_;
    QTableView* view_;
};

} // namespace sarw
