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

// The definition a reduction left as SarWork.Def becomes SarWork1.Def (an old one deleted first),
// so that the sort after it can write the sorted table's own SarWork.Def.
void keepReducedDef(Session& s);

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
