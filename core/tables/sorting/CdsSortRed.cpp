// RedF and RedFVirt: a table restricted to a list of fields.
#include "platform/Platform.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"
#include "tables/sorting/WorkDefGuard.h"

#include <set>

namespace sarw {

namespace {

// The engine refuses fields without a name or two fields of one name.
bool namesUsable(const std::vector<FieldInfo>& fields) {
    std::set<std::string> names;
    for (const auto& f : fields)
        if (f.name.empty() || !names.insert(fileNameUpper(f.name)).second) return false;
    return true;
}

// The fields of `keys`, names trimmed, and every record with those fields' values.
Table reduced(const Table& in, const std::vector<int>& keys) {
    Table out;
    for (int k : keys) {
        FieldInfo f = in.fields[static_cast<std::size_t>(k - 1)];
        f.name = trimBoth(f.name);
        out.fields.push_back(std::move(f));
    }
    std::vector<std::string_view> cells(in.fields.size()), picked(keys.size());
    std::vector<CellState> states(in.fields.size()), pickedStates(keys.size());
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        in.recordCells(r, cells.data(), states.data());
        for (std::size_t j = 0; j < keys.size(); ++j) {
            const auto f = static_cast<std::size_t>(keys[j] - 1);
            picked[j] = cells[f];
            pickedStates[j] = states[f];
        }
        out.appendRaw(picked.data(), pickedStates.data());
    }
    return out;
}

bool reduce(Session& s, CdsTable& t1, CdsTable& t2, bool inMemory) {
    CdsParams& c = s.cds;
    ReadDef(s, c.InDef);
    if (c.KeyCount <= 0) {
        information(s, "Nebyl zadan seznam slov pro vytvoreni nove vety !");
        c.KeyCount = 0;
        return false;
    }
    // Closing writes back what a caller changed in a table it had open for writing.
    t1.close(s);
    if (!inMemory || t1.fileName.empty()) t1.fileName = c.InFile;
    t1.readOnly = true;
    if (!t1.open(s)) return false;
    const bool usable =
        tableFitsDefinition(s, t1.data) &&
        keyListUsable(s, c.KeyCount, c.KeyFields, t1.data.fieldCount(), false, false);
    const std::vector<int> keys = keyListOf(c.KeyCount, c.KeyFields);
    if (!usable || workDefWouldReplaceInDef(s) || !writeTextFile(s, c.WorkDef, definitionLines(s.def, keys))) {
        t1.discard();
        return false;
    }
    Table out = reduced(t1.data, keys);
    t1.discard();
    t1.readOnly = false;
    if (!namesUsable(out.fields)) {
        warning(s, "Nepodarilo se zalozit soubor:\r\r" + c.OutFile);
        return false;
    }
    t2.close(s);
    t2.fileName = inMemory ? std::string() : c.OutFile;
    t2.readOnly = false;
    t2.data = Table();
    t2.data.fields = out.fields;
    t2.createDataSet();
    t2.data = std::move(out);
    if (inMemory) return true;
    const bool saved = t2.saveToFile(s, c.OutFile);
    t2.discard();
    return saved;
}

} // namespace

bool TCdsProc::RedF() {
    return reduce(s_, Table1, Table2, false);
}

bool TCdsProc::RedFVirt(CdsTable& table1, CdsTable& table2) {
    return reduce(s_, table1, table2, true);
}

} // namespace sarw
