#include "documents/DocumentOpening.h"

#include "codebooks/UCdsCIS.h"
#include "documents/DocumentForm.h"
#include "documents/FollowOn.h"
#include "documents/PriceList.h"
#include "period/Period.h"
#include "period/PeriodFiles.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/ProgressGuard.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"

#include <optional>

namespace sarw {

namespace {

constexpr const char* kLocalCisel = "C:\\A_Run\\Aplikace\\LSarW\\Cisel\\";
constexpr const char* kLocalArchive = "C:\\A_Run\\Aplikace\\LSarW\\Archiv\\";

// Step 5: the accounts, customers and suppliers as one account list, sorted into Konta.Cds.
bool mergedAccounts(Session& s) {
    CdsTable accounts;
    accounts.fileName = kSarWork1;
    if (!accounts.open(s)) return false;
    Table& t = accounts.data;
    const size_t width = t.fieldCount() > 1 ? static_cast<size_t>(t.fields[1].size) : 0;
    auto append = [&](const std::string& file, bool customer) {
        CdsTable c;
        c.fileName = file;
        c.readOnly = true;
        if (!c.open(s)) return;
        for (size_t r = 0; r < c.data.recordCount(); ++r) {
            std::string name =
                customer ? c.data.text(r, 4) + " " + c.data.text(r, 5) : c.data.text(r, 1);
            std::vector<std::string> row(static_cast<size_t>(t.fieldCount()));
            row[0] = c.data.text(r, 0);
            if (row.size() > 1) row[1] = name.substr(0, width);
            t.appendTexts(row);
        }
        c.discard();
    };
    append(kSarWork2, true);
    append(kSarWork3, false);
    if (!writeTableOrWarn(s, kSarWork1, t, TableFormat::Binary, false)) return false;
    accounts.discard();
    return TSarProc(s).SortCds2(kSarWork1, 1, std::string(kLocalCisel) + "Konta.Cds",
                                workDir(s, "DefSoub") + "\\Konta.Def");
}

} // namespace

bool openDocumentForm(Session& s, DocumentForm& form, bool backup) {
    if (!readInic(s) || !ReadPeriod(s)) return false;
    const std::string defs = workDir(s, "DefSoub") + "\\";
    const std::string codebooks[][2] = {
        {codebookName(s, "DP"), "DP.Cds"},         {yearCodebookName(s, "MatSk"), "MatSk.Cds"},
        {yearCodebookName(s, "Cinn"), "Cinn.Cds"}, {codebookName(s, "MJ"), "MJ.Cds"},
        {codebookName(s, "Mater"), "Mater.Cds"},
    };
    const std::string konta = yearCodebookName(s, "Konta");
    for (const std::string& f :
         {konta, customerCodebookName(s), supplierCodebookName(s), defs + "GenPoh.Def",
          defs + "Dokl.Def", defs + "DoklP.Def", defs + "DoklZ.Def"})
        if (!fileExistsWarn(s, f)) throw ProgramHalt("document form: file missing");
    for (const auto& c : codebooks)
        if (!fileExistsWarn(s, c[0])) throw ProgramHalt("document form: codebook missing");
    std::optional<ProgressGuard> strip(std::in_place, s);
    makePath(s, kLocalCisel);
    makePath(s, kLocalArchive);
    // A local copy that could not be made is reported: the checks would look in stale ones.
    bool copied = true;
    auto copy = [&](const std::string& from, const std::string& to) {
        if (!copied || FileCopy(s, from, to, 1) == kCopyOk) return;
        warning(s, "Kopirovani souboru se nezdarilo:\r\r" + s.copyStatus.route);
        copied = false;
    };
    for (const auto& c : codebooks) copy(c[0], kLocalCisel + c[1]);
    copy(konta, kSarWork1);
    copy(customerCodebookName(s), kSarWork2);
    copy(supplierCodebookName(s), kSarWork3);
    form.followOnRules = readFollowOnRules(s);
    const std::string turnovers = turnoverFileName(s);
    if (backup && fileExists(s, turnovers) && fileSize(s, turnovers) > 9)
        FileCopy(s, turnovers, kLocalArchive + fileNamePart(turnovers), 1);
    copied = copied && mergedAccounts(s);
    strip.reset();
    if (!copied) return false;
    form.PriceListFresh = false;
    if (!newDocument(s, form)) return false;
    if (!fileExists(s, kPriceList) && !buildPriceList(s, form)) return false;
    s.cis.CisPickMode = 'A';
    s.cis.CisEditMode = 'N';
    s.cis.setFirstKeys(1);
    GCisel(s);
    form.infoLine = "   Udaj z ciselniku";
    return true;
}

} // namespace sarw
