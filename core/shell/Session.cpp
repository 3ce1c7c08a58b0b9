#include "shell/Session.h"

#include "tables/TCdsProc.h"

namespace sarw {

Session::Session(Dialogs& dialogs, Platform platform)
    : dialogs_(&dialogs), platform_(std::move(platform)) {}

Session::~Session() = default;

TCdsProc& Session::cdsProc() {
    if (!cdsProc_) cdsProc_ = std::make_unique<TCdsProc>(*this);
    return *cdsProc_;
}

} // namespace sarw
