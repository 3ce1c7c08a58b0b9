#pragma once

#include "rtf/RichText.h"

#include <string_view>

namespace sarw::rtf {

// Whether the bytes begin as an RTF document does.
bool looksLikeRtf(std::string_view bytes);

// Reads the subset of RTF the program's own files use: paragraphs (\par, \pard, \ql \qc \qr
// \qj), character formats (\f \fs \b \i \ul \cf \plain), the font and colour tables, \'hh in
// Windows-1250 and \uN. Destinations it does not know (\*, pictures, style sheets, headers ...)
// are skipped and other control words ignored, so an unknown file still shows its text. Damaged
// input (unbalanced braces, a cut escape) gives what text can be read; nothing fails. Bytes that
// are not RTF are read as plain Windows-1250 lines.
RichText readRtf(std::string_view bytes);

} // namespace sarw::rtf
