#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace sarw::test {

// Every file under a drive root by its path relative to the root, with its bytes; the work
// folders (C:\A_Run\Work, C:\A_Run\Sestavy) and the local copies of the data disk's PomSoub,
// which runs make again, left out.
using DriveSnapshot = std::map<std::string, std::string>;
DriveSnapshot snapshotDrives(const std::filesystem::path& root);

// A fresh copy of a drive root, permissions kept.
void copyDrives(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace sarw::test
