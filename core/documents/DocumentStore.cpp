#include "documents/DocumentStore.h"

#include "codebooks/CodebookSort.h"
#include "documents/DocumentCheck.h"
#include "documents/TurnoverFile.h"
#include "period/PeriodFiles.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/ProgressGuard.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "start/DataDiskWrite.h"

#include <algorithm>
#include <optional>

namespace sarw {

namespace {

constexpr int kIdFields = 6;
constexpr int kHead = Document::kHeadCount;
constexpr int kRecordFields = Document::kHeadCount + Document::kItemColumns;

std::array<std::string, kHead> headCells(const Document& d) {
    std::array<std::string, kHead> h;
    for (int c = 1; c <= kHead; ++c) h[static_cast<size_t>(c - 1)] = d.head(c);
    return h;
}

std::string joined(const std::string_view* cells, int n) {
    std::string id;
    for (int i = 0; i < n; ++i) id += cells[i];
    return id;
}

std::string docTitle(const Document& d, bool blankBefore) {
    std::string title = "Doklad:  ";
    for (int c = 1; c <= kIdFields; ++c) title += blankBefore ? " " + d.head(c) : d.head(c) + " ";
    return title;
}

// The records of the document, one per filled item row, with the file's fields.
Table documentRecords(const Table& head, const Document& d) {
    Table added;
    added.fields = head.fields;
    const int n = std::min(head.fieldCount(), kRecordFields);
    for (int r = 1; r <= Document::kMaxItems; ++r) {
        if (!d.rowFilled(r)) continue;
        std::vector<std::string> texts;
        for (int f = 1; f <= n; ++f) texts.push_back(f <= kHead ? d.head(f) : d.item(r, f - kHead));
        added.appendTexts(texts);
    }
    return added;
}

SaveResult saveInto(Session& s, DocumentForm& form, const std::string& file, bool turnover) {
    Document& d = form.doc;
    if (turnover && !form.DocModified) return SaveResult::Unchanged;
    if (!d.identificationComplete()) {
        information(s, kIdError);
        return SaveResult::Refused;
    }
    std::optional<DataDiskWrite> lock;
    if (turnover) {
        lock.emplace(s);
        if (!lock->held()) return SaveResult::Failed;
    }
    ProgressGuard strip(s);
    TurnoverFile t;
    if (!t.load(s, file)) return SaveResult::Failed;
    const auto head = headCells(d);
    const std::string id = d.identification();
    const bool moved = id != form.loadedId;
    std::vector<std::uint32_t> kept;
    kept.reserve(t.recordCount());
    bool stored = false;
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec) {
        if (t.keyEquals(rec, head.data(), kIdFields)) {
            stored = true;
            continue;
        }
        if (moved && !form.loadedId.empty() && joined(t.cells(rec), kIdFields) == form.loadedId)
            continue;
        kept.push_back(static_cast<std::uint32_t>(rec));
    }
    // A stored document other than the one read is never replaced without the question, even
    // by an empty document.
    if (stored && moved && !question(s, kOverwriteQuestion, docTitle(d, false)))
        return SaveResult::Refused;
    const Table added = documentRecords(t.head(), d);
    if (!t.write(s, file, kept, added)) return SaveResult::Failed;
    if (!turnover) return SaveResult::Saved;
    form.loadedId = id;
    // The turnover file holds the document; DocModified stays set until the working copy is
    // written too, so the next save writes it again.
    if (!t.write(s, kWorkingTurnoverCopy, kept, added)) return SaveResult::Failed;
    form.DocModified = false;
    return SaveResult::Saved;
}

// Header columns 7-13 and the item rows from the records of identification `key`; records whose
// item number is outside 1-1000 or names a row already filled go to the free rows. The number
// of records placed.
int placeRecords(Session& s, DocumentForm& form, const TurnoverFile& t, const std::string* key,
                 std::vector<int>* rows = nullptr) {
    Document& d = form.doc;
    std::vector<bool> taken(Document::kMaxItems + 1, false);
    for (int r = 1; r <= Document::kMaxItems; ++r) taken[static_cast<size_t>(r)] = d.rowFilled(r);
    std::vector<std::vector<std::string>> misplaced;
    int placed = 0;
    const int n = std::min(t.fieldCount(), kRecordFields);
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec) {
        if (!t.keyEquals(rec, key, kIdFields)) continue;
        const std::string_view* c = t.cells(rec);
        for (int f = 7; f <= std::min(n, kHead); ++f) d.head(f) = std::string(c[f - 1]);
        std::vector<std::string> items;
        for (int f = kHead + 1; f <= n; ++f) items.emplace_back(c[f - 1]);
        items.resize(Document::kItemColumns);
        ++placed;
        const long long row = textToInt(items[0]);
        if (row < 1 || row > Document::kMaxItems || taken[static_cast<size_t>(row)]) {
            misplaced.push_back(std::move(items));
            continue;
        }
        taken[static_cast<size_t>(row)] = true;
        for (int k = 2; k <= Document::kItemColumns; ++k)
            d.item(static_cast<int>(row), k) = items[static_cast<size_t>(k - 1)];
        if (rows) rows->push_back(static_cast<int>(row));
    }
    int row = 1, lost = 0;
    for (const auto& items : misplaced) {
        while (row <= Document::kMaxItems && taken[static_cast<size_t>(row)]) ++row;
        if (row > Document::kMaxItems) {
            ++lost;
            continue;
        }
        taken[static_cast<size_t>(row)] = true;
        for (int k = 2; k <= Document::kItemColumns; ++k)
            d.item(row, k) = items[static_cast<size_t>(k - 1)];
        if (rows) rows->push_back(row);
    }
    if (!misplaced.empty())
        warning(s,
                "Polozky s cislem mimo 0001 az 1000 nebo s cislem jiz obsazenym: " +
                    std::to_string(misplaced.size()) +
                    (lost ? ", z toho nenactene pro nedostatek radku: " + std::to_string(lost)
                          : ", ulozeny na volne radky dokladu"),
                docTitle(d, true));
    return placed;
}

