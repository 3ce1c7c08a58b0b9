#include "period/PeriodFiles.h"

#include "period/Period.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"

namespace sarw {

namespace {

std::string firstTwo(const std::string& text) {
    return text.substr(0, 2);
}

const std::string& currentPeriod(Session& s) {
    ReadPeriod(s);
    return s.period.Period;
}

std::string yearOf(std::string_view period) {
    return periodCompact(period).substr(0, 2);
}

[[noreturn]] void haltMissing() {
    throw ProgramHalt("year codebook missing");
}

} // namespace

std::string stateFileName(Session& s) {
    return stateFileName(s, currentPeriod(s));
}

std::string stateFileName(Session& s, std::string_view period) {
    readInic(s);
    return workDir(s, "Data") + "\\" + PrevPeriod(period) + s.startup.companyCode + "SarS.Cds";
}

std::string turnoverFileName(Session& s) {
    return turnoverFileName(s, currentPeriod(s));
}

std::string turnoverFileName(Session& s, std::string_view period) {
    readInic(s);
    return workDir(s, "Data") + "\\" + periodCompact(period) + s.startup.companyCode + "SarO.Cds";
}

std::string transferFileName(Session& s) {
    return transferFileName(s, currentPeriod(s));
}

std::string transferFileName(Session& s, std::string_view period) {
    readInic(s);
    const StartupState& st = s.startup;
    return workDir(s, "Prevody") + "\\" + periodCompact(period) + firstTwo(st.enterprise) +
           firstTwo(st.managementUnit) + firstTwo(st.costCentre) + "5301SarWUctPr.Cds";
}

std::string yearCodebookName(Session& s, std::string_view kind) {
    return yearCodebookName(s, kind, currentPeriod(s));
}

std::string yearCodebookName(Session& s, std::string_view kind, std::string_view period) {
    const std::string dir = workDir(s, "Cisel") + "\\";
    const std::string year = yearOf(period);
    const std::string name = dir + year + std::string(kind) + ".Cds";
    if (fileExists(s, name)) return name;
    const std::string previous = dir + PrevYear(year) + std::string(kind) + ".Cds";
    if (!fileExistsWarn(s, previous)) haltMissing();
    FileCopy(s, previous, name, 0);
    if (!fileExistsWarn(s, name)) haltMissing();
    return name;
}

} // namespace sarw
