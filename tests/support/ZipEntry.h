#pragma once

#include <filesystem>
#include <string>

namespace sarw::test {

// One member of a zip file (an .xlsx, an .odt) as text; empty when the file or the member is
// missing or cannot be unpacked.
std::string zipEntry(const std::filesystem::path& zip, const std::string& member);

} // namespace sarw::test
