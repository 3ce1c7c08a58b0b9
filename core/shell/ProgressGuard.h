#pragma once

#include "shell/Session.h"

namespace sarw {

// The progress strip shown for as long as the guard lives, closed on every way out.
class ProgressGuard {
public:
    explicit ProgressGuard(Session& s) : s_(s) { s_.dialogs().progressShow(); }
    ~ProgressGuard() { s_.dialogs().progressClose(); }
    ProgressGuard(const ProgressGuard&) = delete;
    ProgressGuard& operator=(const ProgressGuard&) = delete;

private:
    Session& s_;
};

} // namespace sarw
