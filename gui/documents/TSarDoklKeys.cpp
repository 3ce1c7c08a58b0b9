// The document form's keys, mouse and focus: what each does to the cells is the core's
// (documents/DocumentCheck.h, DocumentStore.h); here only which check runs when, and where the
// cursor goes.
#include "documents/TSarDokl.h"

#include "codebooks/TCdsCis.h"
#include "codebooks/UCdsCIS.h"
#include "documents/DocumentActions.h"
#include "documents/DocumentCheck.h"
#include "documents/DocumentGrid.h"
#include "documents/DocumentGridModel.h"
#include "documents/DocumentPicks.h"
#include "documents/DocumentStore.h"
#include "documents/PriceList.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>
#include <optional>

namespace sarw {

namespace {

constexpr int kLastItemColumn = Document::kItemColumns;

bool ctrl(const QKeyEvent* e) {
    return e->modifiers() & Qt::ControlModifier;
}

bool printable(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).isPrint();
}

bool inGrid(const QTableView* grid, const QWidget* w) {
    return w && (w == grid || grid->isAncestorOf(w));
}

} // namespace

int TSarDokl::headColumn() const {
    const QModelIndex at = head_->currentIndex();
    return at.isValid() ? headModel_->formColumn(at.column()) : lastHead_;
}

int TSarDokl::itemRow() const {
    const QModelIndex at = items_->currentIndex();
    return at.isValid() ? at.row() + 1 : 1;
}

int TSarDokl::itemColumn() const {
    const QModelIndex at = items_->currentIndex();
    return at.isValid() ? itemsModel_->formColumn(at.column()) : 2;
}

void TSarDokl::goHeader(int c) {
    c = std::clamp(c, 1, static_cast<int>(Document::kHeadCount));
    head_->setCurrentIndex(headModel_->index(0, headModel_->gridColumn(c)));
    takeKeys();
    head_->setFocus(Qt::OtherFocusReason);
}

// After a message box the keys come back to the form, also where no window manager gives the
// activation back.
void TSarDokl::takeKeys() {
    if (isVisible() && !isActiveWindow()) activateWindow();
}

void TSarDokl::moveItem(int r, int k) {
    r = std::clamp(r, 1, static_cast<int>(Document::kMaxItems));
    k = std::clamp(k, 2, kLastItemColumn);
    const QModelIndex at = itemsModel_->index(r - 1, itemsModel_->gridColumn(k));
    items_->setCurrentIndex(at);
    items_->scrollTo(at);
    showState();
}

void TSarDokl::goItem(int r, int k) {
    moveItem(r, k);
    takeKeys();
    items_->setFocus(Qt::OtherFocusReason);
    showState();
}

// Focus put back after a refused leave: the steps of entering and leaving do not run again.
void TSarDokl::refocus(QWidget* grid) {
    quiet_ = true;
    grid->setFocus(Qt::OtherFocusReason);
    quiet_ = false;
}

bool TSarDokl::isFormKey(bool items, const QKeyEvent* e) const {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_F1:
        return ctrl(e);
    case Qt::Key_R:
        return !items && ctrl(e);
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_Delete:
        return items && ctrl(e);
    case Qt::Key_F5:
    case Qt::Key_F9:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
        return items;
    default:
        return false;
    }
}

void TSarDokl::typed(bool items) {
    form_.DocModified = true;
    if (!items) {
        lastHead_ = headColumn();
        return;
    }
    form_.lastRow = itemRow();
    form_.lastColumn = itemColumn();
    form_.DocFilled = form_.ItemTyped = true;
}

