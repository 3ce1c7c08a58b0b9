#pragma once

#include <string>

namespace sarw {

class Session;
class Table;

// The listing of a codebook ("  Tisk") as a report file.

// C:\A_Run\Sestavy\<name without extension>.Ses.
std::string listingFileName(const std::string& codebook);
// The report text: a page head before the first row and whenever the rows of a page pass
// rowsPerPage, then "  " and every non-memo field padded to its size + 2, the last two cut off.
std::string listingText(const Table& table, const std::string& codebook, const std::string& date,
                        const std::string& time, int rowsPerPage);
// Writes the codebook's definition to C:\A_Run\Work and the listing of the file to its report
// file. The caller's current definition is put back. The report's name, empty after a failure.
std::string codebookListing(Session& s, const std::string& codebook);
// The same for the rows a window holds, which may not be written yet.
std::string codebookListing(Session& s, const std::string& codebook, const Table& rows);

} // namespace sarw
