#pragma once

#include "support/TestSession.h"
#include "tables/formats/TableFile.h"
#include "tables/model/Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarw::test {

using Rows = std::vector<std::vector<std::string>>;

struct FieldDesc {
    std::string name;
    int size = 10;
    FieldKind kind = FieldKind::String;
};

// Writes a table file of the given fields and rows (texts as Table::setText takes them).
inline void writeTable(const TestSession& t, const std::string& name,
                       const std::vector<FieldDesc>& fields, const Rows& rows) {
    Table table;
    for (const auto& f : fields) {
        FieldInfo fi;
        fi.name = f.name;
        fi.kind = f.kind;
        fi.size = f.size;
        if (f.kind == FieldKind::Memo) fi.subtype = "Text";
        table.fields.push_back(fi);
    }
    for (const auto& r : rows) table.appendTexts(r);
    std::filesystem::create_directories(t.path(name).parent_path());
    std::string error;
    ASSERT_TRUE(writeTableFile(t.path(name), table, formatForName(name), error)) << error;
}

inline Table loadTable(const TestSession& t, const std::string& name) {
    Table table;
    TableFormat format;
    std::string error;
    EXPECT_TRUE(readTableFile(t.path(name), table, format, error)) << name << ": " << error;
    return table;
}

inline Rows rowsOf(const Table& table) {
    Rows rows;
    for (size_t r = 0; r < table.recordCount(); ++r) {
        rows.emplace_back();
        for (int f = 0; f < table.fieldCount(); ++f) rows.back().push_back(table.text(r, f));
    }
    return rows;
}

inline Rows rowsOf(const TestSession& t, const std::string& name) {
    return rowsOf(loadTable(t, name));
}

inline std::vector<std::string> fieldNames(const Table& table) {
    std::vector<std::string> names;
    for (const auto& f : table.fields) names.push_back(f.name);
    return names;
}

} // namespace sarw::test
