#include "codebooks/UCdsCIS.h"

#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

#include <algorithm>

namespace sarw {

namespace {

int fieldSize(const CdsTable& table, int column) {
    if (column < 1 || column > table.data.fieldCount()) return 0;
    return table.data.fields[static_cast<size_t>(column - 1)].size;
}

// Positions the table with LocateH on the parts in the key columns; the caller's LocateKeys are
// put back afterwards.
TCdsProc::LocateResult locateParts(Session& s, CdsTable& table, const std::vector<int>& columns,
                                   const std::vector<std::string>& parts) {
    const auto saved = s.cds.LocateKeys;
    s.cds.LocateKeys = {};
    for (size_t i = 0; i < parts.size() && i < s.cds.LocateKeys.size(); ++i)
        s.cds.LocateKeys[i] = {parts[i], columns[i]};
    auto result = s.cdsProc().LocateH(table);
    s.cds.LocateKeys = saved;
    return result;
}

} // namespace

void GCisel(Session& s) {
    auto& map = s.cis.CisColumnMap;
    map.clear();
    for (int f = 1; f <= s.def.fieldCount(); ++f) {
        std::string name = trimBoth(s.def.field(f).jmSCis);
        if (name.empty()) continue;
        if (name.size() >= 8 && upperCase(name.substr(1, 7)) == ":\\A_RUN") name[0] = 'C';
        map.push_back({f, name});
    }
}

std::string columnCodebook(const Session& s, int part, int column) {
    if (part == 2) column += s.def.headCount;
    for (const auto& entry : s.cis.CisColumnMap)
        if (entry.column == column) return entry.file;
    return {};
}

bool isOptionalCodebook(const std::string& file) {
    return upperCase(fileNamePart(file)) == upperCase(kOptionalCodebook);
}

bool VCiselTarget(Session& s, int part, int column) {
    s.cis.CisChosen = 'N';
    const std::string file = columnCodebook(s, part, column);
    if (file.empty()) return false;
    if (isOptionalCodebook(file)) {
        information(s, kNoOptionalCodebook);
        return false;
    }
    s.cis.CisFileName = file;
    return true;
}

void KCisel(Session& s, int part, int column) {
    const std::string file = columnCodebook(s, part, column);
    s.cis.CisHasCodebook = file.empty() ? 'N' : 'A';
    if (file.empty()) return;
    s.cis.CisFileName = file;
    if (isOptionalCodebook(file)) {
        // No optional codebook is ever assigned: the value counts as not found.
        warning(s, kNoOptionalCodebook);
        s.cis.clearValues();
        s.cis.CisChosen = 'N';
        return;
    }
    TestEx(s);
}

std::vector<int> cisKeyColumns(const Session& s) {
    std::vector<int> columns;
    const int n = std::min(s.cis.CisKeyCount, CisParams::kMaxKeys);
    for (int i = 0; i < n; ++i) columns.push_back(s.cis.CisKeyColumns[static_cast<size_t>(i)]);
    return columns;
}

std::vector<std::string> keyParts(const CdsTable& table, const std::vector<int>& keyColumns,
                                  const std::string& text) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (int column : keyColumns) {
        if (from >= text.size()) break;
        const size_t size = static_cast<size_t>(std::max(fieldSize(table, column), 0));
        parts.push_back(text.substr(from, size));
        from += size;
        if (size == 0) break;
    }
    return parts;
}

int locateTyped(Session& s, CdsTable& table, const std::string& typed) {
    const std::vector<int> columns = cisKeyColumns(s);
    return locateParts(s, table, columns, keyParts(table, columns, typed)).XLocateOk;
}

bool NajdiVCis(Session& s, CdsTable& table, const std::string& searchText) {
    const std::vector<int> columns = cisKeyColumns(s);
    std::vector<std::string> parts = keyParts(table, columns, searchText);
    std::string joined;
    for (auto& part : parts) {
        part = trimBoth(part);
        joined += part + "+";
    }
    bool found = false;
    if (!table.data.empty())
        found = locateParts(s, table, columns, parts).XLocateOk == TCdsProc::kLocateEqual;
    if (!found) {
        if (!joined.empty()) joined.pop_back();
        warning(s, joined + kValueNotFound, "Ciselnik: " + s.cis.CisFileName);
    }
    return found;
}

void TestEx(Session& s) {
    CisParams& cis = s.cis;
    const std::vector<int> columns = cisKeyColumns(s);
    const auto values = cis.CisValues;
    cis.clearValues();
    cis.CisChosen = 'N';
    CdsTable table;
    table.fileName = cis.CisFileName;
    table.readOnly = true;
    if (!table.open(s)) return;
    std::vector<std::string> wanted;
    std::string search;
    for (int column : columns) {
        const bool known = column >= 1 && column <= CisParams::kMaxColumns;
        wanted.push_back(known ? values[static_cast<size_t>(column - 1)] : "");
        search += padRight(wanted.back(), fieldSize(table, column));
    }
    if (NajdiVCis(s, table, search) && !table.eof()) {
        const size_t rec = table.recNo();
        bool equal = true;
        for (size_t i = 0; i < columns.size(); ++i) {
            const int column = columns[i];
            const bool inTable = column >= 1 && column <= table.data.fieldCount();
            const std::string cell = inTable ? table.data.text(rec, column - 1) : "";
            equal = equal && inTable && trimRight(cell) == trimRight(wanted[i]);
        }
        if (equal) {
            const int n = std::min(table.data.fieldCount(), CisParams::kMaxColumns);
            for (int f = 0; f < n; ++f)
                cis.CisValues[static_cast<size_t>(f)] = table.data.text(rec, f);
            cis.CisChosen = 'A';
        }
    }
    table.discard();
}

} // namespace sarw
