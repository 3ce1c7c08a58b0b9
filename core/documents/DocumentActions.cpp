#include "documents/DocumentActions.h"

#include "documents/DocumentOpening.h"
#include "documents/DocumentStore.h"
#include "documents/FollowOn.h"
#include "period/PeriodFiles.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"

namespace sarw {

bool openNewDocument(Session& s, DocumentForm& form) {
    if (!form.LastCheckOk) return false;
    if (!saveGoesOn(saveDocument(s, form))) return false;
    return openDocumentForm(s, form);
}

bool openFollowOnDocument(Session& s, DocumentForm& form) {
    if (textToInt(form.doc.head(13)) == 0) {
        information(s, kNoFollowOn);
        return false;
    }
    std::array<std::string, 13> head;
    for (int c = 1; c <= 13; ++c) head[static_cast<size_t>(c - 1)] = form.doc.head(c);
    if (!openNewDocument(s, form)) return false;
    for (int c = 1; c <= 13; ++c) form.doc.head(c) = head[static_cast<size_t>(c - 1)];
    for (int c = 3; c <= 5; ++c) form.doc.head(c) = head[static_cast<size_t>(c + 4)];
    form.doc.head(6) = head[12];
    return readDocument(s, form);
}

bool closeDocumentForm(Session& s, DocumentForm& form) {
    if (!form.LastCheckOk) return false;
    return saveGoesOn(saveWithFollowOn(s, form, FollowOnChoice::Ask));
}

bool documentChosen(Session& s, DocumentForm& form, const std::array<std::string, 13>& values) {
    for (int c = 1; c <= 13; ++c) form.doc.head(c) = values[static_cast<size_t>(c - 1)];
    return readDocument(s, form);
}

bool documentForDisplay(Session& s, DocumentForm& form, const std::string& file) {
    deleteFile(s, file);
    return saveDocumentInto(s, form, file) == SaveResult::Saved;
}

bool documentInTableTool(Session& s, DocumentForm& form, bool wholeFile) {
    const std::string table = wholeFile ? turnoverFileName(s) : std::string(kSarWork);
    if (!wholeFile && !documentForDisplay(s, form, table)) return false;
    return startProgram(s, s.programsDir + "\\Tabulo.Exe", {table, turnoverDefName(s), "Zobrazeni"},
                        false) != 99999;
}

} // namespace sarw
