#pragma once

#include <cstddef>
#include <string>

namespace sarw {

class Session;

// The report file made from the finished work text as normaliseReport makes it (every control
// character other than CR, LF and form feed turned into a blank; the same message on failure),
// but copied in blocks, so that a large report is never held whole beside the table it came
// from. The report replaces an older one only when it is complete.
bool normaliseReportInBlocks(Session& s, const std::string& workFile,
                             const std::string& reportFile);

// The normalisation of a piece of a report in place: every control character other than CR, LF
// and form feed becomes a blank.
void blankControlsKeepingLines(char* bytes, std::size_t n);

} // namespace sarw