// The largest field 6 (as text, from `start`) of the records whose fields 1-5 equal `unit`
// and whose field 6 is below `below`, plus one.
std::string nextAfter(Session& s, const std::string* unit, const std::string& start,
                      const std::string& below, const std::string& none) {
    const std::string file = turnoverFileName(s);
    if (!fileExists(s, file)) return none;
    TurnoverFile t;
    if (!t.load(s, file) || t.fieldCount() < kIdFields) return none;
    std::string largest = start;
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec) {
        const std::string_view* c = t.cells(rec);
        bool same = true;
        for (int i = 0; i < 5 && same; ++i) same = c[i] == unit[i];
        if (same && c[5] < below && c[5] > largest) largest = std::string(c[5]);
    }
    return zeroPadInt(textToInt(largest) + 1, 5);
}

// Imported rows are completed and checked cell by cell as if typed, so that their prices,
// values and the stock ceiling hold as for typed rows. The first refused cell becomes the last
// cell, with its red info line and LastCheckOk false.
void checkImportedRows(Session& s, DocumentForm& form, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    form.ItemTyped = true;
    std::string failure;
    for (int r : rows)
        for (int k = 2; k <= Document::kItemColumns; ++k) {
            if (itemCellLeft(s, form, r, k) || !failure.empty()) continue;
            failure = form.infoLine;
            form.lastRow = r;
            form.lastColumn = k;
        }
    if (failure.empty()) return;
    form.infoLine = failure;
    form.infoFailed = true;
    form.LastCheckOk = false;
}

} // namespace

SaveResult saveDocument(Session& s, DocumentForm& form) {
    return saveInto(s, form, turnoverFileName(s), true);
}

SaveResult saveDocumentInto(Session& s, DocumentForm& form, const std::string& file) {
    return saveInto(s, form, file, false);
}

bool readDocument(Session& s, DocumentForm& form) {
    Document& d = form.doc;
    if (!d.identificationComplete()) {
        information(s, kIdError);
        return false;
    }
    form.loadedId = d.identification();
    TurnoverFile t;
    if (!t.load(s, turnoverFileName(s))) return false;
    const auto head = headCells(d);
    const bool found = placeRecords(s, form, t, head.data()) > 0;
    if (found)
        form.DocFilled = true;
    else
        information(s, kNotFound, docTitle(d, true));
    recomputeSums(form);
    return found;
}

bool importItems(Session& s, DocumentForm& form, const std::array<std::string, 13>& chosen) {
    TurnoverFile t;
    if (!t.load(s, turnoverFileName(s))) return false;
    std::vector<int> rows;
    if (placeRecords(s, form, t, chosen.data(), &rows) == 0) {
        information(s, kNotFound, docTitle(form.doc, true));
        return false;
    }
    form.DocFilled = form.DocModified = true;
    checkImportedRows(s, form, rows);
    recomputeSums(form);
    return true;
}

bool buildDocumentList(Session& s) {
    const std::string file = turnoverFileName(s);
    if (!fileExistsWarn(s, file)) return false;
    s.cis.CisFileName = file;
    s.cis.setFirstKeys(kHead);
    const bool built = SezDokl(s);
    s.cis.setFirstKeys(1);
    if (built) s.cis.CisFileName = kSezDokl;
    return built;
}

bool deleteDocument(Session& s, DocumentForm& form) {
    Document& d = form.doc;
    if (!form.DocFilled && !d.anyRowFilled()) return false;
    if (!question(s, kDeleteQuestion)) return false;
    const std::string file = turnoverFileName(s);
    bool removed = false;
    if (fileExists(s, file)) {
        DataDiskWrite lock(s);
        if (!lock.held()) return false;
        ProgressGuard strip(s);
        TurnoverFile t;
        if (!t.load(s, file)) return false;
        const auto head = headCells(d);
        std::vector<std::uint32_t> kept;
        for (std::size_t rec = 0; rec < t.recordCount(); ++rec)
            if (!t.keyEquals(rec, head.data(), kHead)) kept.push_back(static_cast<uint32_t>(rec));
        removed = kept.size() < t.recordCount();
        Table none;
        none.fields = t.head().fields;
        if (removed && !t.write(s, file, kept, none)) return false;
    }
    newDocument(s, form);
    return removed;
}

std::string nextNumber(Session& s, const Document& d) {
    const auto head = headCells(d);
    return nextAfter(s, head.data(), "00000", "90000", "00001");
}

std::string nextFollowOnNumber(Session& s, const Document& d) {
    const std::string unit[5] = {d.head(1), d.head(2), d.head(8), d.head(9), d.head(10)};
    return nextAfter(s, unit, "90000", "\xff", "90001");
}

bool setIdentification(Document& d, const std::string& id) {
    static constexpr int widths[kIdFields] = {2, 2, 2, 2, 2, 5};
    if (id.size() != 15) return false;
    size_t at = 0;
    for (int c = 1; c <= kIdFields; ++c) {
        d.head(c) = id.substr(at, static_cast<size_t>(widths[c - 1]));
        at += static_cast<size_t>(widths[c - 1]);
    }
    return true;
}

} // namespace sarw
