#include "editors/TTextEdit.h"
#include "editors/TextEditParams.h"
#include "shell/MakerPrograms.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/TSar.h"
#include "tools/TObrazek.h"

#include <QFileDialog>

namespace sarw {

// The maker's editors and viewers are separate products. Where one is not installed, SarW opens
// the nearest window of its own instead of warning that the program is missing.

void TSar::EditAt() {
    guarded([this] {
        if (!startMakerProgram(s_, "Opisovac.Exe", true, false)) ownTextEditor();
    });
}

void TSar::EditIm() {
    guarded([this] {
        if (!startMakerProgram(s_, "Malir.Exe", true, false)) showPicture("Image - Editor");
    });
}

void TSar::ProhlObr() {
    guarded([this] {
        if (!startMakerProgram(s_, "Obrazar.Exe", false, true)) showPicture("Prohlizec obrazku");
    });
}

void TSar::PrehrMedii() {
    guarded([this] {
        if (!startMakerProgram(s_, "Prehravac.Exe", false, false)) playMediaFile();
    });
}

// A new unnamed text, editable, with "Otevrit" to take any file.
void TSar::ownTextEditor() {
    TextEditParams& p = text_->params();
    p.fileName.clear();
    p.openAllowed = true;
    p.editable = true;
    text_->run();
}

QString TSar::chooseStandInFile(const char* title, const char* filter) {
    QFileDialog d(this, QString::fromLatin1(title),
                  QString::fromStdString(s_.platform().native(s_.dataDisk + "\\").string()));
    d.setObjectName("StandInFile");
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setNameFilter(qs(dialogFilter(filter)));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

// The desktop's default program shows the picture; without one our own picture window does.
void TSar::showPicture(const char* title) {
    const QString file = chooseStandInFile(title, kPictureFilter);
    if (file.isEmpty()) return;
    const std::string name = s_.platform().programName(file.toStdString());
    if (openWithDesktop(s_, name)) return;
    TObrazek w(this);
    if (!w.load(file)) {
        pictureUnreadable(s_, name);
        return;
    }
    w.exec();
}

void TSar::playMediaFile() {
    const QString file = chooseStandInFile("Prehravac medii", kMediaFilter);
    if (!file.isEmpty()) playMedia(s_, s_.platform().programName(file.toStdString()));
}

} // namespace sarw
