#pragma once

#include <string>

namespace sarw {

class Session;

// The monthly closing ("Uzaverka" / "Mesicni"): the current states of the month being closed
// become the state file of the next period, and the period moves on. The window `TSarMesU`
// shows the two fields and calls these.

// The menu's question before the window: the period read again, "Ano" to go on.
bool closingConfirmed(Session& s);

// The fields on showing: the current period and the proposed next one, compact ("YYMM").
struct ClosingFields {
    std::string current;
    std::string next;
};
ClosingFields closingFields(Session& s);

enum class ClosingResult {
    Done,          // the new state file is written and the period moved on
    InvalidPeriod, // "Chybne zadane obdobi !" was shown; nothing written
    Failed,        // the states or the period could not be written (after the message)
};

// "  Proved": `next` is the text of the second field; its blanks are removed and the result put
// back. The target must be four digits with a month from 01 to 20, and after the closed month:
// an earlier target would overwrite opening states that a later closing still needs. The period
// moves only when the new state file was written.
ClosingResult closeMonth(Session& s, const std::string& current, std::string& next);

} // namespace sarw
