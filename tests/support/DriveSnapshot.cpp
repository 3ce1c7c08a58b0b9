#include "support/DriveSnapshot.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace sarw::test {

namespace {

// The work folders, and the local copies of the data disk's PomSoub that a run copies again when
// they are missing.
bool isWorkFolder(const std::string& rel) {
    return rel == "C/A_Run/Work" || rel == "C/A_Run/Sestavy" ||
           rel == "C/A_Run/Aplikace/LSarW/PomSoub";
}

} // namespace

DriveSnapshot snapshotDrives(const fs::path& root) {
    DriveSnapshot files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string rel = it->path().lexically_relative(root).generic_string();
        if (it->is_directory() && isWorkFolder(rel)) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file()) continue;
        std::ifstream f(it->path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << f.rdbuf();
        files[rel] = bytes.str();
    }
    return files;
}

void copyDrives(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

} // namespace sarw::test
