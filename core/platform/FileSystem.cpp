#include "platform/FileSystem.h"

#include "platform/FaultInjection.h"
#include "platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sarw {

namespace {

FileInfo infoOf(const struct stat& st) {
    FileInfo info;
    info.exists = true;
    info.regular = S_ISREG(st.st_mode);
    info.directory = S_ISDIR(st.st_mode);
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.mode = st.st_mode & 07777;
    info.accessed = {st.st_atim.tv_sec, st.st_atim.tv_nsec};
    info.modified = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    return info;
}

} // namespace

FileInfo fileInfo(const std::filesystem::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? infoOf(st) : FileInfo{};
}

FileInfo fileInfo(int descriptor) {
    struct stat st {};
    return ::fstat(descriptor, &st) == 0 ? infoOf(st) : FileInfo{};
}

int removeFile(const std::filesystem::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        Platform::setPlainAttributes(file);
    return ::unlink(file.c_str()) == 0 ? 0 : errno;
}

int renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (const int err = injectedFault(FaultOp::Rename)) return err;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int syncDirectory(const std::filesystem::path& dir) {
    if (const int err = injectedFault(FaultOp::Fsync)) return err;
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    if (err == EINVAL || err == ENOTSUP) err = 0;
    ::close(fd);
    return err;
}

std::optional<std::uint64_t> freeSpaceAt(const std::filesystem::path& path) {
    if (injectedFault(FaultOp::Space)) return std::nullopt;
    std::error_code ec;
    const auto info = std::filesystem::space(path, ec);
    if (ec) return std::nullopt;
    return info.available;
}

} // namespace sarw
