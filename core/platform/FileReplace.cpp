#include "platform/FileReplace.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <random>

namespace sarw {

namespace {

constexpr unsigned kDigits = 5;
constexpr unsigned kNumbers = 100000;
constexpr int kNameAttempts = 100;

unsigned randomNumber() {
    // Names need not be hard to guess, only seldom the same: a small generator is enough.
    static thread_local std::minstd_rand rng{std::random_device{}()};
    return std::uniform_int_distribution<unsigned>(0, kNumbers - 1)(rng);
}

} // namespace

std::string replaceTemporaryName(std::string_view targetName) {
    const std::size_t lastPoint = targetName.rfind('.');
    std::string digits = std::to_string(randomNumber());
    digits.insert(0, kDigits - digits.size(), '0');
    std::string name(targetName.substr(0, targetName.find('.')));
    name += '~';
    name += digits;
    if (lastPoint != std::string_view::npos) name += targetName.substr(lastPoint);
    return name;
}

bool isReplaceTemporary(std::string_view fileName) {
    const std::size_t point = fileName.find('.');
    if (point != std::string_view::npos && fileName.find('.', point + 1) != std::string_view::npos)
        return false;
    const std::string_view head = fileName.substr(0, point);
    if (head.size() <= kDigits || head[head.size() - kDigits - 1] != '~') return false;
    for (char c : head.substr(head.size() - kDigits))
        if (c < '0' || c > '9') return false;
    return true;
}

int FileReplacement::open(const std::filesystem::path& target, Durability durability,
                          std::optional<unsigned> mode) {
    const std::string name = target.filename().string();
    int err = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && err == EEXIST; ++attempt)
        err = openAs(target, target.parent_path() / replaceTemporaryName(name), durability, mode);
    return err;
}

int FileReplacement::openAs(const std::filesystem::path& target,
                            const std::filesystem::path& temporary, Durability durability,
                            std::optional<unsigned> mode) {
    abandon();
    target_ = target;
    temporary_ = temporary;
    durability_ = durability;
    if (!mode) {
        const FileInfo old = fileInfo(target);
        if (old.exists) mode = old.mode;
    }
    if (const int err = file_.create(temporary, true, mode.value_or(0666))) return err;
    pending_ = true;
    // Exactly these bits, whatever the umask took away.
    if (mode && !file_.setMode(*mode)) {
        const int err = file_.error();
        abandon();
        return err;
    }
    return 0;
}

int FileReplacement::finish() {
    if (!pending_) return file_.error() ? file_.error() : EBADF;
    if (!file_.isOpen()) return 0;
    if (durability_ == Durability::Durable) file_.sync();
    if (file_.close()) return 0;
    abandon();
    return file_.error();
}

int FileReplacement::commit() {
    if (const int err = finish()) return err;
    if (durability_ == Durability::WorkFile) removeFile(target_);
    if (const int err = renameFile(temporary_, target_)) return err;
    pending_ = false;
    return durability_ == Durability::Durable ? syncDirectory(target_.parent_path()) : 0;
}

void FileReplacement::abandon() {
    file_.close();
    if (pending_) removeFile(temporary_);
    pending_ = false;
}

int replaceFile(const std::filesystem::path& target, std::string_view bytes,
                Durability durability) {
    FileReplacement replacement;
    if (const int err = replacement.open(target, durability)) return err;
    replacement.write(bytes);
    return replacement.commit();
}

} // namespace sarw
