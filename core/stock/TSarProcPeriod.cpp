// The period tables: states in turnover form, turnovers summed into states, both joined, the
// current states, and the turnovers of a span of months.
#include "stock/CurrentStates.h"
#include "stock/TSarProc.h"
#include "tables/fast/TextPacker.h"
#include "tables/fast/TextRecords.h"

#include "period/Period.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/Parallel.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/fast/PackedRows.h"
#include "tables/fast/PackedTable.h"
#include "tables/formats/TableFile.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "period/PeriodFiles.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace sarw {

namespace {

// The turnovers of a span written to `work` straight from the stored bytes of the periods'
// binary files, one after another, as appending each file's records to the work table `head`
// gives them; none is copied into a table. Not applicable, with nothing written, unless every
// file is a binary table of the work table's layout.
OnePassRoute spanFromStoredBytes(Session& s, const std::vector<std::string>& names,
                                 const Table& head, const std::string& work) {
    if (formatForName(work) != TableFormat::Binary) return OnePassRoute::NotApplicable;
    std::vector<std::string> files;
    for (const std::string& name : names) {
        // Files that hold no table add no records.
        if (!cdscopy::holdsTable(s, name)) continue;
        if (formatForName(name) != TableFormat::Binary) return OnePassRoute::NotApplicable;
        files.push_back(name);
    }
    // Most files are smaller than what one reader reads on threads: two files are read at once.
    std::vector<PackedTable> tables(files.size());
    std::array<bool, 2> loaded = {true, true};
    onTwoThreads([&](int t) {
        for (std::size_t i = static_cast<std::size_t>(t); i < files.size(); i += 2)
            loaded[static_cast<std::size_t>(t)] =
                loaded[static_cast<std::size_t>(t)] &&
                loadPacked(s.platform().native(files[i]), tables[i]) &&
                cdscopy::sameLayout(tables[i].head, head);
    });
    s.dialogs().processEvents();
    if (!loaded[0] || !loaded[1]) return OnePassRoute::NotApplicable;
    std::vector<const PackedTable*> parts;
    for (const PackedTable& t : tables) parts.push_back(&t);
    return writeTableOrWarn(s, work, head, PackedRows(parts, 0, head.fields.size()))
               ? OnePassRoute::Written
               : OnePassRoute::Failed;
}

// An empty table of a definition, held in memory.
void makeInMemory(Session& s, CdsTable& table, const std::string& def) {
    s.cds.DefFile = def;
    s.cdsProc().MakeTableVirt(table);
}

// Field f (1-based) of a record, empty when the table has fewer fields.
std::string fieldText(const Table& t, std::size_t rec, int f) {
    return f <= t.fieldCount() ? t.text(rec, f - 1) : std::string();
}

// A table written as a work file and then copied over the output, as every result is replaced.
bool saveThenReplace(Session& s, const CdsTable& table, const std::string& work,
                     const std::string& out) {
    deleteFile(s, work);
    if (!table.saveToFile(s, work)) return false;
    return SafeCopy(s, work, out, 1);
}

// States as opening-state turnover records, made one at a time for the table file writer, so
// that neither table is held in memory: record r is item r % 500 + 1 of document r / 500 + 1.
// Only for tables of texts; a null or missing state field is an empty text.
template <class Records> class StatesAsTurnovers : public RecordSource {
public:
    StatesAsTurnovers(const Records& in, std::size_t inFields, const Table& head, std::string date,
                      std::string docText)
        : in_(in), inFields_(inFields), date_(std::move(date)), docText_(std::move(docText)),
          packer_(head) {
        // The records are put into the packet here, on both threads, when the output is of
        // texts: every record then goes in, as no text holds a zero byte (the input's texts end
        // before one).
        packsOnWriterThreads_ = inFields_ < kMaxFields && head.fieldCount() == saro::kFieldCount &&
                                packer_.usable() && date_.find('\0') == std::string::npos &&
                                docText_.find('\0') == std::string::npos;
    }

    std::size_t recordCount() const override { return in_.recordCount(); }
    bool concurrentWrites() const override { return packsOnWriterThreads_; }

    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        if (!packsOnWriterThreads_) return false;
        std::array<std::string_view, kMaxFields + 1> st;
        std::string document, item;
        std::array<std::string_view, saro::kFieldCount> made;
        make(rec, st.data(), document, item, made.data());
        return packer_.put(made.data(), out);
    }

    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        std::array<std::string_view, kMaxFields + 1> small;
        std::vector<std::string_view> large;
        std::string_view* st = small.data();
        if (inFields_ >= kMaxFields) {
            large.resize(inFields_ + 1);
            st = large.data();
        }
        std::string document, item;
        std::array<std::string_view, saro::kFieldCount> made;
        make(rec, st, document, item, made.data());
        placeSideBySide(made.data(), made.size(), buffer_, cells);
        std::fill(states, states + made.size(), CellState::Value);
    }

