#pragma once

#include "tables/model/Table.h"

#include <string>
#include <string_view>

namespace sarw {

// Text of the date and time kinds as the XML format writes them: date yyyymmdd, time
// hh:nn:sssss (milliseconds within the minute), dateTime and SQLdateTime yyyymmddThh:nn:sssss or
// only yyyymmdd at midnight. Years outside 0..9999 get more digits or a sign, so that any stored
// value has a text that reads back.
std::string formatTimeValue(const FieldInfo& field, std::string_view raw);
bool parseTimeValue(const FieldInfo& field, std::string_view text, std::string& raw);

} // namespace sarw
