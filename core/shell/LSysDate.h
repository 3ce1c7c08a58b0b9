#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// Blanks, trims and pads.
bool isBlank(std::string_view text);          // empty or blanks only
std::string blanks(int n);
std::string removeBlanks(std::string_view text);
// While the text holds a run of n blanks, the first blank of the first such run is removed.
std::string shortenBlankRuns(std::string_view text, int n);
std::string trimRight(std::string_view text);
std::string trimLeft(std::string_view text);
std::string trimBoth(std::string_view text);
std::string padRight(std::string_view text, int width, char with = ' ');
std::string padLeft(std::string_view text, int width, char with = ' ');

// Dates as DD.MM.YYYY, times as HH:MM:SS.
std::string formatDate(int year, int month, int day);
int daysInMonth(int year, int month);

// Today's date; halts with a warning when the system date cannot be used.
std::string today(Session& s);
std::string now(Session& s);
// The start-up check: today passed through the date-text check (halts on failure).
void startupDateCheck(Session& s);
// Ten characters, points at 3 and 6, a valid day, month and year.
bool dateTextCheck(Session& s, std::string_view text);
// 1900 <= year <= 2050, month 1 to 12, day 1 to the days of the month; otherwise the warning
// "<date>\r\rChybne uvedene Datum !" and false.
bool dateValid(Session& s, int year, int month, int day);
// Completes a typed date ("3", "3.4", "3.4.99") with today's parts; blanks give 10 blanks; an
// invalid date warns and gives 10 blanks.
std::string dateComplete(Session& s, std::string_view text);

} // namespace sarw
