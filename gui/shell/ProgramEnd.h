#pragma once

#include "platform/ProgramHalt.h"

#include <functional>

namespace sarw {

// How the desktop program ends at once: a halt of the core, a refused login, Esc in the login
// window. No end-of-program steps run. By default the process exits with the code; tests put a
// recorder in its place and then the callers wind down on their own (endRequested()).
constexpr int kEndNormal = 0;
constexpr int kEndHalt = 3;

using EndHandler = std::function<void(int code)>;
// Installs the handler; an empty one restores the default exit.
void setEndHandler(EndHandler handler);
void endProgramNow(int code);
// True once endProgramNow ran (only ever seen when a handler returns).
bool endRequested();
void clearEndRequest();

// Runs an event handler; a halt thrown inside it ends the program here, because nothing may be
// thrown through the event loop.
template <class F> void guarded(F&& f) {
    try {
        f();
    } catch (const ProgramHalt&) {
        endProgramNow(kEndHalt);
    }
}

} // namespace sarw
