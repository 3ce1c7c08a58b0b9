#pragma once

#include <string>

namespace sarw {

class Session;

// How the document form lays out its grids, from the current definition (the turnover
// definition): field f is header column f, or item column f - 13.

// The column title: the field's TNS1 from two places after the first point, at most 25
// characters, trailing blanks removed.
std::string columnTitle(const Session& s, int field);
// The column width in pixels: 7 per character of the longer of title and field, plus 10.
int columnPixels(const Session& s, int field);

// F5 in item column k: the calculator's memory line as the cell's number, as wide as the field
// with the decimals of its type. Empty when the column takes no number this way or the memory
// holds none.
std::string calculatorCell(const Session& s, int k, const std::string& memory);

} // namespace sarw
