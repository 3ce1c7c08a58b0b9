#include "platform/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sarw {

InstanceLock::InstanceLock(const Platform& platform, const std::string& name) {
    const fs::path file = platform.native("C:\\A_Run\\PomSoub\\" + name + ".lock");
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Acquired;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Failed;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    // Closing the description releases the lock; the file stays for the next start.
    if (fd_ >= 0) ::close(fd_);
}

} // namespace sarw