private:
    static constexpr std::size_t kMaxFields = 32;

    // The record's 26 texts; st has room for the input's fields after a first unused one.
    void make(std::size_t rec, std::string_view* st, std::string& document, std::string& item,
              std::string_view* made) const {
        std::array<CellState, kMaxFields> small;
        std::vector<CellState> large;
        CellState* states = small.data();
        if (inFields_ > kMaxFields) {
            large.resize(inFields_);
            states = large.data();
        }
        in_.recordCells(rec, st + 1, states);
        for (std::size_t f = 0; f < inFields_; ++f)
            if (states[f] != CellState::Value) st[f + 1] = {};
        const auto items = static_cast<std::size_t>(kItemsPerDocument);
        document = zeroPadInt(static_cast<long long>(rec / items) + 1, 5);
        item = zeroPadInt(static_cast<long long>(rec % items) + 1, 4);
        // State field f at st[f]; fields the table lacks are empty.
        auto f = [&](int k) {
            return static_cast<std::size_t>(k) <= inFields_ ? st[k] : std::string_view();
        };
        stateAsTurnover(f, {document, docText_, date_, item}, made);
    }

    const Records& in_;
    std::size_t inFields_;
    std::string date_, docText_;
    TextPacker packer_;
    bool packsOnWriterThreads_ = false;
    mutable std::string buffer_;
};

} // namespace

bool TSarProc::StOb(const std::string& states, const std::string& out, const std::string& docText) {
    if (!fileExistsWarn(s_, states)) return false;
    canOpen(s_, states);
    const std::string work = kSarStOb2;
    // A binary state file of texts is read as its stored bytes and the records written as they
    // are made.
    PackedTable packed;
    if (onePassRoute && formatForName(states) == TableFormat::Binary &&
        formatForName(work) == TableFormat::Binary &&
        loadPacked(s_.platform().native(states), packed) && textFieldsOnly(packed.head)) {
        CdsTable result;
        makeInMemory(s_, result, turnoverDefName(s_));
        if (textFieldsOnly(result.data) && result.data.fieldCount() == saro::kFieldCount) {
            const StatesAsTurnovers<PackedTable> records(
                packed, static_cast<std::size_t>(packed.head.fieldCount()), result.data, today(s_),
                docText);
            deleteFile(s_, work);
            return writeTableOrWarn(s_, work, result.data, records) && SafeCopy(s_, work, out, 1);
        }
    }
    packed = PackedTable();
    CdsTable input, result;
    if (!cdscopy::openRead(s_, input, states)) return false;
    makeInMemory(s_, result, turnoverDefName(s_));
    const std::string date = today(s_);
    const Table& in = input.data;
    Table& to = result.data;
    const bool textsOnly =
        textFieldsOnly(to) && textFieldsOnly(in) && to.fieldCount() == saro::kFieldCount;
    std::vector<std::string> t(saro::kFieldCount);
    std::vector<std::string_view> st(static_cast<std::size_t>(in.fieldCount()) + 1),
        cells(saro::kFieldCount);
    std::vector<CellState> cellStates;
    std::string documentText = zeroPadInt(1, 5), itemText;
    int document = 1, item = 0;
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        if (++item > kItemsPerDocument) {
            ++document;
            item = 1;
            documentText = zeroPadInt(document, 5);
        }
        itemText = zeroPadInt(item, 4);
        const OpeningTexts made = {documentText, docText, date, itemText};
        if (textsOnly) {
            // State field f at st[f]; fields the table lacks are empty.
            recordTexts(in, r, st.data() + 1, cellStates);
            auto f = [&](int n) { return n <= in.fieldCount() ? st[n] : std::string_view(); };
            stateAsTurnover(f, made, cells.data());
            to.appendRaw(cells.data());
            continue;
        }
        stateAsTurnover([&](int n) { return fieldText(in, r, n); }, made, t.data());
        to.appendTexts(t);
    }
    input.discard();
    return saveThenReplace(s_, result, work, out);
}

bool TSarProc::ObSt(const std::string& turnovers, const std::string& out) {
    if (!fileExistsWarn(s_, turnovers)) return false;
    if (onePassRoute) {
        const OnePassRoute done =
            currentStatesOnePass(s_, {}, turnovers, out, kSarObSt4, false);
        if (done != OnePassRoute::NotApplicable) return done == OnePassRoute::Written;
    }
    return obStThroughPrimitives(turnovers, out);
}

