#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace sarw {

class Session;

// Reads a definition file (Windows-form or native name) into Session::def, replacing it
// entirely. False when the file does not exist, cannot be opened or read, or holds more
// definition lines than a definition can take; the current definition is then empty.
bool ReadDef(Session& s, const std::string& fileName);

// The codebook reference of a definition line ("K. JmSCis"): "@" in column 86 keeps columns
// 86-135 without blanks; a digit 1-3 in column 87 rebuilds the name in columns 88-135 as
// directory, name up to its first point and extension; otherwise empty.
std::string codebookReference(std::string_view line);

// Reads a text file line by line as stored (Windows-1250 bytes); CR LF or LF line ends, the
// CR removed. Lines are read one at a time, so a huge file costs no more than its longest line.
class TextLineReader {
public:
    explicit TextLineReader(const std::filesystem::path& file);
    bool isOpen() const { return in_.is_open(); }
    // The next line; false at the end of the file or on a read error.
    bool next(std::string& line);
    // True when reading stopped on an error rather than at the end.
    bool failed() const { return in_.bad(); }

private:
    std::ifstream in_;
};

} // namespace sarw
