#include "documents/DocumentPicks.h"

#include "documents/DocumentForm.h"
#include "documents/DocumentStore.h"
#include "documents/PriceList.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WorkFiles.h"

namespace sarw {

bool materialPickTarget(Session& s, DocumentForm& form) {
    CisParams& cis = s.cis;
    cis.CisChosen = 'N';
    if (form.doc.isIssue()) {
        if (!buildStockList(s, form)) return false;
        cis.clearValues();
        cis.CisKeyCount = 1;
        cis.CisKeyColumns = {};
        cis.CisKeyColumns[0] = 6;
        cis.CisFileName = kSarWork;
        return true;
    }
    cis.clearValues();
    cis.setFirstKeys(1);
    cis.CisFileName = codebookName(s, "Mater");
    return true;
}

bool documentListTarget(Session& s) {
    s.cis.CisChosen = 'N';
    if (!buildDocumentList(s)) return false;
    s.cis.clearValues();
    s.cis.setFirstKeys(Document::kHeadCount);
    return true;
}

std::array<std::string, 13> chosenHeader(const Session& s) {
    std::array<std::string, 13> head;
    for (size_t i = 0; i < head.size(); ++i) head[i] = s.cis.CisValues[i];
    return head;
}

void pickListClosed(Session& s) {
    s.cis.setFirstKeys(1);
}

} // namespace sarw
