#pragma once

#include "documents/Document.h"

#include <string>
#include <vector>

namespace sarw {

class Session;

// What the document form keeps beside its cells while it is open. The window draws it and
// forwards keys; the operations on it (documents/DocumentStore.h, DocumentCheck.h) are the ones
// the form and the command line call.
struct DocumentForm {
    Document doc;

    bool DocModified = false;    // changed since read or saved; cleared only by a save
    bool DocFilled = false;      // read or typed content
    bool LastCheckOk = true;     // the last item cell check passed
    bool ItemTyped = false;      // an item cell was typed into since the opening
    bool PriceListFresh = false; // the price list was built during this opening

    // Header columns 1 to 6 joined, as the document was last read or saved; empty after opening.
    std::string loadedId;

    // The stock of the material of the last issue look-up (empty: none remembered).
    std::string stockQuantity;
    std::string stockValue;

    // The follow-on rules read from GenPoh.Def at opening.
    std::vector<std::string> followOnRules;

    // The info line: its text and whether it shows a failure (red) or a codebook row (green).
    std::string infoLine;
    bool infoFailed = false;

    // What the stock list was last built for: the price list's time and header columns 3-5.
    std::string stockListFor;

    // The item cell the checks work on: the one last typed into or entered (row, column).
    int lastRow = 1;
    int lastColumn = 2;

    // The sums label: "Mnozstvi:  " q "      EUR:  " w.
    std::string sums;
};

// Insert: an empty item row at `row`. Refused with a warning while row 1000 holds data, which
// the rows moving down would lose.
bool insertItemRow(Session& s, DocumentForm& form, int row);
// Ctrl+Delete: after the question the row is removed and the rows below move up.
bool removeItemRow(Session& s, DocumentForm& form, int row);

// The sums label of the document's quantities and values.
void recomputeSums(DocumentForm& form);

// Grid widths and titles of the item columns come from the turnover definition: the item cells
// of `form` start as blanks as wide as their fields. ReadDef of the turnover definition first.
void resetItemCells(Session& s, DocumentForm& form);

// The header of a new document: period, the units of SarInic.TXT, number, type 100, today's
// date, link 00000; the item rows blank; every state flag cleared. False when the turnover
// definition cannot be read.
bool newDocument(Session& s, DocumentForm& form);

} // namespace sarw
