#include "platform/DiskLock.h"

#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace sarw {

namespace {

constexpr std::chrono::milliseconds kRetry{100};

// 0 when taken, otherwise errno: EAGAIN/EACCES while another holds it.
int tryLock(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0 ? 0 : errno;
}

} // namespace

DiskLock::DiskLock(const std::filesystem::path& file, std::chrono::milliseconds wait) {
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const int err = tryLock(fd_);
        if (err == 0) {
            state_ = State::Acquired;
            return;
        }
        if (err != EAGAIN && err != EACCES && err != EINTR) break; // no locks on this disk
        if (std::chrono::steady_clock::now() >= deadline) {
            state_ = State::HeldElsewhere;
            break;
        }
        std::this_thread::sleep_for(kRetry);
    }
    ::close(fd_);
    fd_ = -1;
}

DiskLock::~DiskLock() {
    // Closing the description releases the lock; the file stays for the next writer.
    if (fd_ >= 0) ::close(fd_);
}

} // namespace sarw
