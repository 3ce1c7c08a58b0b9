// SortF and its variants: a table sorted by a list of fields, key fields first.
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/fast/PackedTable.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"
#include "tables/sorting/CdsSortTable.h"
#include "tables/sorting/WorkDefGuard.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

constexpr const char* kNoKeys = "Nebyl zadan seznam slov pro vytvoreni nove vety !";

class Gauge {
public:
    Gauge(Session& s, bool shown) : s_(s), shown_(shown) {}
    void operator()(int percent) const {
        if (shown_) s_.dialogs().progress(percent);
    }

private:
    Session& s_;
    bool shown_;
};

// Closing writes back what a caller changed in a table it opened for writing.
void closeInput(Session& s, CdsTable& table) {
    table.close(s);
    table.readOnly = false;
}

// Opens a table read-only unless the caller has opened it already.
bool openInput(Session& s, CdsTable& table, const std::string& fallbackName) {
    if (table.active()) return true;
    if (table.fileName.empty()) table.fileName = fallbackName;
    table.readOnly = true;
    return table.open(s);
}

RecordSort sortOf(const Session& s, const std::vector<int>& keys, bool byDefinition,
                  bool excludeBlank) {
    RecordSort sort;
    sort.keys = keys;
    for (int k : keys) sort.dateKey.push_back(byDefinition && s.def.field(k).type == "DT");
    sort.blockSize = s.cds.BlockSize;
    sort.blockMethod = s.cds.BlockMethod;
    sort.excludeBlank = excludeBlank;
    return sort;
}

// Record 0 of `from` appended to `to` with its fields in `layout` order, values as they are.
void appendInLayout(const Table& from, Table& to, const std::vector<int>& layout) {
    std::vector<std::string> texts;
    std::vector<std::string_view> cells;
    std::vector<CellState> states;
    for (std::size_t j = 0; j < layout.size(); ++j) {
        const int f = layout[j] - 1;
        const bool same = from.fields[static_cast<std::size_t>(f)].kind == to.fields[j].kind;
        texts.push_back(same ? std::string(from.raw(0, f)) : from.text(0, f));
        states.push_back(same ? from.state(0, f) : CellState::Value);
    }
    for (const auto& t : texts) cells.push_back(t);
    to.appendRaw(cells.data(), states.data());
}

// The records of an input table that is closed afterwards. A table opened read-only gives
// them up, keeping its field list, so the sorted output needs no second copy of the records;
// one opened for writing keeps them and is closed as usual.
Table takeRecords(Session& s, CdsTable& input) {
    if (input.mode() == CdsTable::Mode::ReadWrite) {
        Table data = input.data;
        closeInput(s, input);
        return data;
    }
    Table data = std::move(input.data);
    input.data = Table();
    input.data.fields = data.fields;
    input.data.indexDefs = data.indexDefs;
    closeInput(s, input);
    return data;
}

// An open in-memory table holding `data`; as a new data set its records count as changes.
void holdInMemory(Session& s, CdsTable& table, Table data) {
    table.close(s);
    table.fileName.clear();
    table.data = Table();
    table.createDataSet();
    table.data = std::move(data);
}

// A sort needs a key list; without one it says so and forgets the count.
bool keysGiven(Session& s) {
    CdsParams& c = s.cds;
    if (c.KeyCount > 0) return true;
    information(s, kNoKeys);
    c.KeyCount = 0;
    return false;
}

// The input checked against the definition and the key list, and the work definition written
// in the output's layout; false when any of it failed.
bool checkInputWriteWorkDef(Session& s, const Table& input, std::vector<int>& keys) {
    CdsParams& c = s.cds;
    if (workDefWouldReplaceInDef(s) || !tableFitsDefinition(s, input) ||
        !keyListUsable(s, c.KeyCount, c.KeyFields, input.fieldCount(), false, false))
        return false;
    keys = keyListOf(c.KeyCount, c.KeyFields);
    return writeTextFile(s, c.WorkDef, definitionLines(s.def, keysFirst(keys, input.fieldCount())));
}

// A file-to-file sort leaves the output to the save, which replaces it whole: removing it first
// would lose it to a crash, and it may be the input.
bool sortVirt(Session& s, TCdsProc& proc, CdsTable& t1, CdsTable& t2, bool vylucMez, bool gauged,
              bool removeOutput = true) {
    const Gauge gauge(s, gauged);
    gauge(0);
    CdsParams& c = s.cds;
    ReadDef(s, c.InDef);
    if (!keysGiven(s) || !openInput(s, t1, c.InFile)) return false;
    std::vector<int> keys;
    if (!checkInputWriteWorkDef(s, t1.data, keys)) {
        closeInput(s, t1);
        return false;
    }
    const std::vector<int> layout = keysFirst(keys, t1.data.fieldCount());
    gauge(5);
    if (t1.data.recordCount() <= 1) {
        if (removeOutput) deleteFile(s, c.OutFile);
        c.DefFile = c.WorkDef;
        proc.MakeTableVirt(t2);
        if (t1.data.recordCount() == 1) appendInLayout(t1.data, t2.data, layout);
        closeInput(s, t1);
        gauge(100);
        return true;
    }
    const RecordSort sort = sortOf(s, keys, true, vylucMez);
    Table data = takeRecords(s, t1);
    sortAndArrange(data, sort, layout, gauge);
    holdInMemory(s, t2, std::move(data));
    gauge(100);
    return true;
}

