#pragma once

#include "screens/TCdsScr.h"

#include <string>
#include <vector>

namespace sarw {

class Session;

// "Sestava III" without a window: the table screen shown on the parameter block (Session::scr),
// the framed report made with its column geometry, the screen closed. Nothing made (after the
// message why) as for tableScreenReport.
SesResult framedTableReport(Session& s);

// The right-aligned columns of a framed report: read from its work definition (which becomes
// the current definition). Empty after the not-found warning when the definition is missing.
std::vector<bool> framedNumericColumns(Session& s, const ColumnGeometry& g, bool& found);

} // namespace sarw
