#include "period/Period.h"

#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/WinLSys.h"

#include <vector>

namespace sarw {

namespace {

std::string part(const std::string& line, size_t from, size_t count) {
    return from < line.size() ? line.substr(from, count) : std::string();
}

} // namespace

PeriodSpan readPeriodSpan(Session& s) {
    PeriodSpan span;
    std::vector<std::string> lines;
    if (fileExists(s, kPeriodSpanFile) && readTextLines(s, kPeriodSpanFile, lines, 1) &&
        !lines.empty()) {
        span.from = part(lines[0], 0, 4);
        span.to = part(lines[0], 5, 4);
    }
    s.period.PeriodFrom = span.from;
    s.period.PeriodTo = span.to;
    return span;
}

bool periodSpanFieldValid(std::string_view t) {
    if (t.size() != 4) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return (t[2] - '0') * 10 + (t[3] - '0') <= 13;
}

bool checkPeriodSpanField(Session& s, std::string_view text) {
    if (periodSpanFieldValid(text)) return true;
    warning(s, "Chybne zadane obdobi !", "Obdobi: " + std::string(text));
    return false;
}

bool storePeriodSpan(Session& s, std::string_view from, std::string_view to) {
    s.period.PeriodFrom = std::string(from.substr(0, 4));
    s.period.PeriodTo = std::string(to.substr(0, 4));
    makePath(s, "C:\\A_Run\\PomSoub");
    const std::string line = std::string(from) + "-" + std::string(to);
    if (writeTextLines(s, kPeriodSpanFile, {line})) return true;
    warning(s, "Nepodarilo se zapsat soubor:\r\r     " + std::string(kPeriodSpanFile));
    return false;
}

} // namespace sarw
