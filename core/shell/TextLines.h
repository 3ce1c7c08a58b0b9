#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sarw {

class Session;

// Small text files of the program (period files, SarInic.TXT, the data-disk marker): lines end
// with CR LF as the program writes them; LF alone or CR alone are read as line ends too.

// The first maxLines lines of a file, without their line ends; false when it cannot be read.
bool readTextLines(Session& s, const std::string& name, std::vector<std::string>& lines,
                   std::size_t maxLines);
// Replaces the file with the given lines, each followed by CR LF; false when it cannot be
// written completely.
bool writeTextLines(Session& s, const std::string& name, const std::vector<std::string>& lines);

} // namespace sarw
