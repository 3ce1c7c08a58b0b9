#include "tables/sorting/WorkDefGuard.h"

#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <filesystem>

namespace sarw {

bool workDefWouldReplaceInDef(Session& s) {
    const CdsParams& c = s.cds;
    if (c.WorkDef.empty() || c.InDef.empty()) return false;
    const auto work = s.platform().native(c.WorkDef).lexically_normal();
    const auto in = s.platform().native(c.InDef).lexically_normal();
    std::error_code ec;
    if (work != in && !std::filesystem::equivalent(work, in, ec)) return false;
    warning(s, "Pracovni definice by prepsala vstupni definici:\r\r     " + c.InDef,
            "Zmena nebude provedena !");
    return true;
}

} // namespace sarw
