#pragma once

#include "tables/formats/DataPacketCompare.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sarw::test {

inline std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string samplePath(const std::string& name) {
    return std::string(SARW_SAMPLES_DIR) + "/" + name;
}

// Loads a file of the sample directory; fails the test when it does not load.
inline Table loadSample(const std::string& name, TableFormat* format = nullptr) {
    Table t;
    TableFormat f{};
    std::string error;
    EXPECT_TRUE(readTableFile(samplePath(name), t, f, error)) << name << ": " << error;
    if (format) *format = f;
    return t;
}

inline Table loadBytes(const std::string& bytes) {
    Table t;
    TableFormat f{};
    std::string error;
    EXPECT_TRUE(readTableBytes(bytes, t, f, error)) << error;
    return t;
}

// A table as the program makes it from a definition: string fields of the given widths and
// memo fields (width 0).
inline Table programTable(const std::vector<std::pair<std::string, int>>& fields) {
    Table t;
    for (const auto& [name, width] : fields) {
        FieldInfo f;
        f.name = name;
        f.kind = width > 0 ? FieldKind::String : FieldKind::Memo;
        f.size = width;
        if (width == 0) f.subtype = "Text";
        t.fields.push_back(f);
    }
    return t;
}

// All cell texts of a table, row by row, nulls as "<null>".
inline std::vector<std::vector<std::string>> cellTexts(const Table& t) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        rows.emplace_back();
        for (int i = 0; i < t.fieldCount(); ++i)
            rows.back().push_back(t.isNull(r, i) ? "<null>" : t.text(r, i));
    }
    return rows;
}

inline std::vector<std::string> column(const Table& t, int field) {
    std::vector<std::string> out;
    for (std::size_t r = 0; r < t.recordCount(); ++r)
        out.push_back(t.isNull(r, field) ? "<null>" : t.text(r, field));
    return out;
}

} // namespace sarw::test
