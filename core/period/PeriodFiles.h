#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The names of the tables that belong to a period: its state, turnover and transfer files and
// the codebooks kept per year. Every name is a full Windows-form name under the data disk.

// Period tables: the current period (ReadPeriod runs first) or a given one ("YY MM" or "YYMM").
// SarInic.TXT is read again for the company code every time.
std::string stateFileName(Session& s);
std::string stateFileName(Session& s, std::string_view period);
std::string turnoverFileName(Session& s);
std::string turnoverFileName(Session& s, std::string_view period);
std::string transferFileName(Session& s);
std::string transferFileName(Session& s, std::string_view period);
// Year codebooks MatSk, Ucto, Cinn, Konta of the current period's year or a given period's year.
// A missing one is copied from the previous year's; when that is missing too, or the copy is not
// there afterwards, the not-found warning and a halt.
std::string yearCodebookName(Session& s, std::string_view kind);
std::string yearCodebookName(Session& s, std::string_view kind, std::string_view period);

} // namespace sarw
