#pragma once

#include "screens/ColumnGeometry.h"
#include "screens/GenerSes.h"
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

    // Closing: the current record is kept, the table closed and the parameter block put back to
    // its defaults (not when the screen never loaded its table).
    void close();

private:
    SesResult framed(SesRenderer renderer);
    bool loadPackedTable();

    Session& s_;
    CdsTable table_;
    PackedTable packed_;
    bool packedLoaded_ = false;
    SesLayout layout_;
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
// definition is missing (the not-found message; the block is then left as it was), the table has
// no records (after an information box) or generation failed (after its message).
SesResult tableScreenReport(Session& s, const ScreenReport& how = {});

} // namespace sarw
