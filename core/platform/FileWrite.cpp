#include "platform/FileWrite.h"

#include "platform/FaultInjection.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sarw {

namespace {

constexpr std::size_t kCopyBlock = 1u << 20;
constexpr std::size_t kRangeBlock = 64u << 20;

} // namespace

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
    }
    return *this;
}

int OutputFile::create(const std::filesystem::path& file, bool exclusive, unsigned mode) {
    return openWith(file, O_CREAT | (exclusive ? O_EXCL : O_TRUNC), mode);
}

int OutputFile::openExisting(const std::filesystem::path& file) {
    return openWith(file, 0, 0);
}

int OutputFile::openWith(const std::filesystem::path& file, int flags, unsigned mode) {
    close();
    error_ = 0;
    fd_ = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | flags, mode);
    return fd_ >= 0 ? 0 : (error_ = errno);
}

bool OutputFile::fail(int err) {
    if (error_ == 0) error_ = err ? err : EIO;
    return false;
}

bool OutputFile::write(const void* data, std::size_t n) {
    return put(data, n, -1);
}

bool OutputFile::writeAt(const void* data, std::size_t n, std::uint64_t offset) {
    return put(data, n, static_cast<std::int64_t>(offset));
}

// Every write of the program: appended, or at the offset when it is not negative.
bool OutputFile::put(const void* data, std::size_t n, std::int64_t offset) {
    if (fd_ < 0 || error_) return fail(EBADF);
    if (const int err = injectedFault(FaultOp::Write)) return fail(err);
    const auto* at = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t done = offset < 0 ? ::write(fd_, at, n) : ::pwrite(fd_, at, n, offset);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return fail(done < 0 ? errno : EIO);
        at += done;
        n -= static_cast<std::size_t>(done);
        if (offset >= 0) offset += done;
    }
    return true;
}

bool OutputFile::copyFrom(const InputFile& in) {
    if (fd_ < 0 || error_ || !in.isOpen()) return fail(EBADF);
    // Where the system cannot copy within itself (another file system, an old system) it says
    // so before the first byte; the bytes then go through a buffer.
    loff_t from = 0;
    for (;;) {
        if (const int err = injectedFault(FaultOp::Write)) return fail(err);
        const ssize_t n = ::copy_file_range(in.fd_, &from, fd_, nullptr, kRangeBlock, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n > 0) continue;
        if (n == 0) return true;
        if (from != 0 ||
            (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP))
            return fail(errno);
        break;
    }
    std::vector<char> buf(kCopyBlock);
    for (std::uint64_t at = 0;;) {
        const long long got = in.readAt(buf.data(), buf.size(), at);
        if (got < 0) return fail(errno);
        if (got == 0) return true;
        if (!write(buf.data(), static_cast<std::size_t>(got))) return false;
        at += static_cast<std::uint64_t>(got);
    }
}

void OutputFile::startWriteBack(std::uint64_t from, std::uint64_t length) {
    if (fd_ < 0 || error_) return;
    ::sync_file_range(fd_, static_cast<off_t>(from), static_cast<off_t>(length),
                      SYNC_FILE_RANGE_WRITE);
}

bool OutputFile::setMode(unsigned mode) {
    if (fd_ < 0 || error_) return fail(EBADF);
    return ::fchmod(fd_, mode & 07777) == 0 || fail(errno);
}

bool OutputFile::setTimes(const FileTime& accessed, const FileTime& modified) {
    if (fd_ < 0 || error_) return fail(EBADF);
    const struct timespec times[2] = {{accessed.seconds, accessed.nanoseconds},
                                      {modified.seconds, modified.nanoseconds}};
    return ::futimens(fd_, times) == 0 || fail(errno);
}

bool OutputFile::sync() {
    if (fd_ < 0 || error_) return fail(EBADF);
    if (const int err = injectedFault(FaultOp::Fsync)) return fail(err);
    return ::fsync(fd_) == 0 || fail(errno);
}

bool OutputFile::close() {
    if (fd_ >= 0 && ::close(std::exchange(fd_, -1)) != 0) fail(errno);
    return error_ == 0;
}

OutputFileBuf::OutputFileBuf(OutputFile& file, std::size_t size)
    : file_(file), buf_(std::make_unique_for_overwrite<char[]>(size)), size_(size) {
    setp(buf_.get(), buf_.get() + size_);
}

bool OutputFileBuf::flushToFile() {
    const bool ok = file_.write(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buf_.get(), buf_.get() + size_);
    return ok;
}

OutputFileBuf::int_type OutputFileBuf::overflow(int_type c) {
    if (!flushToFile()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize OutputFileBuf::xsputn(const char* s, std::streamsize n) {
    const auto room = static_cast<std::streamsize>(epptr() - pptr());
    if (n <= room) {
        std::copy(s, s + n, pptr());
        pbump(static_cast<int>(n));
        return n;
    }
    // Larger than what is left: what is buffered goes first, then the text itself.
    if (!flushToFile()) return 0;
    if (n < static_cast<std::streamsize>(size_)) return xsputn(s, n);
    return file_.write(s, static_cast<std::size_t>(n)) ? n : 0;
}

} // namespace sarw
