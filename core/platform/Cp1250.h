#pragma once

#include <cstddef>
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
// One code point appended as UTF-8.
void appendUtf8(std::string& out, char32_t cp);
// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is malformed
// (overlong, a surrogate, beyond U+10FFFF, cut).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& cp);

} // namespace sarw
