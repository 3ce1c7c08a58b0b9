#include "shell/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace sarw {

namespace {

EndHandler& handler() {
    static EndHandler h;
    return h;
}

bool& requested() {
    static bool r = false;
    return r;
}

} // namespace

void setEndHandler(EndHandler h) {
    handler() = std::move(h);
}

void endProgramNow(int code) {
    requested() = true;
    if (handler()) {
        handler()(code);
        return;
    }
    // At once: no window is closed, no end-of-program step runs; the operating
    // system releases the single-instance lock.
    std::fflush(nullptr);
    std::_Exit(code);
}

bool endRequested() {
    return requested();
}

void clearEndRequest() {
    requested() = false;
}

} // namespace sarw