// The sorted output of a packed input: record i is input record order[i] with its fields in
// layout order, each its piece of the record text, as sortAndArrange makes them.
class ArrangedRecords : public RecordSource {
public:
    ArrangedRecords(const PackedTable& in, const std::vector<std::uint32_t>& order,
                    const std::vector<int>& layout)
        : in_(in), places_(order.size()), fieldCount_(in.head.fields.size()) {
        // Looked up here, many at once, rather than one by one while the records are written.
        for (std::size_t i = 0; i < order.size(); ++i)
            places_[i] = in.place(order[i]) | (in.regular(order[i]) ? kRegular : 0);
        std::size_t total = 0;
        for (int f : layout) {
            const auto field = static_cast<std::size_t>(f - 1);
            const auto width = static_cast<std::size_t>(std::max(in.head.fields[field].size, 0));
            pieces_.push_back({field, width});
            total += width;
        }
        values_.resize(total);
        // Records of text values that fill their fields all take the same bytes, and are put
        // straight into the packet: a zero status, no nulls in the bitmap, each value its length
        // and its bytes.
        fixedSizeRecords_ = true;
        head_ = 1 + (2 * layout.size() + 7) / 8;
        recordBytes_ = head_;
        for (int f : layout) {
            const FieldInfo& info = in.head.fields[static_cast<std::size_t>(f - 1)];
            const ValueLayout lay = valueLayout(info);
            fixedSizeRecords_ = fixedSizeRecords_ && lay.form == ValueLayout::Varying &&
                                info.size >= 1 &&
                                static_cast<std::uint64_t>(info.size) <= maxValueBytes(info);
            prefix_.push_back(lay.bytes);
            recordBytes_ += lay.bytes + static_cast<std::size_t>(std::max(info.size, 0));
        }
        // A regular input record is its length-and-value pieces in another order: copied in
        // runs of fields that follow each other in both.
        if (fixedSizeRecords_ && in.regularBytes() != 0) {
            std::size_t to = head_;
            for (const Piece& piece : pieces_) {
                const std::size_t from = in.regularValueAt(piece.field) - 1;
                if (!runs_.empty() && runs_.back().from + runs_.back().length == from)
                    runs_.back().length += 1 + piece.width;
                else
                    runs_.push_back({from, to, 1 + piece.width});
                to += 1 + piece.width;
            }
        }
    }

    std::size_t fixedRecordBytes() const override { return fixedSizeRecords_ ? recordBytes_ : 0; }

    void writeFixed(std::size_t rec, char* p) const override {
        // The records are read all over the input: the memory is asked for ahead.
        if (rec + kAhead < places_.size()) in_.prefetch(places_[rec + kAhead] & ~kRegular);
        std::memset(p, 0, head_);
        if (places_[rec] & kRegular) {
            const char* from = in_.recordAt(places_[rec] & ~kRegular);
            for (const Run& run : runs_) std::memcpy(p + run.to, from + run.from, run.length);
            return;
        }
        // Each writing thread reads cells into its own room.
        thread_local std::vector<std::string_view> cells;
        thread_local std::vector<CellState> states;
        cells.resize(fieldCount_);
        states.resize(fieldCount_);
        putPieces(rec, p + head_, true, nullptr, cells.data(), states.data());
    }

    std::size_t recordCount() const override { return places_.size(); }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        std::vector<std::string_view> inCells(fieldCount_);
        std::vector<CellState> inStates(fieldCount_);
        putPieces(rec, values_.data(), false, cells, inCells.data(), inStates.data());
        std::fill(states, states + pieces_.size(), CellState::Value);
    }

private:
    static constexpr std::size_t kAhead = 12;
    static constexpr std::uint64_t kRegular = std::uint64_t{1} << 63; // in places_

    // The pieces of record rec from `at` on, each after its length when asked, each a cell
    // when asked.
    void putPieces(std::size_t rec, char* at, bool lengths, std::string_view* cells,
                   std::string_view* inCells, CellState* inStates) const {
        in_.cellsAt(places_[rec] & ~kRegular, inCells, inStates);
        for (std::size_t j = 0; j < pieces_.size(); ++j) {
            const auto [field, width] = pieces_[j];
            if (lengths)
                for (std::uint32_t b = 0; b < prefix_[j]; ++b)
                    *at++ = static_cast<char>(width >> (8 * b));
            const std::string_view v =
                inStates[field] == CellState::Value ? inCells[field] : std::string_view();
            const std::size_t n = std::min(v.size(), width);
            if (n) std::memcpy(at, v.data(), n);
            std::memset(at + n, ' ', width - n);
            if (cells) cells[j] = {at, width};
            at += width;
        }
    }

    struct Piece {
        std::size_t field, width;
    };
    struct Run {
        std::size_t from, to, length;
    };
    const PackedTable& in_;
    std::vector<std::uint64_t> places_;
    std::size_t fieldCount_;
    std::vector<Piece> pieces_;
    std::vector<Run> runs_;
    mutable std::string values_;
    bool fixedSizeRecords_ = false;
    std::vector<std::uint32_t> prefix_; // length bytes of each output field
    std::size_t head_ = 0;
    std::size_t recordBytes_ = 0;
};

