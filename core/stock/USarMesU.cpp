// The monthly closing: the new opening states and the period moved on.
#include "stock/USarMesU.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "period/PeriodFiles.h"

namespace sarw {

namespace {

bool digitsOnly(const std::string& t) {
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// Four digits, month 01 to 20, and later than the closed month (99 is followed by 00).
bool targetValid(const std::string& current, const std::string& next) {
    if (next.size() != 4 || !digitsOnly(next)) return false;
    const int month = std::stoi(next.substr(2));
    if (month < 1 || month > 20) return false;
    const bool newCentury = current.compare(0, 2, "99") == 0 && next.compare(0, 2, "00") == 0;
    return next > current || newCentury;
}

} // namespace

bool closingConfirmed(Session& s) {
    ReadPeriod(s);
    return question(s, "Skutecne chceme uzavrit mesic ?", "Aktualni obdobi:  " + s.period.Period);
}

ClosingFields closingFields(Session& s) {
    ReadPeriod(s);
    return {periodCompact(s.period.Period), NextPeriod(s.period.Period)};
}

ClosingResult closeMonth(Session& s, const std::string& currentField, std::string& next) {
    next = removeBlanks(next);
    const std::string current = removeBlanks(currentField);
    // A malformed current period would name the new state file after a month that does not
    // exist and move the period on from it.
    if (!periodCheck(periodWithBlank(current))) {
        warning(s, "Chybne zadane obdobie: " + periodWithBlank(current), "Zmena nebude provedena !");
        return ClosingResult::InvalidPeriod;
    }
    if (!targetValid(current, next)) {
        information(s, "Chybne zadane obdobi !", "Obdobi: " + next);
        return ClosingResult::InvalidPeriod;
    }
    s.dialogs().progressShow();
    const std::string turnovers = turnoverFileName(s, current);
    const std::string opening = stateFileName(s, current);
    const std::string closing = stateFileName(s, next);
    bool ok = TSarProc(s).StNove(opening, closing, turnovers);
    if (ok) {
        s.period.Period = periodWithBlank(next);
        ok = StorePeriod(s);
        if (!ok) ReadPeriod(s); // the period stays as its file holds it
    }
    s.dialogs().progressClose();
    return ok ? ClosingResult::Done : ClosingResult::Failed;
}

} // namespace sarw
