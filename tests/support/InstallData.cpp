#include "support/InstallData.h"

#include "support/TestSession.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace sarw::test {

fs::path installData() {
    return fs::path(SARW_TEST_DATA).parent_path().parent_path() / "share/install";
}

Records loadRecords(const fs::path& file) {
    Table t;
    TableFormat format;
    std::string error;
    Records r;
    EXPECT_TRUE(readTableFile(file, t, format, error)) << file << ": " << error;
    r.fields = t.fields;
    for (size_t i = 0; i < t.recordCount(); ++i) {
        std::vector<std::string> row;
        for (int f = 0; f < t.fieldCount(); ++f) row.push_back(t.text(i, f));
        r.rows.push_back(std::move(row));
    }
    return r;
}

std::vector<std::string> textLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::string text = readFile(file), line;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace sarw::test
