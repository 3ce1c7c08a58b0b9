#include "documents/DocumentForm.h"

#include "documents/DocumentStore.h"
#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "stock/TSarProc.h"
#include "tables/model/ReadDef.h"

namespace sarw {

void resetItemCells(Session& s, DocumentForm& form) {
    std::array<int, Document::kItemColumns> widths{};
    for (int k = 1; k <= Document::kItemColumns; ++k) {
        const int f = Document::kHeadCount + k;
        widths[static_cast<size_t>(k - 1)] = f <= s.def.fieldCount() ? s.def.field(f).width : 0;
    }
    form.doc.resetItems(widths);
}

bool insertItemRow(Session& s, DocumentForm& form, int row) {
    if (form.doc.rowFilled(Document::kMaxItems)) {
        warning(s, "Radek 1000 dokladu neni prazdny, novy radek nelze vlozit !");
        return false;
    }
    form.doc.insertRow(row);
    return true;
}

bool removeItemRow(Session& s, DocumentForm& form, int row) {
    if (!question(s, "Skutecne chceme radek zrusit ?")) return false;
    form.doc.removeRow(row);
    form.DocModified = true;
    return true;
}

void recomputeSums(DocumentForm& form) {
    double q = 0, w = 0;
    for (int r = 1; r <= Document::kMaxItems; ++r) {
        q += textToNumber(form.doc.item(r, 11));
        w += textToNumber(form.doc.item(r, 12));
    }
    form.sums = "Mnozstvi:  " + removeBlanks(numberToText(16, 3, q)) +
                "      EUR:  " + removeBlanks(numberToText(15, 2, w));
}

bool newDocument(Session& s, DocumentForm& form) {
    std::vector<std::string> rules = std::move(form.followOnRules);
    const bool fresh = form.PriceListFresh;
    form = DocumentForm{};
    form.followOnRules = std::move(rules);
    form.PriceListFresh = fresh;
    if (!readInic(s) || !ReadPeriod(s)) return false;
    if (!ReadDef(s, turnoverDefName(s))) return false;
    resetItemCells(s, form);
    Document& d = form.doc;
    for (int c = 1; c <= Document::kHeadCount; ++c) d.head(c).clear();
    d.head(1) = s.period.PeriodYear;
    d.head(2) = s.period.PeriodMonth;
    const std::string units[3] = {s.startup.enterprise, s.startup.managementUnit,
                                  s.startup.costCentre};
    for (int i = 0; i < 3; ++i) {
        d.head(3 + i) = units[i].substr(0, 2);
        d.head(8 + i) = units[i].substr(0, 2);
    }
    d.head(6) = nextNumber(s, d);
    d.head(7) = "100";
    d.head(12) = today(s);
    d.head(13) = "00000";
    return true;
}

} // namespace sarw
