#pragma once

#include "support/DefText.h"
#include "support/TestSession.h"
#include "tables/formats/TableFile.h"
#include "tables/model/Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Kept apart from other test helpers of the same names.
namespace sarw::test::sorting {

using Rows = std::vector<std::vector<std::string>>;
using test::DefLine;
using test::defLine;
using test::TestSession;

// A table of string fields (memo for type "ME") named and sized as the definition lines say.
inline Table tableOf(const std::vector<DefLine>& lines, const Rows& rows) {
    Table table;
    for (const auto& l : lines) {
        FieldInfo f;
        f.name = l.name;
        f.size = l.width;
        if (l.type == "ME") {
            f.kind = FieldKind::Memo;
            f.subtype = "Text";
        }
        table.fields.push_back(f);
    }
    for (const auto& row : rows) table.appendTexts(row);
    return table;
}

inline std::string defOf(const std::vector<DefLine>& lines) {
    std::string text;
    int n = 0;
    for (const auto& l : lines) text += defLine(++n, l) + "\r\n";
    return text;
}

inline void saveTable(const TestSession& t, const std::string& name, const Table& table) {
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

// Field names and every record's texts.
inline Rows rowsOf(const Table& table) {
    Rows rows(1);
    for (const auto& f : table.fields) rows[0].push_back(f.name);
    for (std::size_t r = 0; r < table.recordCount(); ++r) {
        rows.emplace_back();
        for (int f = 0; f < table.fieldCount(); ++f) rows.back().push_back(table.text(r, f));
    }
    return rows;
}

// The session's work directories, as an installation has them.
inline void makeWorkDirs(const TestSession& t) {
    std::filesystem::create_directories(t.path("C:\\A_Run\\Work"));
    std::filesystem::create_directories(t.path("C:\\Data"));
}

} // namespace sarw::test::sorting
