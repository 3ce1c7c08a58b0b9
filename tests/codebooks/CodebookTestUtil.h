#pragma once

#include "shell/WinLSys.h"
#include "support/TestSession.h"
#include "tables/LocateTestUtil.h"
#include "tables/library/CdsTable.h"

#include <string>
#include <utility>
#include <vector>

namespace sarw::test {

constexpr const char* kCodebook = "C:\\Cisel\\Mater.Cds";

// Writes a codebook of string fields (name, size) holding the rows as given.
inline bool writeCodebook(TestSession& t, const std::string& name,
                          const std::vector<std::pair<std::string, int>>& fields,
                          const std::vector<std::vector<std::string>>& rows) {
    makePath(*t, name.substr(0, name.rfind('\\')));
    CdsTable table = stringTable(fields, rows);
    return writeTableOrWarn(*t, name, table.data, TableFormat::Binary, false);
}

// Every row of a table file, its fields joined by "|" with trailing blanks removed.
inline std::vector<std::string> rowsOf(TestSession& t, const std::string& name) {
    CdsTable table;
    table.fileName = name;
    table.readOnly = true;
    std::vector<std::string> rows;
    if (!table.open(*t)) return {"<not readable>"};
    for (size_t r = 0; r < table.data.recordCount(); ++r) {
        std::string row;
        for (int f = 0; f < table.data.fieldCount(); ++f) {
            std::string v = table.data.text(r, f);
            v.erase(v.find_last_not_of(' ') + 1);
            row += (f ? "|" : "") + v;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace sarw::test
