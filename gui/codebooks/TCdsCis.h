#pragma once

#include "codebooks/CodebookEditor.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;
class QTableView;

namespace sarw {

class Session;

// The codebook's rows for the grid, straight from the editor.
class CodebookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CodebookModel(CodebookEditor& editor) : editor_(editor) {}
    void refresh();
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    CodebookEditor& editor_;
};

// The codebook window: one generic window for every codebook, set up by the codebook parameters
// (Session::cis). It draws and forwards keys; CodebookEditor does the rest.
class TCdsCis : public QDialog {
    Q_OBJECT
public:
    explicit TCdsCis(Session& s, QWidget* parent = nullptr);

    // Opens the codebook of the parameters; false when the window is not to be shown.
    bool openCodebook();
    // openCodebook, then the window modally.
    void showCodebook();

    CodebookEditor& editor() { return editor_; }
    QTableView* grid() const { return grid_; }
    QLineEdit* searchField() const { return search_; }
    QPushButton* button(const char* name) const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QPushButton* addButton(const char* name, const char* caption, const char* hint);
    bool gridKey(QKeyEvent* key);
    void takeCursor();
    void showCursor();
    void afterChange();
    void updateButtons();
    void placeColumns();
    void choose();
    void sortCodebook();
    void printListing();

    Session& s_;
    CodebookEditor editor_;
    CodebookModel model_;
    QTableView* grid_;
    QLineEdit* search_;
};

// The pick list of a document column (part 1 header, 2 items): the column's codebook in view
// mode; CisChosen and CisValues tell the choice.
void VCisel(Session& s, int part, int column, QWidget* parent);
// A codebook command of the menu: the file, keys 1..n and the editing mode, then the window.
void showMenuCodebook(Session& s, const std::string& file, int keys, QWidget* parent);

} // namespace sarw
