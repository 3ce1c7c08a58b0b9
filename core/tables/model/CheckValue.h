#pragma once

#include <string>

namespace sarw {

class Session;

// Normalises one entered value by the type of field `field` (1-based) of the current definition
// and checks its characters by `mode`: "-" digits and minus, "C" digits and blanks, "N" digits,
// ".", ",", "-" and blanks, "X" the field's own check mode, "V" upper-cases, "Z" shows the value
// as a number with zero written out; any other mode accepts. An empty value is valid. A field
// outside the definition gives false and leaves the value as it was.
bool CheckValue(Session& s, std::string& value, int field, char mode);

} // namespace sarw
