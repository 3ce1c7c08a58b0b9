// The table screen's searches, editing keys and saving.
#include "screens/TCdsScr.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/fast/PackedRows.h"
#include "tables/model/CheckValue.h"

namespace sarw {

std::string TCdsScr::cellText(std::size_t record, int field) const {
    std::string room;
    return std::string(scrCellText(records(), record, field, room));
}

void TCdsScr::storeGrouping() {
    grouping.store(s_.scr);
}

void TCdsScr::markChanged() {
    s_.scr.tableChanged = true;
}

Table* TCdsScr::editable() {
    if (!editMode_ || !table_.active() || table_.readOnly) return nullptr;
    return &table_.data;
}

bool TCdsScr::reload() {
    return closeTable() && load();
}

bool TCdsScr::toggleEditingAllowed() {
    // The rights of the access table hold for everyone else.
    if (s_.login.status != "Zenit") return true;
    s_.scr.editAllowed = !s_.scr.editAllowed;
    return reload();
}

bool TCdsScr::setMinimalWidth(bool on) {
    s_.scr.minimalWidth = on;
    return reload();
}

bool TCdsScr::searchKey(const std::string& text) {
    if (isBlank(text)) return false;
    const auto hit = findKey(records(), text, col, rec + 1);
    if (!hit) {
        warning(s_, keyNotFoundText(tableFile, text));
        return false;
    }
    rec = *hit;
    return true;
}

bool TCdsScr::searchString(const std::string& text) {
    if (recordCount() == 0 || text.empty()) return false;
    const auto hit = findString(records(), text, rec + 1);
    if (!hit) {
        warning(s_, stringNotFoundText(text));
        return false;
    }
    rec = hit->record;
    col = hit->field;
    return true;
}

bool TCdsScr::searchEnter(const std::string& text) {
    return searchKey(text) || searchString(text);
}

bool TCdsScr::typeCell(const std::string& text) {
    Table* t = editable();
    if (!t || rec >= t->recordCount() || col >= t->fieldCount()) return false;
    if (t->text(rec, col) != text) t->setText(rec, col, text);
    markChanged();
    return true;
}

bool TCdsScr::saveCell() {
    Table* t = editable();
    if (!t || rec >= t->recordCount() || col >= t->fieldCount()) return false;
    std::string value = t->text(rec, col);
    if (isBlank(value)) return true;
    if (col < s_.def.fieldCount()) {
        if (s_.def.fields[col].checkMode == "V") value = upperCase(value);
        CheckValue(s_, value, col + 1, 'x');
    }
    if (value != t->text(rec, col)) {
        t->setText(rec, col, value);
        markChanged();
    }
    return true;
}

bool TCdsScr::enter() {
    Table* t = editable();
    if (!t || !saveCell()) return false;
    if (col + 1 < t->fieldCount()) {
        ++col;
        return true;
    }
    col = 0;
    if (rec + 1 >= t->recordCount()) {
        t->appendTexts(std::vector<std::string>(t->fields.size()));
        markChanged();
    }
    ++rec;
    return true;
}

bool TCdsScr::copyFromPrevious() {
    Table* t = editable();
    if (!t || rec == 0 || rec >= t->recordCount()) return false;
    t->setText(rec, col, t->text(rec - 1, col));
    markChanged();
    return enter();
}

void TCdsScr::copyCell() {
    if (rec < recordCount() && col < fieldCount()) clipboard_ = cellText(rec, col);
}

bool TCdsScr::pasteCell() {
    return putCell(clipboard_);
}

bool TCdsScr::putCell(const std::string& text) {
    Table* t = editable();
    if (!t || rec >= t->recordCount() || col >= t->fieldCount()) return false;
    t->setText(rec, col, text);
    markChanged();
    return true;
}

bool TCdsScr::insertRecord() {
    Table* t = editable();
    if (!t) return false;
    t->insertNull(std::min(rec, t->recordCount()));
    for (int f = 0; f < t->fieldCount(); ++f) t->setText(rec, f, "");
    markChanged();
    return true;
}

bool TCdsScr::deleteRecord() {
    Table* t = editable();
    if (!t || rec >= t->recordCount()) return false;
    t->erase(rec);
    if (rec > 0 && rec >= t->recordCount()) --rec;
    markChanged();
    return true;
}

bool TCdsScr::emptyTable(bool altDelete) {
    Table* t = editable();
    if (!t) return false;
    const bool yes = altDelete ? question(s_, "Skutecne chcete zrusit obsah souboru ?",
                                          "Jmeno souboru:  " + tableFile)
                               : question(s_, "Skutecne chceme tabulku vyprazdnit ?");
    if (!yes) return false;
    t->clearRecords();
    rec = 0;
    markChanged();
    return true;
}

std::string TCdsScr::ctrlF2Name(const std::string& file) {
    const std::size_t dot = file.find('.');
    if (dot == std::string::npos) return {};
    return file.substr(0, dot) + "_CdsScr" + file.substr(dot);
}

bool TCdsScr::saveCtrlF2() {
    const std::string name = ctrlF2Name(tableFile);
    if (name.empty() || !saveAs(name)) return false;
    information(s_, "Tabulka byla ulozena do souboru:\r\r" + name);
    return true;
}

bool TCdsScr::saveAs(const std::string& name) {
    if (!loaded() || name.empty()) return false;
    if (!packedLoaded_)
        return writeTableOrWarn(s_, name, table_.data, TableFormat::Binary, !inWorkDirs(s_, name));
    PackedRows rows({&packed_}, 0, static_cast<std::size_t>(packed_.head.fieldCount()));
    return writeTableOrWarn(s_, name, packed_.head, rows);
}

} // namespace sarw
