#include "documents/PriceList.h"

#include "codebooks/UCdsCIS.h"
#include "documents/DocumentStore.h"
#include "documents/TurnoverFile.h"
#include "period/PeriodFiles.h"
#include "platform/FileSystem.h"
#include "shell/ProgressGuard.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"
#include "tables/model/ReadDef.h"

#include <tuple>

namespace sarw {

namespace {

FileTime modified(Session& s, const std::string& name) {
    return fileInfo(s.platform().native(name)).modified;
}

// A file's time and size as text; empty when it is missing.
std::string stamp(Session& s, const std::string& name) {
    const FileInfo f = fileInfo(s.platform().native(name));
    if (!f.exists) return {};
    return std::to_string(f.modified.seconds) + "." + std::to_string(f.modified.nanoseconds) + "." +
           std::to_string(f.size);
}

bool notBefore(const FileTime& a, const FileTime& b) {
    return std::tie(a.seconds, a.nanoseconds) >= std::tie(b.seconds, b.nanoseconds);
}

} // namespace

bool buildPriceList(Session& s, DocumentForm& form) {
    ProgressGuard strip(s);
    const bool built = TSarProc(s).StNove(stateFileName(s), kPriceList, turnoverFileName(s));
    // The computation leaves its own definition current.
    ReadDef(s, turnoverDefName(s));
    GCisel(s);
    if (built) form.PriceListFresh = true;
    form.stockListFor.clear();
    return built;
}

bool offerPriceList(Session& s, DocumentForm& form) {
    if (!question(s, kPriceListQuestion)) return false;
    if (!saveGoesOn(saveDocument(s, form))) return false;
    return buildPriceList(s, form);
}

bool priceListStale(Session& s) {
    if (!fileExists(s, kPriceList)) return true;
    const FileTime built = modified(s, kPriceList);
    for (const std::string& input : {turnoverFileName(s), stateFileName(s)})
        if (fileExists(s, input) && notBefore(modified(s, input), built)) return true;
    return false;
}

bool buildStockList(Session& s, DocumentForm& form) {
    // What the list was cut for, and the list itself as written: the display of a document
    // uses the same work file.
    const std::string key =
        stamp(s, kPriceList) + "|" + form.doc.head(3) + form.doc.head(4) + form.doc.head(5);
    if (key + "|" + stamp(s, kSarWork) == form.stockListFor) return true;
    form.stockListFor.clear();
    ProgressGuard strip(s);
    TSarProc(s).MakeCdsFile(kSarWork, stateDefName(s));
    bool built = false;
    TurnoverFile prices;
    if (fileExists(s, kPriceList) && prices.load(s, kPriceList)) {
        std::vector<std::uint32_t> rows;
        const std::string unit[3] = {form.doc.head(3), form.doc.head(4), form.doc.head(5)};
        for (std::size_t rec = 0; rec < prices.recordCount(); ++rec) {
            const std::string_view* c = prices.cells(rec);
            if (prices.fieldCount() >= 5 && c[2] == unit[0] && c[3] == unit[1] && c[4] == unit[2])
                rows.push_back(static_cast<std::uint32_t>(rec));
        }
        Table none;
        none.fields = prices.head().fields;
        built = prices.write(s, kSarWork, rows, none);
    }
    ReadDef(s, turnoverDefName(s));
    GCisel(s);
    if (built) form.stockListFor = key + "|" + stamp(s, kSarWork);
    return built;
}

} // namespace sarw
