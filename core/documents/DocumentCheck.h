#pragma once

#include <string>

namespace sarw {

class Session;
struct DocumentForm;

// The checks and computations that run when a cell of the document form is left: the value
// normalised by its field's type, looked up in the column's codebook and completed from the
// row found; for items also the material data, the price from the stock list, the value and the
// stock ceiling. Columns are the form's: header column c is turnover field c, item column k is
// field 13 + k.

constexpr const char* kItemFailed =
    " - Udaj nebyl v ciselniku nalezen nebo chybna syntaxe nebo prekroceno mnozstvi !";
constexpr const char* kInfoStart = "   Udaj z ciselniku";
constexpr const char* kWrongValue = "Chybne zadany udaj";
constexpr const char* kNoNumber = "Nebylo zadane cislo dokladu !";

// Enter or Tab in header column c: false when the value is refused (the cell keeps the text).
bool headerCellCheck(Session& s, DocumentForm& form, int c);
// The re-check on mouse release in the header grid, or on leaving it (then also the document
// number test and the "Chybne zadany udaj" information).
bool headerCellRecheck(Session& s, DocumentForm& form, int c, bool leaving);

// Item column k of row r was left or filled, by any key, the mouse, a paste or an import: the
// value (price x quantity, the whole stock's value when the rows take it all) and then the item
// cell check, which sets LastCheckOk and the info line. False when the cell is refused.
bool itemCellLeft(Session& s, DocumentForm& form, int r, int k);
// Only the check (the form runs it alone on the release of Tab and the arrows).
bool itemCellCheck(Session& s, DocumentForm& form, int r, int k);

// After a choice from a pick list (CisValues hold the row): the material of a receipt or of an
// issue copied into row r, or the column's value and its transfer. The column the cursor goes
// to.
int materialChosen(Session& s, DocumentForm& form, int r);
int columnChosen(Session& s, DocumentForm& form, int r, int k);

// The codebook row in CisValues as the info line shows it.
std::string infoLineOf(const Session& s, int first = 1);

} // namespace sarw
