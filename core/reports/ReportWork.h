#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// What the inventory list, the regleta and the stock cards share: their work files SarWork*.Cds
// and .Def in C:\A_Run\Work (the last of the three computations decides what they hold), the
// organisational level of a list, and the table screen's "Sestava I" on the result.

// First heading of every list and the product word handed to the table tool.
constexpr const char* kRepHeading = "SarW";

// The radio group "Podnik", "Zavod", "Sprava", "Stredisko": how many organisational units
// (plant, management unit, cost centre) the list is grouped by.
enum class OrgLevel { Podnik = 0, Zavod = 1, Sprava = 2, Stredisko = 3 };
int unitCount(OrgLevel level);
// "podnik", "zavod", "sprava" or "stredisko" (any case); false for anything else.
bool parseOrgLevel(std::string_view text, OrgLevel& level);

// The field list 1..n as a key list from first to last.
std::vector<int> fieldRange(int first, int last);
// The sort order of a list grouped by `units` organisational units: the first `units` of the
// three unit fields that start at `firstUnit`, then `within`, then the other unit fields.
std::vector<int> unitsFirst(int firstUnit, int units, const std::vector<int>& within);

// The definition a reduction left as SarWork.Def becomes SarWork1.Def (an old one deleted first),
// so that the sort after it can write the sorted table's own SarWork.Def.
void keepReducedDef(Session& s);
// SarWork1.Cds (of the definition `def`) reduced to the fields `kept` into SarWork2.Cds, then
// sorted by `order` into SarWork.Cds.
bool reduceAndSort(Session& s, const std::vector<int>& kept, const std::string& def,
                   const std::vector<int>& order);
// The table screen's parameters of every list: SarWork.Cds with SarWork.Def, not editable, the
// list's headings, no levels yet.
void listScreenParams(Session& s, const std::string& title);

// The progress strip around a computation, closed however it ends.
class ProgressStrip {
public:
    explicit ProgressStrip(Session& s);
    ~ProgressStrip();
    ProgressStrip(const ProgressStrip&) = delete;
    ProgressStrip& operator=(const ProgressStrip&) = delete;

private:
    Session& s_;
};

// The table screen shown on the parameter block as the caller filled it and its "Sestava I":
// the report file's name, empty when no report was made (the table or its definition missing,
// or no records). The screen puts the parameter block back to its defaults.
std::string sestavaI(Session& s);

// "  Tabulka": SarWork.Cds and SarWork.Def handed to the table tool with the list's title; false
// when it was not handed over (the caller then shows the table itself).
bool repTabulka(Session& s, const std::string& title);

} // namespace sarw
