// Restore of the turnover and opening state files from the archive.
#include "stock/USarObn.h"

#include "period/Period.h"
#include "shell/LSysCopy.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "period/PeriodFiles.h"
#include "tables/formats/TableFile.h"

namespace sarw {

namespace {

RestoreChoice choice(std::string mask, std::string target, std::string def) {
    std::string filter = "Archivni soubory (" + mask + ")|" + mask;
    return {std::move(mask), std::move(filter), std::move(target), std::move(def)};
}

} // namespace

std::string restoreArchiveDir(const Session& s) { return workDir(s, "Archiv"); }

RestoreChoice restoreTurnoverChoice(Session& s) {
    ReadPeriod(s);
    readInic(s);
    return choice(periodCompact(s.period.Period) + s.startup.companyCode + "SarO_*.Cds",
                  turnoverFileName(s), turnoverDefName(s));
}

RestoreChoice restoreStateChoice(Session& s) {
    ReadPeriod(s);
    readInic(s);
    return choice(PrevPeriod(s.period.Period) + s.startup.companyCode + "SarS_*.Cds",
                  stateFileName(s), stateDefName(s));
}

bool restoreFromArchive(Session& s, const std::string& chosen, const RestoreChoice& c,
                        bool showFirst) {
    if (!ReadPeriod(s)) return false;
    // A copy a crash cut short would replace good data with a torn file.
    Table table;
    TableFormat format;
    std::string error;
    if (!readTableFile(s.platform().native(chosen), table, format, error)) {
        warning(s, "Archivni soubor nelze pouzit: " + error, "Soubor: " + chosen);
        return false;
    }
    if (showFirst)
        startProgram(s, s.programsDir + "\\Tabulo.Exe", {chosen, c.def, "Zobrazeni"}, true);
    if (!question(s, "Chcete soubor " + c.target + " obnovit ?", "Vstupny soubor:  " + chosen))
        return false;
    // Through a temporary copy renamed over the target: a failed copy keeps the old file.
    return SafeCopy(s, chosen, c.target, 1);
}

} // namespace sarw
