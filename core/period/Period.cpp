#include "period/Period.h"

#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/WinLSys.h"

#include <cstdio>
#include <vector>

namespace sarw {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of a two-character part as a number; other characters count for nothing, so a
// malformed period never stops the arithmetic.
int partValue(std::string_view part) {
    int v = 0;
    for (char c : part)
        if (isDigit(c)) v = v * 10 + (c - '0');
    return v;
}

// Right-aligned in two places with zeros; years wrap round the century both ways.
std::string twoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", ((v % 100) + 100) % 100);
    return buf;
}

struct YearMonth {
    int year = 0;
    int month = 0;
};

YearMonth split(std::string_view period) {
    const std::string compact = periodCompact(period);
    const std::string_view c(compact);
    return {partValue(c.substr(0, 2)), partValue(c.size() > 2 ? c.substr(2, 2) : "")};
}

std::string compactOf(YearMonth ym) {
    return twoDigits(ym.year) + twoDigits(ym.month);
}

void setPeriod(Session& s, std::string period) {
    PeriodState& p = s.period;
    p.Period = std::move(period);
    p.PeriodYear = p.Period.substr(0, 2);
    p.PeriodMonth = p.Period.size() > 3 ? p.Period.substr(3, 2) : "";
}

void generatePeriod(Session& s) {
    const std::string t = today(s); // DD.MM.YYYY
    setPeriod(s, t.substr(8, 2) + " " + t.substr(3, 2));
    StorePeriod(s);
    information(s, "Vygenerovano obdobi: " + s.period.Period + "\r\rProvedte prednostne opravu !");
}

} // namespace

std::string periodFileName(const Session& s) {
    return "C:\\A_Run\\PomSoub\\Obdobi" + s.period.suffix + ".Txt";
}

bool periodCheck(std::string_view p) {
    if (p.size() != 5 || p[2] != ' ') return false;
    if (!isDigit(p[0]) || !isDigit(p[1]) || !isDigit(p[3]) || !isDigit(p[4])) return false;
    return partValue(p.substr(3, 2)) <= 20;
}

bool ReadPeriod(Session& s) {
    const std::string name = periodFileName(s);
    if (!fileExistsWarn(s, name)) generatePeriod(s);
    Platform::setPlainAttributes(s.platform().native(name));
    // A file that cannot be read keeps the values in memory, as a declined open does.
    std::vector<std::string> lines;
    if (!canOpen(s, name) || !readTextLines(s, name, lines, 1))
        return periodCheck(s.period.Period);
    setPeriod(s, lines.empty() ? std::string() : lines[0].substr(0, 5));
    if (periodCheck(s.period.Period)) return true;
    warning(s, "Chybne zadane obdobie: " + s.period.Period, "Provedte prednostne opravu !");
    return false;
}

bool StorePeriod(Session& s) {
    std::string& period = s.period.Period;
    if (period.size() == 4) period = periodWithBlank(period);
    if (!periodCheck(period)) {
        warning(s, "Chybne zadane obdobie: " + period, "Zmena nebude provedena !");
        return false;
    }
    setPeriod(s, period);
    const std::string name = periodFileName(s);
    const auto native = s.platform().native(name);
    if (fileExists(s, name)) Platform::setPlainAttributes(native);
    if (!canCreate(s, name)) return false;
    if (!writeTextLines(s, name, {period})) {
        warning(s, "Nepodarilo se zapsat obdobi do souboru:\r\r     " + name,
                "Zmena nebude provedena !");
        return false;
    }
    Platform::setReadOnly(native, true);
    return true;
}

std::string PrevPeriod(std::string_view period) {
    YearMonth ym = split(period);
    if (ym.month == 0) {
        ym.month = 12;
        --ym.year;
    } else {
        --ym.month;
    }
    return compactOf(ym);
}

std::string NextPeriod(std::string_view period) {
    YearMonth ym = split(period);
    if (++ym.month > 12) {
        ym.month = 1;
        ++ym.year;
    }
    return compactOf(ym);
}

std::string PrevYear(std::string_view year) {
    return twoDigits(partValue(year) - 1);
}

std::string periodWithBlank(std::string_view compact) {
    if (compact.size() != 4) return std::string(compact);
    return std::string(compact.substr(0, 2)) + " " + std::string(compact.substr(2));
}

std::string periodCompact(std::string_view period) {
    if (period.size() == 5 && period[2] == ' ')
        return std::string(period.substr(0, 2)) + std::string(period.substr(3));
    return std::string(period);
}

bool periodFieldValid(std::string_view t) {
    if (t.size() != 4) return false;
    for (char c : t)
        if (!isDigit(c)) return false;
    return partValue(t.substr(2, 2)) <= 20;
}

bool checkPeriodField(Session& s, std::string_view text) {
    if (periodFieldValid(text)) return true;
    warning(s, "Chybne zadane obdobie !", "Obdobie: " + std::string(text));
    return false;
}

std::string stepPeriodBack(Session& s) {
    YearMonth ym = split(s.period.Period);
    if (ym.month <= 1) {
        ym.month = 12;
        --ym.year;
    } else {
        --ym.month;
    }
    setPeriod(s, periodWithBlank(compactOf(ym)));
    return compactOf(ym);
}

std::string stepPeriodForward(Session& s) {
    const std::string next = NextPeriod(s.period.Period);
    setPeriod(s, periodWithBlank(next));
    return next;
}

bool takePeriodFromField(Session& s, std::string_view text) {
    const std::string t(text);
    setPeriod(s, t.size() >= 2 ? t.substr(0, 2) + " " + t.substr(2) : t);
    return StorePeriod(s);
}

} // namespace sarw
