#pragma once

#include <string>

namespace sarw {

class PackedTable;
class Session;

// The current states computed in one pass over the state and turnover files, without the work
// files of the route through the primitives: the records are keyed, ordered and summed exactly
// as the summation of the table library does it, so both give the same output file and the same
// work definition C:\A_Run\Work\SarWork.Def.

enum class OnePassRoute {
    Written,       // the output was written
    Failed,        // the computation was tried and failed (after the program's message)
    NotApplicable, // the layouts are not the ones the one-pass computation reproduces
};

// States (may be empty: none) taken as opening states, plus the turnovers with issues negative,
// summed per period, unit, material and measure unit into the output state file; the period is
// the current one. `lastWork` is the work file the result is written to before the safe copy.
// `joined` tells that the turnovers went through a turnover-form table first (StNove), which
// fits every text to its field before an issue is negated. `heldTurnovers`, when given, is the
// turnover file as loadPacked gave it, read from there instead of loading the file again.
OnePassRoute currentStatesOnePass(Session& s, const std::string& states,
                                  const std::string& turnovers, const std::string& out,
                                  const std::string& lastWork, bool joined,
                                  const PackedTable* heldTurnovers = nullptr);

} // namespace sarw
