#pragma once

#include "rtf/RichText.h"

#include <string>
#include <string_view>

namespace sarw::rtf {

// RTF as the program writes it: \ansi\ansicpg1250, a font and a colour table, one group per
// run. Bytes above 127 go as \'hh of Windows-1250; a character the code page lacks goes as
// \uN? (N the signed 16-bit unit, a UTF-16 pair for characters beyond it).

// The text of an RTF body: backslash and braces escaped, '\t' as \tab, '\n' as \line, other
// control characters dropped.
std::string rtfBodyText(std::string_view utf8);
// The same for text held as Windows-1250 bytes (the reports' lines).
std::string rtfBodyTextCp1250(std::string_view cp1250);

// The whole document, lines ended by CR LF.
std::string writeRtf(const RichText& t);

} // namespace sarw::rtf
