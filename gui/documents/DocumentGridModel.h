#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <functional>
#include <string>
#include <vector>

class QKeyEvent;

namespace sarw {

struct DocumentForm;
class Session;

// One of the document form's two grids over DocumentForm::doc: the header (one row of 13
// columns) or the items (1000 rows of item columns 2 to 13; the item numbers of column 1 are
// the fixed row titles). Titles and widths are taken from the turnover definition once.
class DocumentGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DocumentGridModel(const Session& s, DocumentForm& form, bool items, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The form's column of a grid column (header column c, or item column k) and back.
    int formColumn(int gridColumn) const { return gridColumn + (items_ ? 2 : 1); }
    int gridColumn(int formColumn) const { return formColumn - (items_ ? 2 : 1); }
    int pixels(int gridColumn) const { return pixels_[static_cast<size_t>(gridColumn)]; }
    int fieldWidth(int gridColumn) const { return widths_[static_cast<size_t>(gridColumn)]; }
    // Every cell may have changed.
    void refresh();

private:
    std::string& cell(const QModelIndex& index) const;

    DocumentForm& form_;
    bool items_;
    std::vector<QString> titles_;
    std::vector<int> pixels_;
    std::vector<int> widths_;
};

// Edits a cell with a line as long as its field; every key of the editor goes first to the
// window's handler, which finishes the edit for the keys it acts on.
class DocumentGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using KeyHandler = std::function<bool(QWidget* editor, QKeyEvent* key)>;
    DocumentGridDelegate(const DocumentGridModel& model, KeyHandler handler, QObject* parent)
        : QStyledItemDelegate(parent), model_(model), handler_(std::move(handler)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Commits the editor's text to the cell and closes it.
    void finish(QWidget* editor);

protected:
    bool eventFilter(QObject* editor, QEvent* e) override;

private:
    const DocumentGridModel& model_;
    KeyHandler handler_;
};

} // namespace sarw
