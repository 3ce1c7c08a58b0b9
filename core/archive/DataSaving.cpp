#include "archive/DataSaving.h"

#include "archive/Archive.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"
#include "period/Period.h"
#include "period/PeriodFiles.h"

namespace sarw {

namespace {

std::vector<std::string> archiveTables(Session& s, bool byDate) {
    std::vector<std::string> written;
    s.dialogs().infoShow("Informace", "SarW:  Probiha archivace databasi !", "");
    CopyFiles(s, "*.*", workDir(s, "PomSoub"), kLocalPomSoub, 2);
    // One warning for a missing SarInic.TXT instead of one for every name built.
    if (readInic(s)) {
        const std::string dir = archiveDir(s);
        for (const std::string& table : {stateFileName(s), turnoverFileName(s)}) {
            const bool needed =
                byDate ? needsArchiveByDate(s, table, dir) : needsArchiveByTime(s, table, dir);
            if (needed) written.push_back(Archive(s, table, dir, kArchiveGenerations));
        }
    }
    s.dialogs().infoClose(1000);
    return written;
}

// The working copy is written after every saved document, whatever the period; put over another
// period's turnover table it would replace that month's documents by this one's.
bool workingCopyFitsPeriod(Session& s) {
    Table copy;
    TableFormat format;
    std::string error;
    if (!readTableFile(s.platform().native(kWorkingTurnoverCopy), copy, format, error))
        return true; // the copy itself reports what is wrong with the file
    if (copy.fieldCount() < 2) return true;
    const PeriodState& p = s.period;
    for (std::size_t r = 0; r < copy.recordCount(); ++r) {
        const std::string year = copy.text(r, 0), month = copy.text(r, 1);
        if (isBlank(year) && isBlank(month)) continue;
        if (year == p.PeriodYear && month == p.PeriodMonth) return true;
        warning(s,
                "Pracovni kopie obsahuje doklady obdobi " + year + " " + month +
                    " !\r\rObnova nebude provedena.",
                "Aktualni obdobi:  " + p.Period);
        return false;
    }
    return true;
}

} // namespace

std::vector<std::string> saveData(Session& s) {
    return archiveTables(s, false);
}

std::string savedDataText(const std::vector<std::string>& written) {
    std::string names;
    for (const std::string& w : written)
        if (!w.empty()) names += "\r" + w;
    if (names.empty()) return "Archiv je aktualni, zadny soubor nebylo treba ukladat.";
    return "Do archivu byly ulozeny soubory:\r" + names;
}

std::vector<std::string> startupArchive(Session& s) {
    return archiveTables(s, true);
}

bool restoreLastDocument(Session& s) {
    if (!ReadPeriod(s)) return false;
    const std::string target = turnoverFileName(s);
    if (!workingCopyFitsPeriod(s)) return false;
    s.dialogs().progressShow();
    const bool copied = s.cdsProc().LDCopyCds(kWorkingTurnoverCopy, target);
    s.dialogs().progressClose();
    information(s, "Prekontrolujte data !", target);
    return copied;
}

} // namespace sarw
