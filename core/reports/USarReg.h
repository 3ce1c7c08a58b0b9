#pragma once

#include "reports/ReportWork.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The regleta: per material and organisational unit its initial state ("Poc.stav"), every
// turnover of the period and its current state ("Akt.stav"), in turnover layout reduced to
// turnover fields 3-26, sorted with the grouping units first.

constexpr const char* kRegInitialLabel = "Poc.stav";
constexpr const char* kRegCurrentLabel = "Akt.stav";
// The column of the sorted regleta that holds the state label (the document text): in every
// sort order the six sort fields stand first, followed by reduced positions 4-9.
constexpr int kRegLabelColumn = 12;

// Sort positions of the reduced regleta.
std::vector<int> regSortFields(OrgLevel level);
// "Regleta podle zavodu v obdobi " ... followed by the period text.
std::string regTitle(OrgLevel level, std::string_view period);

// While the window exists, sums count only the current state rows.
void regWindowOpened(Session& s);
void regWindowClosed(Session& s);

// "Proved": the regleta in SarWork.Cds / SarWork.Def; its title, empty when not computed.
std::string RegProved(Session& s, OrgLevel level);
// Steps of "Proved" after the rows are in SarWork1.Cds: reduce and sort.
bool regReduceAndSort(Session& s, OrgLevel level);

// The table screen's parameters for "Zobraz".
void regScreenParams(Session& s, OrgLevel level, const std::string& title);

} // namespace sarw
