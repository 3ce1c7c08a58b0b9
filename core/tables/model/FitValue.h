#pragma once

#include <string>
#include <string_view>

namespace sarw {

// Number of decimals a type code carries in its second character (a non-digit gives 0).
int numberDecimals(std::string_view type);
// Types beginning with "N" hold numbers as right-aligned text with a decimal comma.
bool isNumberType(std::string_view type);

// Adjusts a text to the type and width of its target field: "PM", "PN", "DT" keep the first
// width characters padded on the right; "LM", "LN", "R2" keep the last ones padded on the left;
// "PN" and "LN" then turn every blank into "0"; numeric types are re-formatted right-aligned;
// any other type leaves the text as it is.
std::string fitValue(std::string_view text, std::string_view type, int width);

// A number re-formatted into width characters with the type's decimals (zero gives blanks).
// When it does not fit, decimals are dropped first; a number whose whole part is still too wide
// fills the field with asterisks rather than losing its leading digits.
std::string fitNumber(std::string_view text, std::string_view type, int width);

// The text cut to width characters and padded on the right (left for right-aligned types).
std::string fitText(std::string_view text, int width, bool rightAligned);

// Every byte below 32 becomes a blank.
std::string controlsToBlanks(std::string_view text);

} // namespace sarw
