#pragma once

#include <string>
#include <string_view>

namespace sarw {

// Numbers travel as texts in table fields: right-aligned, decimal comma, zero written as blanks.
// The loops over whole tables use the inline fast path of the same rules (NumTextFast.h).

// The value right-aligned in width; 0 gives width blanks.
std::string intToText(long long value, int width);
// Right-aligned; 0 gives "0".
std::string intToTextZero(long long value, int width);
// intToText with every blank turned into "0" (0 gives all zeros).
std::string zeroPadInt(long long value, int width);
std::string blanksToZeros(std::string_view text);

// Every character other than a digit or '-' removed, the rest read as a whole number (0 when
// nothing is left or it does not read).
long long textToInt(std::string_view text);
// The first comma counts as the decimal point; every character other than a digit, '-' or '.'
// is ignored; 0 when nothing is left.
double textToNumber(std::string_view text);

// Rounds the magnitude half away from zero to `decimals` places and restores the sign;
// decimals 5 rounds to a multiple of one half instead.
double roundTo(double value, int decimals);
// Rounded, right-aligned in width with a decimal comma; decimals are dropped one by one while
// the text is too wide; a value that rounds to zero gives width blanks.
std::string numberToText(int width, int decimals, double value);
// The same without the rounding step; zeroTest false shows zero instead of blanks.
std::string numberToTextNoRound(int width, int decimals, double value, bool zeroTest = true);
// numberToText's text written into `out`, whose room is reused, for the loops that write a
// number per record.
void numberToTextInto(std::string& out, int width, int decimals, double value);

// Upper-casing by the Czech letter table (a-z and the Czech accented letters; u with ring
// becomes U with acute).
std::string upperCase(std::string_view text);
char upperCaseChar(char c);

// Code-page conversion through the 95-row table; columns 1 Windows-1250, 2 code page 852,
// 3 Kamenicky; column 0 on either side leaves the text unchanged.
std::string convertCodePage(std::string_view text, int fromColumn, int toColumn);

} // namespace sarw
