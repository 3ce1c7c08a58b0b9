#include "documents/DocumentCheck.h"

#include "codebooks/UCdsCIS.h"
#include "documents/DocumentForm.h"
#include "documents/DocumentGrid.h"
#include "documents/PriceList.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/model/CheckValue.h"

#include <algorithm>

namespace sarw {

namespace {

constexpr int kHead = 13;

std::string& value(Session& s, int i) {
    return s.cis.CisValues[static_cast<size_t>(i - 1)];
}

void showRow(Session& s, DocumentForm& form, int first = 1) {
    form.infoLine = infoLineOf(s, first);
    form.infoFailed = false;
}

// Looks the material up in the stock list (key column 6); CisValues hold the row when found.
bool lookUpStock(Session& s, DocumentForm& form, const std::string& material) {
    if (!buildStockList(s, form)) return false;
    CisParams& cis = s.cis;
    cis.clearValues();
    cis.CisKeyCount = 1;
    cis.CisKeyColumns = {};
    cis.CisKeyColumns[0] = 6;
    cis.CisFileName = kSarWork;
    value(s, 6) = removeBlanks(material);
    TestEx(s);
    cis.setFirstKeys(1);
    return cis.CisChosen == 'A';
}

void fillBlank(std::string& cell, const std::string& with) {
    if (isBlank(cell)) cell = with;
}

// The material data of a receipt from the material codebook row in CisValues.
void receiptMaterial(Session& s, Document& d, int r) {
    const int columns[4] = {3, 4, 5, 10};
    for (int i = 0; i < 4; ++i) fillBlank(d.item(r, columns[i]), trimLeft(value(s, 2 + i)));
}

// The material data and price of an issue from the stock list row in CisValues.
void issueMaterial(Session& s, Document& d, int r) {
    for (int i = 0; i < 3; ++i) fillBlank(d.item(r, 3 + i), trimLeft(value(s, 7 + i)));
    fillBlank(d.item(r, 9), padLeft(removeBlanks(value(s, 10)), 10));
    fillBlank(d.item(r, 10), trimLeft(value(s, 11)));
}

// The transfer of a codebook row after a value of item column k was found or chosen: UlozP
// values from UlozZ on into the fields from UlozDo on. The last column filled (k when none).
int transfer(Session& s, Document& d, int r, int k) {
    const FieldDef& f = s.def.field(kHead + k);
    int last = k;
    if (f.ulozZ <= 0 || f.ulozDo <= 0) return last;
    for (int i = 0; i < f.ulozP; ++i) {
        const int column = f.ulozDo + i - kHead;
        const int from = f.ulozZ + i;
        if (column < 1 || column > Document::kItemColumns || from > CisParams::kMaxColumns) break;
        d.item(r, column) = value(s, from);
        last = column;
    }
    return last;
}

struct SameMaterial {
    double quantity = 0;
    double value = 0;
};

// The quantities and values of the other rows that issue the material of row r.
SameMaterial otherRows(const Document& d, int r) {
    SameMaterial sum;
    const std::string material = removeBlanks(d.item(r, 2));
    for (int row = 1; row <= Document::kMaxItems; ++row) {
        if (row == r || removeBlanks(d.item(row, 2)) != material) continue;
        sum.quantity += textToNumber(d.item(row, 11));
        sum.value += textToNumber(d.item(row, 12));
    }
    return sum;
}

// Quantities compare at their three decimals.
long long thousandths(double q) {
    return static_cast<long long>(roundTo(q * 1000, 0));
}

bool failItem(DocumentForm& form, const std::string& v) {
    form.infoLine = v + kItemFailed;
    form.infoFailed = true;
    form.LastCheckOk = false;
    return false;
}

// Item Enter computations: the value of price x quantity, and for the quantity of an issue the
// stock of the row's material, whose whole value goes with the whole quantity.
void itemComputations(Session& s, DocumentForm& form, int r, int k) {
    Document& d = form.doc;
    if (k == 9 || k == 11)
        d.item(r, 12) =
            numberToText(15, 2, textToNumber(d.item(r, 9)) * textToNumber(d.item(r, 11)));
    if (k != 11 || !d.isIssue() || isBlank(d.item(r, 2))) return;
    if (!lookUpStock(s, form, d.item(r, 2))) {
        form.stockQuantity.clear();
        form.stockValue.clear();
        return;
    }
    form.stockQuantity = value(s, 12);
    form.stockValue = value(s, 13);
    const SameMaterial others = otherRows(d, r);
    const double q = textToNumber(d.item(r, 11));
    if (thousandths(q + others.quantity) != thousandths(textToNumber(form.stockQuantity))) return;
    d.item(r, 12) = others.quantity == 0 && others.value == 0
                        ? form.stockValue
                        : numberToText(15, 2, textToNumber(form.stockValue) - others.value);
}

// The stock ceiling of an issue's quantity: the row and the other rows of the same material
// together may not take more than the unit holds.
bool withinStock(Session& s, DocumentForm& form, int r, const std::string& quantity) {
    const Document& d = form.doc;
    double stock = 0;
    if (!isBlank(d.item(r, 2)) && lookUpStock(s, form, d.item(r, 2)))
        stock = textToNumber(value(s, 12));
    return thousandths(textToNumber(quantity) + otherRows(d, r).quantity) <= thousandths(stock);
}

// Step 3 of the item check: the value's type and characters by column.
bool itemValueValid(Session& s, DocumentForm& form, int r, int k, std::string& v) {
    const int f = kHead + k;
    switch (k) {
    case 2:
    case 5:
    case 6:
    case 7:
    case 8:
        return CheckValue(s, v, f, 'C');
    case 3:
    case 4:
    case 13:
        CheckValue(s, v, f, 'X');
        return true;
    case 9:
        if (!CheckValue(s, v, f, 'N')) return false;
        v = numberToText(s.def.field(f).width, 2, textToNumber(v));
        return true;
    case 10:
        CheckValue(s, v, f, 'V');
        return true;
    case 11:
        if (!CheckValue(s, v, f, 'N')) return false;
        return !form.doc.isIssue() || withinStock(s, form, r, v);
    case 12:
        return CheckValue(s, v, f, 'N');
    default:
        return true;
    }
}

} // namespace

std::string infoLineOf(const Session& s, int first) {
    const auto& v = s.cis.CisValues;
    std::string line = v[static_cast<size_t>(first - 1)] + " -";
    for (int i = first + 1; i <= first + 9 && i <= CisParams::kMaxColumns; ++i)
        line += " " + v[static_cast<size_t>(i - 1)];
    return line;
}

bool headerCellCheck(Session& s, DocumentForm& form, int c) {
    std::string v = form.doc.head(c);
    if (c <= 10 && !CheckValue(s, v, c, 'C')) return false;
    if (c == 11) CheckValue(s, v, 11, 'X');
    if (c == 12) v = dateComplete(s, v);
    if (textToInt(v) > 0) {
        s.cis.setFirstKeys(1);
        s.cis.clearValues();
        value(s, 1) = trimRight(v);
        KCisel(s, 1, c);
        if (s.cis.CisHasCodebook == 'A') {
            if (s.cis.CisChosen != 'A') return false;
            showRow(s, form);
        }
    }
    form.doc.head(c) = v;
    return true;
}

bool headerCellRecheck(Session& s, DocumentForm& form, int c, bool leaving) {
    std::string v = form.doc.head(c);
    // The modes of the cell check: a document text is not held to digits.
    const bool valid = c == 13 || CheckValue(s, v, c, c == 11 ? 'X' : 'C');
    if (!valid) {
        if (leaving) information(s, kWrongValue, columnTitle(s, c) + ":  " + v);
        return false;
    }
    if (leaving && textToInt(form.doc.head(6)) == 0) {
        information(s, kNoNumber);
        return false;
    }
    form.doc.head(c) = v;
    return true;
}

bool itemCellLeft(Session& s, DocumentForm& form, int r, int k) {
    itemComputations(s, form, r, k);
    return itemCellCheck(s, form, r, k);
}

bool itemCellCheck(Session& s, DocumentForm& form, int r, int k) {
    if (!form.ItemTyped) return true;
    form.LastCheckOk = true;
    form.infoLine = kInfoStart;
    form.infoFailed = false;
    Document& d = form.doc;
    std::string v = d.item(r, k);
    if (isBlank(v)) return true;
    if (!itemValueValid(s, form, r, k, v)) return failItem(form, v);
    CisParams& cis = s.cis;
    if (k != 2) {
        cis.setFirstKeys(1);
        cis.clearValues();
        value(s, 1) = removeBlanks(v);
        KCisel(s, 2, k);
        if (cis.CisHasCodebook == 'A') {
            if (cis.CisChosen != 'A') return failItem(form, v);
            d.item(r, k) = v;
            transfer(s, d, r, k);
            showRow(s, form);
            return true;
        }
    } else if (!d.isIssue()) {
        cis.clearValues();
        cis.setFirstKeys(1);
        cis.CisFileName = codebookName(s, "Mater");
        value(s, 1) = removeBlanks(v);
        TestEx(s);
        if (cis.CisChosen != 'A') return failItem(form, v);
        receiptMaterial(s, d, r);
        showRow(s, form);
    } else {
        if (!lookUpStock(s, form, v)) return failItem(form, v);
        issueMaterial(s, d, r);
        showRow(s, form);
        form.DocModified = true;
    }
    d.item(r, k) = v;
    return true;
}

int materialChosen(Session& s, DocumentForm& form, int r) {
    Document& d = form.doc;
    if (d.isIssue()) {
        d.item(r, 2) = value(s, 6);
        issueMaterial(s, d, r);
    } else {
        d.item(r, 2) = value(s, 1);
        receiptMaterial(s, d, r);
    }
    showRow(s, form);
    form.DocModified = true;
    return 7;
}

int columnChosen(Session& s, DocumentForm& form, int r, int k) {
    form.doc.item(r, k) = value(s, 1);
    const int last = transfer(s, form.doc, r, k);
    showRow(s, form);
    form.DocModified = true;
    return std::min(last + 1, static_cast<int>(Document::kItemColumns));
}

} // namespace sarw
