#pragma once

#include "shell/Session.h"
#include "tables/library/CdsTable.h"

#include <string>
#include <utility>
#include <vector>

namespace sarw::test {

// An open in-memory table of string fields (name, size) holding the rows as given.
inline CdsTable stringTable(const std::vector<std::pair<std::string, int>>& fields,
                            const std::vector<std::vector<std::string>>& rows) {
    CdsTable table;
    for (const auto& [name, size] : fields) {
        FieldInfo f;
        f.name = name;
        f.size = size;
        table.data.fields.push_back(f);
    }
    table.createDataSet();
    for (const auto& row : rows) table.data.appendTexts(row);
    return table;
}

// Clears all 20 LocateKeys, then sets the given (value, 1-based field) pairs.
inline void setLocateKeys(Session& s, const std::vector<std::pair<std::string, int>>& keys) {
    s.cds.LocateKeys = {};
    for (size_t i = 0; i < keys.size(); ++i) {
        s.cds.LocateKeys[i].value = keys[i].first;
        s.cds.LocateKeys[i].field = keys[i].second;
    }
}

// The texts of one field over all records.
inline std::vector<std::string> column(const CdsTable& table, int field) {
    std::vector<std::string> out;
    for (size_t r = 0; r < table.data.recordCount(); ++r) out.push_back(table.data.text(r, field));
    return out;
}

} // namespace sarw::test
