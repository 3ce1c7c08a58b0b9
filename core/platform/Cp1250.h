#pragma once

#include <string>
#include <string_view>

namespace sarw {

// Texts live as Windows-1250 bytes inside the program; these convert at the edges
// (terminal output, XML written as UTF-8, the desktop's widgets).
std::string cp1250ToUtf8(std::string_view text);
// Characters that Windows-1250 lacks become '?'; malformed UTF-8 bytes become '?' too.
std::string utf8ToCp1250(std::string_view text);
// The Unicode code point of one Windows-1250 byte.
char32_t cp1250ToUnicode(unsigned char byte);
// The Windows-1250 byte of a code point, or 0 when it has none.
unsigned char unicodeToCp1250(char32_t cp);
bool isValidUtf8(std::string_view text);

} // namespace sarw
