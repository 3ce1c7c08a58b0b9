#pragma once

#include <string>

namespace sarw {

class Session;
struct DocumentForm;

// The price list: the current states of every unit (opening states plus this period's
// turnovers), and the stock list of the document's own unit cut out of it for the issue
// look-ups.

constexpr const char* kPriceList = "C:\\A_Run\\Aplikace\\LSarW\\Data\\Cenik.Cds";
constexpr const char* kPriceListQuestion = "Vytvorit novy cenik ?";

// Builds Cenik.Cds with StNove from the period's state and turnover files; the turnover
// definition and the column codebooks are read again afterwards. Sets PriceListFresh.
bool buildPriceList(Session& s, DocumentForm& form);
// "Cenik" and entering the items of an issue without a fresh price list: after "Ano" the
// document is saved and the price list built. False when it was not built.
bool offerPriceList(Session& s, DocumentForm& form);
// Whether the turnover or state file changed since the price list was built (or it is missing).
bool priceListStale(Session& s);

// The stock list SarWork.Cds: the rows of the price list whose fields 3-5 equal header columns
// 3-5. Built again only when the price list or those columns changed since the last build.
bool buildStockList(Session& s, DocumentForm& form);

} // namespace sarw
