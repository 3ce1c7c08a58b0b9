#include "codebooks/CodebookEditor.h"

#include "codebooks/CodebookListing.h"
#include "codebooks/CodebookSort.h"
#include "codebooks/UCdsCIS.h"
#include "output/NumRowFont.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CheckValue.h"
#include "tables/model/ReadDef.h"

#include <algorithm>

namespace sarw {

namespace {

char upperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string CodebookEditor::caption() const {
    return "   Ciselnik          Jmeno:   " + s_.cis.CisFileName;
}

int CodebookEditor::columnWidth(int namePixels, int fieldSize) {
    int w = namePixels + 10;
    if (w < fieldSize * 8 + 2) w = fieldSize * 8;
    return w + 1;
}

bool CodebookEditor::editAllowed() const {
    return s_.cis.CisEditMode == 'A';
}

bool CodebookEditor::picking() const {
    return !editing_ && s_.cis.CisPickMode == 'A' && !editAllowed();
}

int CodebookEditor::row() const {
    const size_t count = table_.data.recordCount();
    if (count == 0) return 0;
    return static_cast<int>(std::min(table_.recNo(), count - 1));
}

void CodebookEditor::moveTo(int row, int column) {
    table_.moveTo(static_cast<size_t>(std::max(row, 0)));
    column_ = std::clamp(column, 0, std::max(table_.data.fieldCount() - 1, 0));
}

bool CodebookEditor::loadRows() {
    table_.fileName = s_.cis.CisFileName;
    table_.readOnly = !editAllowed();
    if (!table_.open(s_)) return false;
    written_ = table_.data.changeCount();
    table_.first();
    return true;
}

bool CodebookEditor::open() {
    CisParams& cis = s_.cis;
    cis.CisEditMode = upperLetter(cis.CisEditMode);
    cis.CisPickMode = upperLetter(cis.CisPickMode);
    const bool defGiven = !trimBoth(cis.CisDefName).empty() && fileExists(s_, cis.CisDefName);
    if (!fileExistsWarn(s_, cis.CisFileName)) {
        if (!editAllowed() || !defGiven) return false;
        const std::string tableFile = s_.cds.TableFile, defFile = s_.cds.DefFile;
        s_.cds.TableFile = cis.CisFileName;
        s_.cds.DefFile = cis.CisDefName;
        s_.cdsProc().MakeTable(s_.cdsProc().Table3);
        s_.cds.TableFile = tableFile;
        s_.cds.DefFile = defFile;
    }
    if (defGiven) ReadDef(s_, cis.CisDefName);
    Platform::setPlainAttributes(s_.platform().native(cis.CisFileName));
    cis.clearValues();
    cis.CisChosen = 'N';
    search_.clear();
    if (!loadRows()) return false;
    editing_ = false;
    column_ = 0;
    modified_ = false;
    readNumRowFont(s_);
    return true;
}

bool CodebookEditor::writeRows() {
    if (table_.data.changeCount() == written_ && fileExists(s_, table_.fileName)) return true;
    if (!table_.saveToFile(s_, table_.fileName)) return false;
    written_ = table_.data.changeCount();
    return true;
}

bool CodebookEditor::blankKeysAccepted() {
    const long rows = blankKeyRowsWithValues(table_.data, s_.cis.CisKeyCount);
    return s_.cis.CisKeyCount <= 0 || blankKeyRowsAccepted(s_, rows, s_.cis.CisFileName);
}

bool CodebookEditor::close() {
    if (table_.active() && editAllowed()) {
        if (!blankKeysAccepted() || !writeRows()) return false;
        SortCisProc(s_, false);
    }
    s_.cis.CisDefName.clear();
    search_.clear();
    table_.discard();
    editing_ = false;
    return true;
}

bool CodebookEditor::sort() {
    if (!editAllowed() || !table_.active()) return false;
    if (!blankKeysAccepted() || !writeRows()) return false;
    const bool sorted = SortCisProc(s_, false);
    table_.discard();
    // The codebook is shown again as the file holds it, sorted or not.
    loadRows();
    return sorted;
}

void CodebookEditor::typeDigit(char digit) {
    if (!picking()) return;
    search_ += digit;
    const int keys = s_.cis.CisKeyCount;
    if (keys < 1 || keys > CisParams::kMaxKeys || table_.data.empty()) return;
    locateTyped(s_, table_, search_);
}

void CodebookEditor::choose() {
    if (!picking()) return;
    CisParams& cis = s_.cis;
    cis.clearValues();
    if (table_.data.empty()) return;
    const int n = std::min(table_.data.fieldCount(), CisParams::kMaxColumns);
    for (int f = 0; f < n; ++f)
        cis.CisValues[static_cast<size_t>(f)] = table_.data.text(static_cast<size_t>(row()), f);
    cis.CisChosen = 'A';
}

bool CodebookEditor::setCell(int row, int column, const std::string& text) {
    if (!editing_ || row < 0 || static_cast<size_t>(row) >= table_.data.recordCount() ||
        column < 0 || column >= table_.data.fieldCount())
        return false;
    if (table_.data.text(static_cast<size_t>(row), column) == text) return true;
    touch();
    return table_.data.setText(static_cast<size_t>(row), column, text);
}

void CodebookEditor::copyCell() {
    if (!editing_ || table_.data.empty()) return;
    clipboard_ = table_.data.text(static_cast<size_t>(row()), column_);
    touch();
}

void CodebookEditor::pasteCell() {
    if (!editing_ || table_.data.empty()) return;
    setCell(row(), column_, clipboard_);
    touch();
}

void CodebookEditor::copyDown() {
    if (!editing_ || table_.data.empty()) return;
    const int r = row();
    setCell(r, column_, r == 0 ? "" : table_.data.text(static_cast<size_t>(r - 1), column_));
    touch();
    enter();
}

void CodebookEditor::checkCell() {
    if (trimBoth(s_.cis.CisDefName).empty() || table_.data.empty()) return;
    std::string value = table_.data.text(static_cast<size_t>(row()), column_);
    if (trimBoth(value).empty() || column_ >= s_.def.fieldCount()) return;
    const std::string& mode = s_.def.field(column_ + 1).checkMode;
    if (CheckValue(s_, value, column_ + 1, mode.empty() ? ' ' : mode[0]))
        setCell(row(), column_, value);
}

void CodebookEditor::enter() {
    if (!editing_) return;
    checkCell();
    if (column_ + 1 < table_.data.fieldCount()) {
        ++column_;
        return;
    }
    const size_t r = static_cast<size_t>(row());
    if (table_.data.empty() || r + 1 == table_.data.recordCount()) {
        table_.data.appendTexts(
            std::vector<std::string>(static_cast<size_t>(table_.data.fieldCount()), std::string()));
    }
    table_.moveTo(table_.data.empty() ? 0 : r + 1);
    column_ = 0;
}

void CodebookEditor::insertRow() {
    if (!editing_) return;
    const size_t at = table_.data.empty() ? 0 : static_cast<size_t>(row());
    table_.data.insertNull(at);
    for (int f = 0; f < table_.data.fieldCount(); ++f) table_.data.setText(at, f, "");
    table_.moveTo(at);
    touch();
}

void CodebookEditor::deleteRow() {
    if (!editing_ || table_.data.empty()) return;
    table_.data.erase(static_cast<size_t>(row()));
    touch();
}

void CodebookEditor::saveRow() {
    if (editing_) checkCell();
}

void CodebookEditor::emptyCodebook() {
    const std::string title = "Jmeno ciselniku:  " + s_.cis.CisFileName;
    if (!editing_) {
        information(s_, "Obsah ciselniku lze zrusit pouze v rezimu editace !", title);
        return;
    }
    if (!question(s_, "Skutecne chcete zrusit obsah ciselniku ?", title)) return;
    table_.data.clearRecords();
    table_.first();
    touch();
}

void CodebookEditor::toggleEditing() {
    if (!editAllowed()) {
        information(s_, "Ciselnik neni v rezimu editace",
                    "Soubor:  " + s_.cis.CisFileName + "-operace nebude provedena");
        return;
    }
    editing_ = !editing_;
}

bool CodebookEditor::searchByKey() {
    const std::string wanted = upperCase(trimLeft(search_));
    const size_t count = table_.data.recordCount();
    for (size_t r = table_.data.empty() ? 0 : static_cast<size_t>(row()) + 1; r < count; ++r) {
        const std::string value = upperCase(trimLeft(table_.data.text(r, column_)));
        if (value.compare(0, wanted.size(), wanted) == 0) {
            table_.moveTo(r);
            return true;
        }
    }
    information(s_, search_ + kValueNotFound, "Soubor:  " + s_.cis.CisFileName);
    table_.last();
    return false;
}

bool CodebookEditor::searchString() {
    const std::string wanted = upperCase(search_);
    const size_t count = table_.data.recordCount();
    for (size_t r = table_.data.empty() ? 0 : static_cast<size_t>(row()) + 1; r < count; ++r) {
        for (int f = 0; f < table_.data.fieldCount(); ++f) {
            if (upperCase(table_.data.text(r, f)).find(wanted) != std::string::npos) {
                table_.moveTo(r);
                return true;
            }
        }
    }
    warning(s_, "Veta nebyla nalezena !", "Retezec:  " + search_);
    column_ = 0;
    return false;
}

std::string CodebookEditor::listing() {
    if (!table_.active()) return {};
    return codebookListing(s_, s_.cis.CisFileName, table_.data);
}

} // namespace sarw
