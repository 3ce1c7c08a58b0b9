#include "start/DataDiskWrite.h"

#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace sarw {

namespace {

constexpr std::size_t kOldDigits = 6;
// A work file this old is no longer being written by a reader running beside us.
constexpr auto kLocalAge = std::chrono::hours(1);

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// ".NAME.~12345": the hidden temporaries of earlier versions.
bool isHiddenTemporary(std::string_view name) {
    const std::size_t mark = name.rfind(".~");
    return name.size() > 1 && name[0] == '.' && mark != std::string_view::npos && mark > 1 &&
           allDigits(name.substr(mark + 2));
}

// "260201SarS957383.Cds" beside "260201SarS.Cds": the temporaries of earlier versions.
bool isNumberedTemporary(std::string_view name, const fs::path& folder) {
    const std::size_t point = name.find('.');
    const std::string_view head = name.substr(0, point);
    if (head.size() <= kOldDigits || !allDigits(head.substr(head.size() - kOldDigits)))
        return false;
    std::string target(head.substr(0, head.size() - kOldDigits));
    if (point != std::string_view::npos) target += name.substr(point);
    std::error_code ec;
    return fs::is_regular_file(folder / target, ec);
}

int removeIn(const fs::path& root, bool onlyOld) {
    int removed = 0;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code fe;
        if (!it->is_regular_file(fe)) continue;
        const fs::path& file = it->path();
        if (!isCrashLeftover(file.filename().string(), file.parent_path())) continue;
        if (onlyOld && now - it->last_write_time(fe) < kLocalAge) continue;
        if (removeFile(file) == 0) ++removed;
    }
    return removed;
}

} // namespace

bool isCrashLeftover(std::string_view fileName, const fs::path& folder) {
    return isReplaceTemporary(fileName) || isHiddenTemporary(fileName) ||
           isNumberedTemporary(fileName, folder);
}

std::string dataDiskLockFile(const Session& s) { return s.dataDisk + "\\LSarW\\SarW.lock"; }

int removeCrashLeftovers(Session& s) {
    int removed = removeIn(s.platform().native("C:\\A_Run"), true);
    if (!s.dataDisk.empty()) removed += removeIn(s.platform().native(s.dataDisk + "\\LSarW"), false);
    return removed;
}

DataDiskWrite::DataDiskWrite(Session& s, bool quiet) : s_(s) {
    auto& w = s_.writers;
    if (w.depth == 0) {
        // Without a data disk, or on one whose file system keeps no locks, the writer goes on
        // alone as before.
        if (!s_.dataDisk.empty()) {
            auto lock = std::make_unique<DiskLock>(s_.platform().native(dataDiskLockFile(s_)),
                                                   std::chrono::milliseconds(s_.writeLockWaitMs));
            if (lock->state() == DiskLock::State::HeldElsewhere) {
                if (!quiet) warning(s_, kBusyText, kBusyTitle);
                return;
            }
            w.lock = std::move(lock);
        }
        removeCrashLeftovers(s_);
    }
    ++w.depth;
    held_ = true;
}

DataDiskWrite::~DataDiskWrite() {
    if (!held_) return;
    if (--s_.writers.depth == 0) s_.writers.lock.reset();
}

} // namespace sarw