// A binary input of text fields only, with records to sort, read and written without becoming
// a table: the same checks, messages, work definition and output as sortVirt and sortFile.
bool sortPacked(Session& s, const PackedTable& in, bool vylucMez, bool gauged) {
    const Gauge gauge(s, gauged);
    gauge(0);
    CdsParams& c = s.cds;
    ReadDef(s, c.InDef);
    std::vector<int> keys;
    if (!keysGiven(s) || !checkInputWriteWorkDef(s, in.head, keys)) return false;
    const std::vector<int> layout = keysFirst(keys, in.head.fieldCount());
    gauge(5);
    const std::vector<std::uint32_t> order = sortOrder(in, sortOf(s, keys, true, vylucMez), gauge);
    gauge(80);
    Table head;
    for (int f : layout) head.fields.push_back(in.head.fields[static_cast<std::size_t>(f - 1)]);
    head.packetProps = in.head.packetProps;
    head.packetVersion = in.head.packetVersion;
    gauge(85);
    gauge(95);
    gauge(100);
    return writeTableOrWarn(s, c.OutFile, head, ArrangedRecords(in, order, layout));
}

bool packedSortable(const PackedTable& in) {
    if (in.recordCount() <= 1) return false;
    for (const FieldInfo& f : in.head.fields)
        if (f.kind != FieldKind::String) return false;
    return true;
}

bool sortFile(Session& s, TCdsProc& proc, bool vylucMez, bool gauged) {
    const CdsParams& c = s.cds;
    if (!canOpen(s, c.InFile)) return false;
    if (formatForName(c.OutFile) == TableFormat::Binary) {
        PackedTable packed;
        if (loadPacked(s.platform().native(c.InFile), packed) && packedSortable(packed))
            return sortPacked(s, packed, vylucMez, gauged);
    }
    CdsTable input, output;
    input.fileName = c.InFile;
    input.readOnly = true;
    if (!input.open(s)) return false;
    if (!sortVirt(s, proc, input, output, vylucMez, gauged, false)) return false;
    return output.saveToFile(s, c.OutFile);
}

} // namespace

bool TCdsProc::SortF(bool VylucMez) {
    return sortFile(s_, *this, VylucMez, false);
}

bool TCdsProc::SortFG(bool VylucMez) {
    return sortFile(s_, *this, VylucMez, true);
}

bool TCdsProc::SortFVirt(CdsTable& table1, CdsTable& table2, bool VylucMez) {
    return sortVirt(s_, *this, table1, table2, VylucMez, false);
}

bool TCdsProc::SortFGVirt(CdsTable& table1, CdsTable& table2, bool VylucMez) {
    return sortVirt(s_, *this, table1, table2, VylucMez, true);
}

// Without a definition: widths from the table's own fields, no date keys, no work definition.
bool TCdsProc::SortFND(bool VylucMez) {
    CdsParams& c = s_.cds;
    if (!keysGiven(s_)) return false;
    closeInput(s_, Table1);
    Table1.fileName = c.InFile;
    if (!canOpen(s_, c.InFile) || !openInput(s_, Table1, c.InFile)) return false;
    if (!keyListUsable(s_, c.KeyCount, c.KeyFields, Table1.data.fieldCount(), false, false)) {
        closeInput(s_, Table1);
        return false;
    }
    const std::vector<int> keys = keyListOf(c.KeyCount, c.KeyFields);
    const std::vector<int> layout = keysFirst(keys, Table1.data.fieldCount());
    Table data;
    if (Table1.data.recordCount() <= 1) {
        for (int f : layout)
            data.fields.push_back(Table1.data.fields[static_cast<std::size_t>(f - 1)]);
        // A lone record whose key is blank is left out like any other.
        bool keep = Table1.data.recordCount() == 1;
        if (keep && VylucMez) {
            keep = false;
            for (int k : keys)
                if (Table1.data.text(0, k - 1).find_first_not_of(' ') != std::string::npos)
                    keep = true;
        }
        if (keep) appendInLayout(Table1.data, data, layout);
        closeInput(s_, Table1);
    } else {
        data = takeRecords(s_, Table1);
        sortAndArrange(data, sortOf(s_, keys, false, VylucMez), layout, [](int) {});
    }
    Table2.close(s_);
    Table2.fileName = c.OutFile;
    Table2.data = std::move(data);
    const bool saved = Table2.saveToFile(s_, c.OutFile);
    Table2.discard();
    return saved;
}

} // namespace sarw
