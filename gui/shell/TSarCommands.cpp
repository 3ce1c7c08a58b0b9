#include "access/Rights.h"
#include "archive/DataSaving.h"
#include "codebooks/TCdsCis.h"
#include "documents/TSarDokl.h"
#include "editors/TRtfEdit.h"
#include "editors/TTextEdit.h"
#include "period/Period.h"
#include "shell/MakerPrograms.h"
#include "period/TObd.h"
#include "period/TObd12.h"
#include "reports/TSarInv.h"
#include "reports/TSarReg.h"
#include "reports/TSarSklK.h"
#include "reports/TSarUct.h"
#include "screens/TCdsScrForm.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/SarPicture.h"
#include "shell/Session.h"
#include "shell/TSar.h"
#include "shell/USarCON.h"
#include "shell/Writing.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/StockTables.h"
#include "stock/TSarMesU.h"
#include "stock/TSarObn.h"
#include "stock/TSarProc.h"
#include "stock/USarMesU.h"
#include "stock/USarDos.h"
#include "period/PeriodFiles.h"

#include <QLabel>

namespace sarw {

// --- Dos: the import runs inside the progress strip, without a window ---------------------------

void TSar::DosPrevStavy() {
    writing(s_, [this] {
        if (dosImportConfirmed(s_, DosImport::States)) KonvStavy(s_);
    });
}

void TSar::DosPrevObraty() {
    writing(s_, [this] {
        if (dosImportConfirmed(s_, DosImport::Turnovers)) KonvObraty(s_);
    });
}

void TSar::DosPrevCis() {
    writing(s_, [this] {
        if (dosImportConfirmed(s_, DosImport::Codebooks)) KonvCis(s_);
    });
}

// --- Commands whose windows are not part of the program yet: only their gates run -----------

// The opening states edited in the table screen, written back only when changed.
void TSar::DataStavy() {
    guarded([this] {
        if (!commandAllowed(s_, GatedCommand::InitialStates)) return;
        bool ready = false;
        writing(s_, [&] { ready = DataStavyPrepare(s_); });
        if (!ready) return;
        s_.scr = CdsScrParams{};
        s_.scr.TableFile = kSarWork;
        s_.scr.DefFile = stateDefName(s_);
        s_.scr.editAllowed = true;
        scr_->showScreen();
        if (s_.scr.tableChanged) writing(s_, [this] { DataStavyWriteBack(s_); });
    });
}

// The document form, made for each use and gone after it closes.
void TSar::DataObraty() {
    guarded([this] {
        if (!commandAllowed(s_, GatedCommand::Turnovers)) return;
        TSarDokl form(s_, this);
        if (form.openForm()) form.exec();
    });
}

// --- Prehlady: the report windows, created for each command ----------------------------------

template <class Window> void TSar::runWindow() {
    guarded([this] {
        Window w(s_, this);
        w.exec();
    });
}

void TSar::SesInv() { runWindow<TSarInv>(); }
void TSar::SesReg() { runWindow<TSarReg>(); }
void TSar::SesSklK() { runWindow<TSarSklK>(); }

// --- Tabulky: the computed table goes to the table tool, or to our own screen without it ------

void TSar::showStock(const StockTableView& view) {
    if (!view.computed || showStockTable(s_, view)) return;
    s_.scr = CdsScrParams{};
    s_.scr.TableFile = view.file;
    s_.scr.DefFile = view.def;
    s_.scr.heading1 = view.title;
    scr_->showScreen();
}

void TSar::TabStavy() {
    guarded([this] { showStock(sarw::TabStavy(s_)); });
}

void TSar::TabObraty() {
    guarded([this] { showStock(sarw::TabObraty(s_, SignChange::Ask)); });
}

void TSar::TabObratyOdDo() {
    guarded([this] {
        obd12_->exec();
        if (obd12_->cancelled()) return;
        showStock(sarw::TabObratyOdDo(s_, SignChange::Ask));
    });
}

void TSar::TabStavyObraty() {
    guarded([this] { showStock(sarw::TabStavyObraty(s_, SignChange::Ask)); });
}

void TSar::TabAktStavy() {
    writing(s_, [this] { showStock(sarw::TabAktStavy(s_)); });
}

void TSar::Ucto() {
    guarded([this] {
        if (commandAllowed(s_, GatedCommand::TransferToAccounts)) runWindow<TSarUct>();
    });
}

void TSar::UzavMes() {
    guarded([this] {
        if (!commandAllowed(s_, GatedCommand::MonthlyClosing) || !closingConfirmed(s_)) return;
        writing(s_, [this] {
            TSarMesU w(s_, [this] { showPeriod(); }, this);
            w.exec();
        });
    });
}

void TSar::ObnovaDat() {
    guarded([this] {
        if (!commandAllowed(s_, GatedCommand::RestoreFromArchive)) return;
        writing(s_, [this] {
            TSarObn w(s_, this);
            w.exec();
        });
    });
}

// --- Codebooks -----------------------------------------------------------------------------

void TSar::ACis(const std::string& file, int keys) {
    // The codebook editor takes the file, the editing mode and the keys 1 to `keys`.
    showMenuCodebook(s_, file, keys, this);
}

void TSar::ACinn() {
    guarded([this] { ACis(yearCodebookName(s_, "Cinn"), 1); });
}

void TSar::AKonta() {
    guarded([this] { ACis(yearCodebookName(s_, "Konta"), 1); });
}

void TSar::AMS() {
    guarded([this] { ACis(yearCodebookName(s_, "MatSk"), 1); });
}

void TSar::AMJ() {
    guarded([this] { ACis(codebookName(s_, "MJ"), 1); });
}

void TSar::ADP() {
    guarded([this] { ACis(codebookName(s_, "DP"), 1); });
}

void TSar::AMater() {
    guarded([this] { ACis(codebookName(s_, "Mater"), 1); });
}

void TSar::AUcto() {
    guarded([this] { ACis(yearCodebookName(s_, "Ucto"), 2); });
}

// --- Archiving, period, definition files ---------------------------------------------------------

void TSar::ArchFile() {
    writing(s_, [this] { information(s_, savedDataText(saveData(s_)), "Ulozeni dat"); });
}

void TSar::ObnovaDatPoslDokl() {
    writing(s_, [this] {
        if (commandAllowed(s_, GatedCommand::RestoreLastDocument)) restoreLastDocument(s_);
    });
}

void TSar::NObdobi() {
    if (!commandAllowed(s_, GatedCommand::AccountingPeriod)) return;
    obd_->exec();
    showPeriod();
}

void TSar::showPeriod() {
    picture_->period()->setText(qs("Ucetni obdobi: " + s_.period.Period));
    picture_->placePeriod();
}

void TSar::DefInic() {
    guarded([this] {
        if (!commandAllowed(s_, GatedCommand::DefinitionFile)) return;
        TRtfEdit(s_, this).editFile(inicFileName(s_), false);
        // The labels keep their captions ("Podnik:" ...) with the texts read again; showing the
        // bare texts looked as if the captions had vanished.
        if (readInic(s_)) showLabels();
    });
}

void TSar::defText(const char* file) {
    guarded([this, file] {
        if (!commandAllowed(s_, GatedCommand::DefinitionFile)) return;
        TRtfEdit(s_, this).editFile(workDir(s_, "DefSoub") + "\\" + file, false);
    });
}

void TSar::DefDoklP() { defText("DoklP.Def"); }
void TSar::DefDokl() { defText("Dokl.Def"); }
void TSar::DefDoklZ() { defText("DoklZ.Def"); }
void TSar::DefInvP() { defText("InvP.Def"); }
void TSar::DefInvR() { defText("InvR.Def"); }
void TSar::DefInvZ() { defText("InvZ.Def"); }

// --- Editors, viewers, end --------------------------------------------------------------------

void TSar::startTool(const char* program, bool withDisk, bool wait) {
    guarded([=, this] {
        std::vector<std::string> args;
        if (withDisk) args.push_back(s_.dataDisk + "\\LSarW");
        startProgram(s_, s_.programsDir + "\\" + program, args, wait);
    });
}

void TSar::startEditor(const char* program) {
    guarded([this, program] {
        if (!startMakerProgram(s_, program, true, false)) TRtfEdit(s_, this).editFile({}, true);
    });
}

void TSar::EditRt() { startEditor("Formovac.Exe"); }
void TSar::EditRv() { startEditor("Strankovac.Exe"); }

void TSar::ProgClose() {
    close();
}

} // namespace sarw
