#pragma once

#include <string>

namespace sarw {

// numberToText(width, decimals, value) written into `out`, whose room is reused: the same text
// to the last character, without the library's formatting and the temporary strings, for the
// loops that write a number per record.
void numberToTextInto(std::string& out, int width, int decimals, double value);

} // namespace sarw
