#pragma once

#include "tables/library/CdsTable.h"

#include <string>

namespace sarw {

class Session;

// What the codebook window does besides drawing: it works on the codebook parameters
// (Session::cis), holds the codebook while the window is shown, and answers the window's keys
// and buttons. Rows and columns are 0-based.
class CodebookEditor {
public:
    static constexpr const char* kPanelText =
        "Enter - potvrzeni vyhledane vety, Alt+Del - vymazani tabulky";

    explicit CodebookEditor(Session& s) : s_(s) {}

    // Showing the window: false when it closes at once (the codebook is missing).
    bool open();
    // Closing: in editing mode the rows are written and the codebook sorted. False while the
    // window must stay open: the user keeps rows whose key is blank but which hold values, or
    // the codebook could not be written (the rows stay as they are).
    bool close();
    bool isOpen() const { return table_.active(); }

    std::string caption() const;
    const Table& data() const { return table_.data; }
    // A column's width in the grid from the pixel width of its name and its field size.
    static int columnWidth(int namePixels, int fieldSize);

    int row() const;
    int column() const { return column_; }
    void moveTo(int row, int column);

    bool editAllowed() const; // CisEditMode A: editing can be switched on
    bool editing() const { return editing_; }
    // Typing digits searches and Enter chooses: view mode of a codebook one may not edit.
    bool picking() const;
    bool modified() const { return modified_; }
    const std::string& searchText() const { return search_; }
    void setSearchText(const std::string& text) { search_ = text; }

    // --- Keys -----------------------------------------------------------------------------
    // Any key but a digit: the search text is cleared.
    void clearSearch() { search_.clear(); }
    // A digit while picking: appended to the search text, the cursor on the first key not below.
    void typeDigit(char digit);
    // Enter or a double click while picking: the current row becomes the choice.
    void choose();
    void copyCell();  // Ctrl+C while editing
    void pasteCell(); // Ctrl+V while editing
    void copyDown();  // F9 while editing: the previous row's value of the column, then Enter
    void enter();     // Enter while editing: check the cell, next column, a new row at the end
    // A typed cell while editing; false when not editing.
    bool setCell(int row, int column, const std::string& text);
    void emptyCodebook(); // Alt+Delete

    // --- Buttons --------------------------------------------------------------------------
    void insertRow();
    void deleteRow();
    void saveRow();
    void toggleEditing(); // "  Editace"
    bool sort();          // "  Setrideni"
    bool searchByKey();   // " Vyhledani podle klice"
    bool searchString();  // "      Vyhledani retezce"
    // "  Tisk": the listing of the rows shown; the report's name, empty after a failure.
    std::string listing();

private:
    bool ensureEditing();
    void checkCell();
    void touch() { modified_ = true; }
    // Writes the rows when they changed; false (after the message) when that failed.
    bool writeRows();
    // Rows with a blank key and other values may be dropped by the sort: asks the user.
    bool blankKeysAccepted();
    bool loadRows();

    Session& s_;
    CdsTable table_;
    std::uint64_t written_ = 0; // change count of the rows as on disk
    int column_ = 0;
    bool editing_ = false;
    bool modified_ = false;
    std::string search_;
    std::string clipboard_;
};

} // namespace sarw
