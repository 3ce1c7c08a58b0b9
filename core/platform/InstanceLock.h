#pragma once

#include "platform/Platform.h"

#include <string>

namespace sarw {

// The system-wide lock that keeps a second copy of the program from running: an exclusive flock
// on C:\A_Run\PomSoub\<name>.lock, held while the object lives. The lock belongs to the open file
// description, so even a second attempt in the same process fails.
class InstanceLock {
public:
    enum class State { Acquired, HeldElsewhere, Failed };

    explicit InstanceLock(const Platform& platform, const std::string& name = "SarW");
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool acquired() const { return state_ == State::Acquired; }
    // Another process (or description) holds the lock: the program is already running.
    bool heldElsewhere() const { return state_ == State::HeldElsewhere; }
    State state() const { return state_; }

    // What the program says when it is already running.
    static constexpr const char* kRunningText = "Program je jiz na tomto pocitaci spusten !";
    static constexpr const char* kRunningTitle = "Jmeno programu:  SarW.Exe";

private:
    int fd_ = -1;
    State state_ = State::Failed;
};

} // namespace sarw
