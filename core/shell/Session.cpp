#include "shell/Session.h"

#include <chrono>
#include <thread>

namespace sarw {

Session::Session(Dialogs& dialogs, Platform platform)
    : dialogs_(&dialogs), platform_(std::move(platform)) {}

Session::~Session() = default;

void Session::pause(int ms) {
    if (ms < 0) ms = retryDelayMs;
    dialogs().processEvents();
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace sarw