bool TSarDokl::editorKey(bool items, QWidget* editor, QKeyEvent* e) {
    if (!isFormKey(items, e)) {
        if (printable(e)) typed(items);
        return false;
    }
    (items ? itemsDelegate_ : headDelegate_)->finish(editor);
    if (e->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return items ? itemKey(e) : headKey(e);
}

bool TSarDokl::eventFilter(QObject* watched, QEvent* e) {
    if (!items_) return QDialog::eventFilter(watched, e);
    const bool items = watched == items_ || watched == items_->viewport();
    const bool head = watched == head_ || watched == head_->viewport();
    if (!items && !head) return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::MouseButtonRelease && watched != items_ && watched != head_) {
        QMetaObject::invokeMethod(
            this, [this, items] { mouseReleased(items); }, Qt::QueuedConnection);
        return false;
    }
    if (e->type() != QEvent::KeyPress || (watched != items_ && watched != head_))
        return QDialog::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    const bool sideways = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
    if (!isFormKey(items, key) && !(items && sideways && !ctrl(key))) {
        if (printable(key)) typed(items);
        return false;
    }
    if (key->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (items && sideways) {
        const int k = itemColumn() + (key->key() == Qt::Key_Left ? -1 : 1);
        if (!checkLastItem()) {
            goItem(form_.lastRow, form_.lastColumn);
            return true;
        }
        moveItem(itemRow(), k);
        return true;
    }
    return items ? itemKey(key) : headKey(key);
}

// --- The header grid ---------------------------------------------------------------------------

bool TSarDokl::headKey(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Tab:
        if (ctrl(e))
            items_->setFocus(Qt::OtherFocusReason);
        else
            headEnter(false);
        return true;
    case Qt::Key_Backtab:
        goHeader(headColumn() - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        headEnter(true);
        return true;
    case Qt::Key_F1:
        headPick();
        return true;
    case Qt::Key_R:
        itemImport();
        return true;
    default:
        return false;
    }
}

// Enter and Tab: the cell check; a refused cell keeps its text, and only Tab moves on. A document
// number with nothing typed yet reads that document.
void TSarDokl::headEnter(bool enter) {
    const int c = headColumn();
    lastHead_ = c;
    const bool ok = headerCellCheck(s_, form_, c);
    if (!ok) {
        showState();
        if (!enter && c < Document::kHeadCount) goHeader(c + 1);
        return;
    }
    const bool content = form_.DocFilled || form_.doc.anyRowFilled();
    if (!content && c == 6 && textToInt(form_.doc.head(6)) > 0 && readDocument(s_, form_)) {
        showState();
        goItem(1, 2);
        return;
    }
    if (c >= 3 && c <= 5) form_.doc.head(6) = nextNumber(s_, form_.doc);
    showState();
    if (c == Document::kHeadCount)
        goItem(1, 2);
    else
        goHeader(c + 1);
}

// The document list as a pick list: the header of the document chosen.
std::optional<std::array<std::string, 13>> TSarDokl::pickDocument() {
    if (!documentListTarget(s_)) return std::nullopt;
    TCdsCis list(s_, this);
    list.showCodebook();
    const bool chosen = s_.cis.CisChosen == 'A';
    const auto head = chosenHeader(s_);
    pickListClosed(s_);
    if (!chosen) return std::nullopt;
    return head;
}

// A document from the list is read, and with content the items grid takes over.
bool TSarDokl::chooseDocument() {
    const auto head = pickDocument();
    if (!head) return false;
    const bool read = documentChosen(s_, form_, *head);
    showState();
    if (read) goItem(1, 2);
    return read;
}

void TSarDokl::headPick() {
    const int c = headColumn();
    if (c <= 6) {
        if (form_.DocFilled || form_.doc.anyRowFilled()) return;
        if (chooseDocument()) return;
    }
    s_.cis.clearValues();
    pickListClosed(s_);
    VCisel(s_, 1, c, this);
    if (s_.cis.CisChosen != 'A') return;
    form_.doc.head(c) = s_.cis.CisValues[0];
    form_.infoLine = infoLineOf(s_);
    form_.infoFailed = false;
    form_.DocModified = true;
    showState();
    if (c == Document::kHeadCount) {
        head_->setCurrentIndex(headModel_->index(0, 0));
        goItem(1, 2);
    } else {
        goHeader(c + 1);
    }
}

// Ctrl+R: the items of a document from the list join the form's rows, checked as if typed.
void TSarDokl::itemImport() {
    const auto head = pickDocument();
    if (!head) return;
    importItems(s_, form_, *head);
    showState();
    if (!form_.LastCheckOk) goItem(form_.lastRow, form_.lastColumn);
}

// --- The items grid ----------------------------------------------------------------------------

// The item check on the last cell, with the value and the stock ceiling; nothing to check before
// an item cell was typed into.
bool TSarDokl::checkLastItem() {
    if (!form_.ItemTyped) return true;
    const bool ok = itemCellLeft(s_, form_, form_.lastRow, form_.lastColumn);
    recomputeSums(form_);
    showState();
    return ok;
}

bool TSarDokl::itemKey(QKeyEvent* e) {
    const int r = itemRow(), k = itemColumn();
    auto step = [&](int toRow, int toColumn) {
        if (!checkLastItem()) {
            goItem(form_.lastRow, form_.lastColumn);
            return;
        }
        moveItem(toRow, toColumn);
    };
    auto fill = [&](const std::string& value) {
        form_.doc.item(r, k) = value;
        typed(true);
    };
    const int page = std::max(1, items_->viewport()->height() / items_->rowHeight(0) - 1);
    switch (e->key()) {
    case Qt::Key_Tab:
        if (ctrl(e)) {
            head_->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (k == kLastItemColumn)
            step(r + 1, 2);
        else
            step(r, k + 1);
        return true;
    case Qt::Key_Backtab:
        step(r, k - 1);
        return true;
    case Qt::Key_Up:
        step(r - 1, k);
        return true;
    case Qt::Key_Down:
        step(r + 1, k);
        return true;
    case Qt::Key_PageUp:
        step(r - page, k);
        return true;
    case Qt::Key_PageDown:
        step(r + page, k);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        form_.lastRow = r;
        form_.lastColumn = k;
        itemEnter();
        return true;
    case Qt::Key_C:
        clipboard_ = form_.doc.item(r, k);
        return true;
    case Qt::Key_V:
        fill(clipboard_);
        if (!checkLastItem()) goItem(r, k);
        return true;
    case Qt::Key_F5: {
        const std::string v = calculatorCell(s_, k, calculatorMemory());
        if (v.empty()) return true;
        fill(v);
        step(r, k + 1);
        return true;
    }
    case Qt::Key_F9:
        if (r < 2) return true;
        fill(form_.doc.item(r - 1, k));
        itemEnter();
        return true;
    case Qt::Key_F1:
        itemPick();
        return true;
    case Qt::Key_Insert:
        insertItemRow(s_, form_, r);
        showState();
        return true;
    case Qt::Key_Delete:
        if (removeItemRow(s_, form_, r)) recomputeSums(form_);
        showState();
        return true;
    default:
        return false;
    }
}

// Enter: value, stock ceiling and check on the cell; it passes, and the cursor moves right, from
// the material to the codes (the material's texts are filled from its codebook).
void TSarDokl::itemEnter() {
    const int r = form_.lastRow, k = form_.lastColumn;
    if (!checkLastItem()) {
        goItem(r, k);
        return;
    }
    if (k == 2)
        moveItem(r, 6);
    else if (k == kLastItemColumn)
        moveItem(r + 1, 2);
    else
        moveItem(r, k + 1);
}

void TSarDokl::itemPick() {
    const int r = itemRow(), k = itemColumn();
    int to = k;
    if (k == 2) {
        if (!materialPickTarget(s_, form_)) return;
        TCdsCis list(s_, this);
        list.showCodebook();
        if (s_.cis.CisChosen == 'A') to = materialChosen(s_, form_, r);
    } else {
        s_.cis.clearValues();
        pickListClosed(s_);
        VCisel(s_, 2, k, this);
        if (s_.cis.CisChosen == 'A') to = columnChosen(s_, form_, r, k);
    }
    const bool chosen = s_.cis.CisChosen == 'A';
    pickListClosed(s_);
    if (!chosen) return;
    form_.DocFilled = true;
    form_.lastRow = r;
    form_.lastColumn = k;
    recomputeSums(form_);
    goItem(r, to);
}

// --- Mouse and focus ---------------------------------------------------------------------------

void TSarDokl::mouseReleased(bool items) {
    if (items) {
        if (!checkLastItem()) goItem(form_.lastRow, form_.lastColumn);
        showState();
        return;
    }
    if (headerCellRecheck(s_, form_, lastHead_, false)) lastHead_ = headColumn();
    showState();
}

// Entering and leaving a grid within the window; the steps run once the focus has settled, so
// that their questions and refusals do not interrupt the move itself.
void TSarDokl::focusMoved(QWidget* old, QWidget* now) {
    if (quiet_ || !items_ || !now || now->window() != this) return;
    if (old && old->window() != this) return;
    const bool leftHead = inGrid(head_, old) && !inGrid(head_, now);
    const bool leftItems = inGrid(items_, old) && !inGrid(items_, now);
    const bool enteredHead = inGrid(head_, now) && !inGrid(head_, old);
    const bool enteredItems = inGrid(items_, now) && !inGrid(items_, old);
    if (!leftHead && !leftItems && !enteredHead && !enteredItems) return;
    QMetaObject::invokeMethod(
        this,
        [=, this] {
            if (leftItems && !leaveItems()) return;
            if (leftHead && !leaveHead()) return;
            if (enteredHead) enterHead();
            if (enteredItems) enterItems();
        },
        Qt::QueuedConnection);
}

bool TSarDokl::leaveHead() {
    if (!headerCellRecheck(s_, form_, lastHead_, true)) {
        refocus(head_);
        showState();
        return false;
    }
    setActive(head_, false);
    showState();
    return true;
}

bool TSarDokl::leaveItems() {
    if (!checkLastItem()) {
        refocus(items_);
        moveItem(form_.lastRow, form_.lastColumn);
        return false;
    }
    setActive(items_, false);
    showState();
    return true;
}

void TSarDokl::enterHead() {
    setActive(head_, true);
    lastHead_ = headColumn();
    showState();
}

void TSarDokl::enterItems() {
    if (textToInt(form_.doc.head(6)) == 0) {
        information(s_, kNoNumber);
        refocus(head_);
        return;
    }
    setActive(items_, true);
    if (!form_.ItemTyped) {
        form_.infoLine = kInfoStart;
        form_.infoFailed = false;
        form_.lastRow = itemRow();
        form_.lastColumn = itemColumn();
    }
    if (form_.doc.isIssue() && !form_.PriceListFresh) offerPriceList(s_, form_);
    form_.stockQuantity.clear();
    form_.stockValue.clear();
    showState();
}

} // namespace sarw
