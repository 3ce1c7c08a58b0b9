#include "platform/FileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace sarw {

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), info_(other.info_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        info_ = other.info_;
    }
    return *this;
}

int InputFile::open(const std::filesystem::path& file) {
    close();
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    info_ = fileInfo(fd_);
    if (info_.exists) return 0;
    const int err = errno;
    close();
    return err;
}

void InputFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    info_ = FileInfo{};
}

long long InputFile::readAt(void* into, std::size_t n, std::uint64_t offset) const {
    for (;;) {
        const ssize_t got = ::pread(fd_, into, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

bool InputFile::readExactAt(void* into, std::size_t n, std::uint64_t offset) const {
    auto* at = static_cast<char*>(into);
    while (n > 0) {
        const long long got = readAt(at, n, offset);
        if (got <= 0) return false;
        at += got;
        n -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

bool readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    InputFile in;
    if (in.open(file) != 0 || !in.info().regular) return false;
    bytes.resize(static_cast<std::size_t>(in.size()));
    return in.readExactAt(bytes.data(), bytes.size(), 0);
}

} // namespace sarw
