#include "platform/FaultInjection.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace sarw::fault {

namespace {

enum class Action { None, Count, Fail, Kill };

struct Plan {
    Action action = Action::None;
    FaultOp op = FaultOp::Write;
    int error = EIO;
    long long n = 0;
};

constexpr std::array<std::string_view, 4> kNames = {"write", "rename", "fsync", "space"};

std::atomic<long long> counts[4];
std::atomic<long long> total{0};

void printCounts() {
    std::fprintf(stderr, "SARW_FAULT count write=%lld rename=%lld fsync=%lld space=%lld\n",
                 counts[0].load(), counts[1].load(), counts[2].load(), counts[3].load());
}

Plan readPlan() {
    Plan p;
    const char* text = std::getenv("SARW_FAULT");
    if (!text || !*text) return p;
    const std::string_view v(text);
    if (v == "count") {
        p.action = Action::Count;
        std::atexit(printCounts);
        return p;
    }
    const std::size_t colon = v.find(':');
    const std::string_view kind = v.substr(0, colon);
    p.n = colon == v.npos ? 0 : std::atoll(text + colon + 1);
    if (p.n <= 0) return p;
    if (kind == "kill") {
        p.action = Action::Kill;
        return p;
    }
    if (kind == "nospace") {
        p.action = Action::Fail;
        p.error = ENOSPC;
        return p;
    }
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kind == kNames[i]) {
            p.action = Action::Fail;
            p.op = static_cast<FaultOp>(i);
        }
    return p;
}

const Plan plan = readPlan();

} // namespace

const bool armed = plan.action != Action::None;

int at(FaultOp op) {
    const long long n = ++counts[static_cast<int>(op)];
    const long long all = ++total;
    switch (plan.action) {
    case Action::Kill:
        if (all == plan.n) ::kill(::getpid(), SIGKILL);
        return 0;
    case Action::Fail:
        return op == plan.op && n == plan.n ? plan.error : 0;
    default:
        return 0;
    }
}

} // namespace sarw::fault
