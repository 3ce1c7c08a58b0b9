#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The current accounting period "YY MM" lives in Session::period and in a small text file that
// holds it between runs. Month 00 is the opening state of a year.

// C:\A_Run\PomSoub\Obdobi + suffix + .Txt
std::string periodFileName(const Session& s);
// Five characters, digits at 1-2 and 4-5, a blank at 3, month not above 20.
bool periodCheck(std::string_view period);

// Reads the period file into Period, PeriodYear and PeriodMonth. A missing file gets a period
// generated from today; a malformed one is warned about and used as read. True when the period
// passes the period check: commands that write data go on only then, since a malformed period
// would name and label their files wrongly.
bool ReadPeriod(Session& s);
// Checks Period (a compact one gets its blank first) and writes it; true when written.
bool StorePeriod(Session& s);

// Period arithmetic on compact or five-character periods; results are compact ("YYMM").
std::string PrevPeriod(std::string_view period);
std::string NextPeriod(std::string_view period);
std::string PrevYear(std::string_view year);
// "YYMM" → "YY MM" (other texts unchanged) and back.
std::string periodWithBlank(std::string_view compact);
std::string periodCompact(std::string_view period);

// --- The period dialog -------------------------------------------------------------------------
// The field: four digits, month not above 20.
bool periodFieldValid(std::string_view text);
// As periodFieldValid; when invalid, the warning "Chybne zadane obdobie !".
bool checkPeriodField(Session& s, std::string_view text);
// The arrows step Period itself (not the typed text); month 00 is never reached. They set Period
// and its parts and give the compact form for the field.
std::string stepPeriodBack(Session& s);
std::string stepPeriodForward(Session& s);
// Closing the dialog: the field's text becomes Period and is stored.
bool takePeriodFromField(Session& s, std::string_view text);

// --- The from/to dialog and Obdobi12.Txt --------------------------------------------------------
constexpr const char* kPeriodSpanFile = "C:\\A_Run\\PomSoub\\Obdobi12.Txt";

struct PeriodSpan {
    std::string from = "0201";
    std::string to = "2012";
};
// The file's first line "FROM-TO"; the defaults when it is missing. Sets PeriodFrom and PeriodTo.
PeriodSpan readPeriodSpan(Session& s);
// A field of the from/to dialog: four digits, month not above 13.
bool periodSpanFieldValid(std::string_view text);
// As periodSpanFieldValid; when invalid, the warning "Chybne zadane obdobi !".
bool checkPeriodSpanField(Session& s, std::string_view text);
// Closing the dialog (Escape too): the file gets both fields, PeriodFrom and PeriodTo their
// first four characters. False (after a warning) when the file cannot be written.
bool storePeriodSpan(Session& s, std::string_view from, std::string_view to);

} // namespace sarw
