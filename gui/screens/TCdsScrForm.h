#pragma once

#include "screens/ScrTableModel.h"
#include "screens/TCdsScr.h"

#include <QDialog>

#include <map>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace sarw {

class ScrGrid;
class Session;

// The table screen: any table file in a grid, searched, edited in place, copied out and printed.
// The caller fills the parameter block (Session::scr) and calls showScreen(); afterwards the
// block holds whether the table was changed and the record that was current. Everything but
// the drawing and the keys is the core's TCdsScr.
class TCdsScrForm : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kNotYet = "Prikaz zatim neni k dispozici.";

    explicit TCdsScrForm(Session& s, QWidget* parent = nullptr);
    ~TCdsScrForm() override;

    // Shows the screen modally on the parameter block. When the table or its definition is
    // missing, nothing is shown (after the not-found message) and the block is reset.
    void showScreen();
    // The first half of showScreen: loads the table into the window; false when nothing loaded.
    bool openScreen();

    TCdsScr& screen() { return scr_; }
    const ScrTableModel& model() const { return model_; }
    ScrGrid* grid() const { return grid_; }
    // Controls by their object name ("oprava", "sestava1", "najitKlic" ...).
    QAbstractButton* button(const std::string& name) const;
    QLineEdit* searchField() const { return search_; }
    QLineEdit* heading1Field() const { return heading1_; }
    QLabel* columnLabel() const { return columnLabel_; }
    QLabel* recordLabel() const { return recordLabel_; }

    // " Tisk okna" without its print dialog: the visible grid onto the printer.
    void printGrid(QPrinter& printer);
    // Moves the grid's cursor to a record and column (0-based) and shows it.
    void moveTo(std::size_t record, int column);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void buildPanel();
    void buildMenu();
    void buildShortcuts();
    QPushButton* addButton(const char* name, const char* caption, const char* hint);
    void fill();
    void setColumnWidths();
    void updateEditState();
    void updateLabels();
    void pull();
    void push();
    void afterEdit();
    bool gridKey(QKeyEvent* e);
    void search(int how);
    void sestavaI();
    void excelExport();
    void sestavaIII();
    void wordReport();
    void printSettings();
    void printWindow();
    void clipboardText();
    void saveCopy(bool chooseName);
    void grouping();
    void reloadTable();
    void openTextFile(const std::string& file);
    bool finish();

    Session& s_;
    TCdsScr scr_;
    ScrTableModel model_;
    ScrGrid* grid_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLineEdit* heading1_ = nullptr;
    QLineEdit* heading2_ = nullptr;
    QLineEdit* rows_ = nullptr;
    QCheckBox* time_ = nullptr;
    QCheckBox* minimal_ = nullptr;
    QLabel* columnLabel_ = nullptr;
    QLabel* recordLabel_ = nullptr;
    QWidget* panel_ = nullptr;
    std::map<std::string, QAbstractButton*> buttons_;
    std::string upperText_, rightText_, lowerText_;
    bool open_ = false;
};

} // namespace sarw
