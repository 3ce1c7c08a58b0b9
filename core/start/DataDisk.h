#pragma once

#include <string>

namespace sarw {

class Session;

// Resolves the command-line parameter into the data disk ("D:", "D:\ucto", or a native folder);
// halts with its message when the disk or directory does not exist.
std::string resolveDataDisk(Session& s, const std::string& parameter);

} // namespace sarw
