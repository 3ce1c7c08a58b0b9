#include "access/Rights.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <string>

namespace sarw {

namespace {

bool framed(const std::string& rights, std::string_view area) {
    return rights.find("|" + std::string(area) + "|") != std::string::npos;
}

bool statusIs(const Session& s, std::initializer_list<std::string_view> statuses) {
    for (auto st : statuses)
        if (s.login.status == st) return true;
    return false;
}

} // namespace

bool hasRight(const Session& s, std::initializer_list<std::string_view> areas) {
    // The unrestricted user of the maintenance login is gone with that login: a user named
    // "Zenit_Gen" has the rights of his status like anybody else.
    if (framed(s.login.rights, "Zenit")) return true;
    for (auto area : areas)
        if (!area.empty() && framed(s.login.rights, area)) return true;
    return false;
}

bool areaCheck(Session& s, std::initializer_list<std::string_view> areas) {
    if (hasRight(s, areas)) return true;
    warning(s, "Pro tuto oblast nemate opravneni !");
    return false;
}

bool commandAllowed(Session& s, GatedCommand command) {
    switch (command) {
    case GatedCommand::DefinitionFile:
        return areaCheck(s, {"Sprav", "AdmDef"});
    case GatedCommand::InitialStates:
    case GatedCommand::MonthlyClosing:
    case GatedCommand::RestoreFromArchive:
        return areaCheck(s, {"Sprav"});
    case GatedCommand::Turnovers:
        return areaCheck(s, {"Sprav", "HObr"});
    case GatedCommand::RestoreLastDocument:
        return areaCheck(s, {"Sprav", "Obraty"});
    case GatedCommand::TransferToAccounts:
        return statusIs(s, {"Zenit", "Sprav"});
    case GatedCommand::AccountingPeriod:
        return statusIs(s, {"Zenit", "Sprav", "AdmDef"});
    }
    return false;
}

char codebookEditMode(Session& s) {
    return areaCheck(s, {"Sprav", "HCis"}) ? 'A' : 'N';
}

bool dosMenuVisible(const Session& s) {
    return s.login.status == "Zenit";
}

} // namespace sarw
