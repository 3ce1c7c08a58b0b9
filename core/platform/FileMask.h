#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarw {

// File name masks as the Windows file functions take them: '*' any run of characters, '?' one
// character, no regard to case; "*.*" and "NAME.*" also match names without a point.
bool maskMatches(std::string_view mask, std::string_view name);
bool hasWildcard(std::string_view name);

// A Windows-form name split at its last separator ('\', '/' or the drive colon): the directory
// part (empty when there is none; "C:\" keeps its backslash) and the last component.
std::pair<std::string, std::string> splitDirName(std::string_view name);

struct MaskedFile {
    std::string name;           // Windows-1250
    std::filesystem::path path; // native
};

// The regular files of a native folder whose names match the mask, sorted by name, at most
// limit of them; empty when the folder cannot be read.
std::vector<MaskedFile> filesMatching(const std::filesystem::path& dir, std::string_view mask,
                                      std::size_t limit = std::numeric_limits<std::size_t>::max());

} // namespace sarw
