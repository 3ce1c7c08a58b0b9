// SortF and its variants: a table sorted by a list of fields, key fields first.
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/CdsSortSupport.h"
#include "tables/CdsSortTable.h"
#include "tables/ReadDef.h"
#include "tables/TCdsProc.h"

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

bool sortVirt(Session& s, TCdsProc& proc, CdsTable& t1, CdsTable& t2, bool vylucMez, bool gauged) {
    const Gauge gauge(s, gauged);
    gauge(0);
    CdsParams& c = s.cds;
    ReadDef(s, c.InDef);
    if (c.KeyCount <= 0) {
        information(s, kNoKeys);
        c.KeyCount = 0;
        return false;
    }
    if (!openInput(s, t1, c.InFile)) return false;
    if (!tableFitsDefinition(s, t1.data) ||
        !keyListUsable(s, c.KeyCount, c.KeyFields, t1.data.fieldCount(), false, false)) {
        closeInput(s, t1);
        return false;
    }
    const std::vector<int> keys = keyListOf(c.KeyCount, c.KeyFields);
    const std::vector<int> layout = keysFirst(keys, t1.data.fieldCount());
    if (!writeTextFile(s, c.WorkDef, definitionLines(s.def, layout))) {
        closeInput(s, t1);
        return false;
    }
    gauge(5);
    if (t1.data.recordCount() <= 1) {
        deleteFile(s, c.OutFile);
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

bool sortFile(Session& s, TCdsProc& proc, bool vylucMez, bool gauged) {
    const CdsParams& c = s.cds;
    if (!canOpen(s, c.InFile)) return false;
    CdsTable input, output;
    input.fileName = c.InFile;
    input.readOnly = true;
    if (!input.open(s)) return false;
    if (!sortVirt(s, proc, input, output, vylucMez, gauged)) return false;
    deleteFile(s, c.OutFile);
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
    if (c.KeyCount < 1) {
        information(s_, kNoKeys);
        c.KeyCount = 0;
        return false;
    }
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
        deleteFileOrHalt(s_, c.OutFile);
        for (int f : layout)
            data.fields.push_back(Table1.data.fields[static_cast<std::size_t>(f - 1)]);
        if (Table1.data.recordCount() == 1) appendInLayout(Table1.data, data, layout);
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
