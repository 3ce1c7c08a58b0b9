#pragma once

#include "reports/ReportWork.h"

#include <string>
#include <vector>

namespace sarw {

class Session;
class Table;

// The stock cards: the turnovers of a range of periods (issues negative) of one organisational
// unit and of the materials whose number begins with a given text, sorted by unit, material and
// the order of the movements, with a subtotal per material.

// The window's fields.
struct CardSelection {
    std::string from = "0000"; // "Obdobi od:", YYMM
    std::string to;            // "Do:", YYMM
    std::string material;      // prefix of the material number; empty for all
    std::string plant, unit, centre;
};
// The fields as the window opens: up to the current period, the configured units.
CardSelection cardDefaults(Session& s);

// The units given (non-blank) must be nothing, the plant, plant and management unit, or all
// three. The number of units given, or -1 for any other combination.
int cardUnitCount(const CardSelection& sel);
// As cardUnitCount, with "Chybne zadane organizacni jednotky !" when the combination is wrong.
int checkCardUnits(Session& s, const CardSelection& sel);
// Every blank removed from the six fields.
void cardRemoveBlanks(CardSelection& sel);

// Sort fields of the selected turnovers by the number of units given.
std::vector<int> cardSortFields(int units);
// Whether a turnover record (table `t`, record `rec`) belongs to the cards.
bool cardTaken(const Table& t, std::size_t rec, const CardSelection& sel);

// "Proved": validation, then the cards in SarWork.Cds / SarWork.Def; the fields come back
// without blanks. False when nothing was computed.
bool SklKProved(Session& s, CardSelection& sel);
// Steps of "Proved" after the converted turnovers are in SarWork2.Cds: select and sort.
bool cardSelectAndSort(Session& s, const CardSelection& sel, int units);

// The table screen's parameters for "Zobraz": a subtotal at the last material key field.
void cardScreenParams(Session& s, int units);

// The material pick list: the turnovers of the period range summed per material number, text
// and unit into SarWork.Cds. Its name, empty when it was not made.
std::string cardPickList(Session& s, const CardSelection& sel);
// The codebook window's parameters for choosing from the pick list (no editing, first key).
void cardPickParams(Session& s, const std::string& pickList);
// After the codebook window: the chosen material number, empty when nothing was chosen.
std::string cardPickChosen(const Session& s);
// The material number of a record of the pick list, for the material field.
std::string cardPickedMaterial(const Table& pickList, std::size_t rec);

} // namespace sarw
