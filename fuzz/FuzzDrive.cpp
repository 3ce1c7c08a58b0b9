#include "FuzzDrive.h"

#include "platform/ProgramHalt.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sarw::fuzz {

FuzzDrive& FuzzDrive::get() {
    static FuzzDrive drive;
    return drive;
}

namespace {

// A memory file system where there is one: every input writes files and waits for the disk.
fs::path scratchFolder() {
    std::error_code ec;
    return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

} // namespace

FuzzDrive::FuzzDrive() : root_(scratchFolder() / ("sarw-fuzz-" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    makeDrives();
    // Code that asks the environment finds the same root.
    ::setenv("SARW_DRIVES", root_.c_str(), 1);
    dialogs.defaultAnswer = Dialogs::Answer::No;
}

FuzzDrive::~FuzzDrive() {
    session_.reset();
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void FuzzDrive::makeDrives() const {
    fs::create_directories(root_ / "C");
    fs::create_directories(root_ / "D");
}

Session& FuzzDrive::fresh() {
    session_.reset();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root_, ec)) {
        // A reader may leave a file read-only; the next input must still start clean.
        for (auto it = fs::recursive_directory_iterator(entry.path(), ec);
             !ec && it != fs::end(it); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(entry.path(), ec);
    }
    makeDrives();
    return keep();
}

Session& FuzzDrive::keep() {
    session_.reset();
    dialogs.clear();
    dialogs.answers.clear();
    session_ = std::make_unique<Session>(dialogs, Platform(root_));
    session_->retryDelayMs = 0;
    session_->platform().setFixedDate(DateTime{2026, 2, 11});
    return *session_;
}

Session& FuzzDrive::freshFiles(std::string_view input, const std::vector<std::string>& names) {
    Session& s = fresh();
    const auto parts = splitInput(input, names.size());
    for (std::size_t i = 0; i < names.size(); ++i) put(names[i], parts[i]);
    return s;
}

Session& FuzzDrive::importSession(std::string_view input, const std::string& source) {
    Session& s = freshFiles(input, {"C:\\F\\In.Def", source});
    s.cds.DefFile = "C:\\F\\In.Def";
    s.cds.SourceFile = source;
    s.cds.TableFile = "C:\\F\\In.Cds";
    return s;
}

fs::path FuzzDrive::native(const std::string& winName) const {
    return Platform(root_).native(winName);
}

void FuzzDrive::put(const std::string& winName, std::string_view bytes) const {
    const fs::path p = native(winName);
    fs::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FuzzDrive::removeFolder(const std::string& winName) const {
    std::error_code ec;
    fs::remove_all(native(winName), ec);
}

std::vector<std::string_view> splitInput(std::string_view data, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t at = data.find(kPartSeparator);
        if (at == std::string_view::npos) break;
        parts.push_back(data.substr(0, at));
        data.remove_prefix(at + kPartSeparator.size());
    }
    parts.push_back(data);
    parts.resize(count);
    return parts;
}

void readUntilHalt(void (*read)(std::string_view), const std::uint8_t* data, std::size_t size) {
    try {
        read(bytesOf(data, size));
    } catch (const ProgramHalt&) {
    }
}

} // namespace sarw::fuzz
