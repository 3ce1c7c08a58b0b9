#pragma once

#include "screens/ColumnGeometry.h"
#include "screens/GenerSes.h"
#include "screens/ScrGrouping.h"
#include "screens/ScrSearch.h"
#include "screens/SesRecords.h"
#include "tables/fast/PackedTable.h"
#include "tables/library/CdsTable.h"

#include <string>

namespace sarw {

class Session;

// A report made by one of the screen's buttons.
struct SesResult {
    std::string reportFile;  // empty when no report was made
    ColumnGeometry geometry; // for "Sestava II" and "Sestava III"
    bool made() const { return !reportFile.empty(); }
};

// The table screen short of drawing: what showing it prepares from the parameter block
// (Session::scr), its report buttons and its closing. The window keeps one and draws it.
class TCdsScr {
public:
    explicit TCdsScr(Session& s) : s_(s) {}

    // The screen's own fields, filled from the parameter block by show().
    std::string tableFile; // the caller's table, or its minimal-width copy
    std::string defFile;
    std::string heading1;  // "Hlavicka I"
    std::string heading2;  // "Hlavicka II"
    bool withTime = false; // "Cas"
    bool allColumns = false;
    // Set before show() when the screen is only to make a report and is never drawn: a read-only
    // binary table of text fields is then held as its stored bytes, not loaded as a table.
    bool reportOnly = false;
    // Set before show() by a window: a read-only table is held as its stored bytes as for
    // reportOnly, so that the largest tables open fast and in little memory.
    bool viewStoredBytes = false;

    // Showing: false (after the not-found message) when the table or its definition is missing.
    // Otherwise the print settings and the period are read, the minimal-width copy is made when
    // asked for, the table is opened and the fields are filled.
    bool show();
    bool loaded() const { return table_.active() || packedLoaded_; }
    // Whether the records are held as the file's stored bytes (see reportOnly).
    bool heldAsStoredBytes() const { return packedLoaded_; }
    std::size_t recordCount() const {
        return packedLoaded_ ? packed_.recordCount() : table_.data.recordCount();
    }
    SesRecords records() const {
        return packedLoaded_ ? SesRecords(packed_) : SesRecords(table_.data);
    }
    const std::vector<FieldInfo>& fields() const { return records().fields(); }
    int fieldCount() const { return static_cast<int>(fields().size()); }
    std::string cellText(std::size_t rec, int field) const;
    // Whether the table shown is the caller's own and may be edited ("Oprava" enabled); the
    // minimal-width copy never is, since nothing writes it back.
    bool editAllowed() const { return editAllowed_; }
    bool editMode() const { return editMode_; }
    // "  Oprava" and Pause: edit mode on or off, when editing is allowed.
    void toggleEditMode() { editMode_ = editAllowed_ && !editMode_; }
    // Ctrl+Alt+U: for a user of status "Zenit" editing allowed is toggled and the table shown
    // again; for anyone else nothing happens. False when showing again failed.
    bool toggleEditingAllowed();
    // "Minimalni sirka sestavy" toggled: the table closed and shown again.
    bool setMinimalWidth(bool on);

    // The cursor: record (0-based; recordCount() on an empty table) and column (0-based).
    std::size_t rec = 0;
    int col = 0;

    // Searches from the record after the cursor; on a hit the cursor moves there (the string
    // search also to the field), otherwise the message and the cursor stays. The field search
    // text of Enter: by key, and when that fails from the same record by string.
    bool searchKey(const std::string& text);
    bool searchString(const std::string& text);
    bool searchEnter(const std::string& text);

    // Editing, in edit mode only (false otherwise). A typed value of the current cell, marking
    // the table changed.
    bool typeCell(const std::string& text);
    // Saving the current cell: upper-cased when its field's check mode is "V", normalised by
    // the field check, written back.
    bool saveCell();
    // Enter: the cell saved, then the next column, or the first column of the next record,
    // appending an empty record after the last one.
    bool enter();
    // F9: the previous record's value of this column, saved, then Enter.
    bool copyFromPrevious();
    // Ctrl+C / Ctrl+V: the screen's own clipboard.
    void copyCell();
    bool pasteCell();
    const std::string& clipboard() const { return clipboard_; }
    // Writes a text into the current cell and saves it (the clipboard read button).
    bool putCell(const std::string& text);
    bool insertRecord();
    bool deleteRecord();
    // Alt+Delete (true) or the empty-table button: after its question every record deleted.
    bool emptyTable(bool altDelete);

    // Ctrl+F2: the table saved as binary beside itself with "_CdsScr" before the first "." of
    // its name; nothing without a "." . Shift+F2 saves under a chosen name.
    static std::string ctrlF2Name(const std::string& tableFile);
    bool saveCtrlF2();
    bool saveAs(const std::string& name);

    // The dialog "Mezisoucty, strankovani, redukce"; stored into the block by the screen.
    ScrGrouping grouping;
    void storeGrouping();

    // The report buttons; each makes nothing when the table has no records. Page length: rows
    // per page - 4 for "Sestava I", - 2 for the framed ones.
    SesResult SestavaI();
    SesResult SestavaII();
    SesResult SestavaIII();
    // The Word button's report: unpaged, page length = rows per page.
    SesResult wordReport();
    // The generator with the screen's fields and the parameter block's flags.
    SesResult GenerSes(bool paged, const std::string& lowerText, const std::string& rightText,
                       const std::string& upperText, long long pageLength);
    const SesLayout& layout() const { return layout_; }

    // Closing: the current record is kept, the table closed (written back when it was edited) and
    // the parameter block put back to its defaults, also when its files were missing. False when
    // writing back failed (after its message): the table then stays loaded and nothing is reset.
    bool close();

private:
    SesResult framed(SesRenderer renderer);
    bool loadPackedTable();
    bool load();
    // The table closed (written back when edited) and loaded again from the parameter block.
    bool reload();
    bool closeTable();
    void markChanged();
    Table* editable();

    Session& s_;
    CdsTable table_;
    PackedTable packed_;
    bool packedLoaded_ = false;
    SesLayout layout_;
    bool editAllowed_ = false;
    bool editMode_ = false;
    std::string clipboard_;
};

// How a report is made without a window: what the reports that open the table screen with preset
// flags use in place of the user pressing "Sestava I".
struct ScreenReport {
    bool paged = true;
    long long pageLength = 0; // 0: rows per page - 4 ("Sestava I"), unpaged rows per page
    bool withTime = false;    // "Cas"
};

// Shows the screen on the parameter block (Session::scr: files, headings, text files, level
// flags, field list, sum filter, column choice), generates the report and closes the screen,
// which puts the block back to its defaults. No report (made() false) when the table or its
// definition is missing (the not-found message), the table has
// no records (after an information box) or generation failed (after its message).
SesResult tableScreenReport(Session& s, const ScreenReport& how = {});

} // namespace sarw
