#pragma once

#include "tables/model/Table.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sarw::test {

// share/install of the source tree: the default installation and the demo data set.
std::filesystem::path installData();

// A table file's fields and records as texts; fails the calling test when it does not load.
struct Records {
    std::vector<FieldInfo> fields;
    std::vector<std::vector<std::string>> rows;
};
Records loadRecords(const std::filesystem::path& file);

// The lines of a text file as stored (Windows-1250 bytes), CR LF removed.
std::vector<std::string> textLines(const std::filesystem::path& file);

} // namespace sarw::test