bool TSarProc::obStThroughPrimitives(const std::string& turnovers, const std::string& out) {
    ReadPeriod(s_);
    canOpen(s_, turnovers);
    CdsTable input, states;
    if (!cdscopy::openRead(s_, input, turnovers)) return false;
    const std::string def = stateDefName(s_);
    makeInMemory(s_, states, def);
    const Table& in = input.data;
    std::vector<std::string> st(sars::kFieldCount);
    st[0] = s_.period.PeriodYear;
    st[1] = s_.period.PeriodMonth;
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        for (int f = 3; f <= sars::kFieldCount; ++f)
            st[static_cast<std::size_t>(f - 1)] =
                fieldText(in, r, kTurnoverOfState[static_cast<std::size_t>(f - 1)]);
        if (isIssueType(fieldText(in, r, saro::kMovement)))
            negateIssue(st[sars::kQuantity - 1], st[sars::kValue - 1]);
        states.data.appendTexts(st);
    }
    input.discard();
    const std::string sum2 = kSarObSt2, sum3 = kSarObSt3;
    deleteFile(s_, sum2);
    if (!states.saveToFile(s_, sum2)) return false;
    states.discard();
    setKeys({1, 2, 3, 4, 5, 6, 7, 8, 9, 11});
    if (!SumCds3(sum2, sum3, def)) return false;

    CdsTable summed, result;
    if (!cdscopy::openRead(s_, summed, sum3)) return false;
    makeInMemory(s_, result, def);
    const Table& sums = summed.data;
    for (std::size_t r = 0; r < sums.recordCount(); ++r) {
        auto p = [&](int f) { return fieldText(sums, r, f); };
        const std::string quantity = p(11), value = p(12);
        const std::string price = isBlank(quantity)
                                      ? std::string()
                                      : numberToText(kPriceWidth, kPriceDecimals,
                                                     textToNumber(value) / textToNumber(quantity));
        result.data.appendTexts(
            {p(1), p(2), p(3), p(4), p(5), p(6), p(7), p(8), p(9), price, p(10), quantity, value});
    }
    summed.discard();
    return saveThenReplace(s_, result, kSarObSt4, out);
}

bool TSarProc::StObSpoj(const std::string& states, const std::string& out,
                        const std::string& turnovers) {
    const std::string work = kSarStObSpoj;
    const bool haveStates = fileExists(s_, states), haveTurnovers = fileExists(s_, turnovers);
    if (!haveStates && !haveTurnovers) {
        MakeCdsFile(work, turnoverDefName(s_));
        return replaceWithCopy(work, out);
    }
    if (!haveStates) return replaceWithCopy(turnovers, out);
    if (haveTurnovers) canOpen(s_, turnovers);
    if (!StOb(states, work, kOpeningDocText)) return false;
    if (haveTurnovers) {
        canOpen(s_, turnovers);
        s_.cdsProc().AppendCds(turnovers, work);
    }
    return replaceWithCopy(work, out);
}

bool TSarProc::StNove(const std::string& states, const std::string& out,
                      const std::string& turnovers) {
    const bool haveStates = fileExists(s_, states), haveTurnovers = fileExists(s_, turnovers);
    if (!haveStates && !haveTurnovers) {
        const std::string work = kSarStNove2;
        MakeCdsFile(work, stateDefName(s_));
        return replaceWithCopy(work, out);
    }
    if (!haveTurnovers) return replaceWithCopy(states, out);
    if (!haveStates) return ObSt(turnovers, out);
    if (onePassRoute) {
        const OnePassRoute done =
            currentStatesOnePass(s_, states, turnovers, out, kSarStNove2, true,
                                 held_ && heldName_ == turnovers ? held_ : nullptr);
        if (done != OnePassRoute::NotApplicable) return done == OnePassRoute::Written;
    }
    const std::string joined = kSarStNove1;
    const std::string computed = kSarStNove2;
    if (!StObSpoj(states, joined, turnovers)) return false;
    if (!obStThroughPrimitives(joined, computed)) return false;
    return replaceWithCopy(computed, out);
}

bool TSarProc::ObOdDo(const std::string& first, const std::string& out, const std::string& last) {
    const std::string work = kSarObOdDo;
    MakeCdsFile(work, turnoverDefName(s_));
    // The periods are appended in memory and the work file written once: the same records as
    // appending each file to the work file in turn.
    CdsTable all;
    all.fileName = work;
    all.readOnly = false;
    if (!all.open(s_)) return false;
    std::vector<std::string> names;
    for (int y = 0; y <= 99; ++y)
        for (int m = 1; m <= 20; ++m) {
            const std::string period = zeroPadInt(y, 2) + zeroPadInt(m, 2);
            if (period < first || period > last) continue;
            const std::string name = turnoverFileName(s_, period);
            if (fileExists(s_, name)) names.push_back(name);
        }
    if (onePassRoute) {
        switch (spanFromStoredBytes(s_, names, all.data, work)) {
        case OnePassRoute::Written:
            all.discard();
            return replaceWithCopy(work, out);
        case OnePassRoute::Failed:
            return false;
        case OnePassRoute::NotApplicable:
            break;
        }
    }
    TCdsProc& proc = s_.cdsProc();
    for (const std::string& name : names) {
        proc.AppendCdsVirt(name, all);
        s_.dialogs().processEvents();
    }
    const bool saved = all.saveToFile(s_, work);
    all.discard();
    return saved && replaceWithCopy(work, out);
}

} // namespace sarw
