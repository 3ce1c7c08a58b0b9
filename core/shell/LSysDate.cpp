#include "shell/LSysDate.h"

#include "platform/ProgramHalt.h"
#include "shell/NumText.h"
#include "shell/Session.h"

#include <cstdio>

namespace sarw {

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string blanks(int n) { return std::string(n > 0 ? static_cast<size_t>(n) : 0, ' '); }

std::string removeBlanks(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ') s += c;
    return s;
}

std::string shortenBlankRuns(std::string_view text, int n) {
    std::string s(text);
    if (n <= 0) return s;
    // Every run of n or more blanks ends up n - 1 long.
    std::string out;
    out.reserve(s.size());
    size_t run = 0;
    for (char c : s) {
        if (c == ' ') {
            if (++run >= static_cast<size_t>(n)) continue;
        } else {
            run = 0;
        }
        out += c;
    }
    return out;
}

std::string trimRight(std::string_view text) {
    size_t e = text.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(text.substr(0, e + 1));
}

std::string trimLeft(std::string_view text) {
    size_t b = text.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string() : std::string(text.substr(b));
}

std::string trimBoth(std::string_view text) { return trimLeft(trimRight(text)); }

std::string padRight(std::string_view text, int width, char with) {
    std::string s(text);
    if (static_cast<int>(s.size()) < width) s.append(static_cast<size_t>(width) - s.size(), with);
    return s;
}

std::string padLeft(std::string_view text, int width, char with) {
    std::string s(text);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), with);
    return s;
}

std::string formatDate(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day, month, year);
    return buf;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
}

std::string today(Session& s) {
    DateTime d = s.platform().now();
    std::string t = formatDate(d.year, d.month, d.day);
    if (t.size() != 10 || d.day < 1 || d.day > 31 || d.month < 1 || d.month > 12 || d.year < 1950) {
        s.dialogs().warning("Datum:  " + t + "\r\rOperacni system ma nastaven spatny format Datumu !"
                            "\r\rProgram bude ukoncen.",
                            "");
        throw ProgramHalt("bad system date");
    }
    return t;
}

std::string now(Session& s) {
    DateTime d = s.platform().now();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", d.hour, d.minute, d.second);
    return buf;
}

void startupDateCheck(Session& s) {
    if (!dateTextCheck(s, today(s))) throw ProgramHalt("bad system date");
}

bool dateValid(Session& s, int year, int month, int day) {
    if (year >= 1900 && year <= 2050 && month >= 1 && month <= 12 && day >= 1 &&
        day <= daysInMonth(year, month))
        return true;
    s.dialogs().warning(formatDate(year, month, day) + "\r\rChybne uvedene Datum !", "");
    return false;
}

bool dateTextCheck(Session& s, std::string_view text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return false;
    return dateValid(s, static_cast<int>(textToInt(text.substr(6, 4))),
                     static_cast<int>(textToInt(text.substr(3, 2))),
                     static_cast<int>(textToInt(text.substr(0, 2))));
}

std::string dateComplete(Session& s, std::string_view text) {
    if (isBlank(text)) return blanks(10);
    std::string t = removeBlanks(text);
    for (char& c : t)
        if (c == ',') c = '.';
    // day.month.year; a part that is missing or too long counts as missing.
    std::string parts[3];
    bool present[3] = {false, false, false};
    size_t p1 = t.find('.');
    size_t p2 = p1 == std::string::npos ? std::string::npos : t.find('.', p1 + 1);
    parts[0] = t.substr(0, p1);
    if (p1 != std::string::npos) parts[1] = t.substr(p1 + 1, p2 == std::string::npos ? std::string::npos : p2 - p1 - 1);
    if (p2 != std::string::npos) parts[2] = t.substr(p2 + 1);
    const size_t maxLen[3] = {2, 2, 4};
    for (int i = 0; i < 3; ++i) present[i] = !parts[i].empty() && parts[i].size() <= maxLen[i];
    DateTime d = s.platform().now();
    int day = present[0] ? static_cast<int>(textToInt(parts[0])) : 0;
    int month = present[1] ? static_cast<int>(textToInt(parts[1])) : 0;
    int year = present[2] ? static_cast<int>(textToInt(parts[2])) : d.year;
    if (day == 0) day = d.day;
    if (month == 0) month = d.month;
    if (present[2]) {
        if (year >= 51 && year <= 99) year += 1900;
        else if (year >= 0 && year <= 50) year += 2000;
    }
    if (!dateValid(s, year, month, day)) return blanks(10);
    return formatDate(year, month, day);
}

} // namespace sarw
