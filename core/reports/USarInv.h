#pragma once

#include "reports/ReportWork.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The inventory list: the current states of the period per organisational unit, sorted so that
// the grouping units stand first (and the material group after them when asked for), shown and
// printed by the table screen with the upper, right and lower texts InvP.Def, InvR.Def, InvZ.Def.

// Sort positions of the states reduced to state fields 3-13.
std::vector<int> invSortFields(OrgLevel level, bool groups);
// "Inventurni soupis podle zavodu v obdobi " ... followed by the period text.
std::string invTitle(OrgLevel level, std::string_view period);

// "Proved": the list in SarWork.Cds / SarWork.Def; its title, empty when it was not computed.
std::string InvProved(Session& s, OrgLevel level, bool groups);
// Steps of "Proved" after the current states are in SarWork1.Cds: reduce and sort.
bool invReduceAndSort(Session& s, OrgLevel level, bool groups);

// The table screen's parameters for "Zobraz" (print false) and "Sestava" (print true).
void invScreenParams(Session& s, OrgLevel level, bool groups, bool print, const std::string& title);
// After the table screen closed: level flags off, no texts.
void invScreenClosed(Session& s);

} // namespace sarw
