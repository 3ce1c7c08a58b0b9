#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sarw {

class Session;

// Held by every command that writes user data, for as long as it writes: an exclusive lock on
// <data disk>\LSarW\SarW.lock keeps out a second writer, whether another run on this machine or
// the program on another machine sharing the data disk. Readers never take it. Within one
// session only the outermost guard locks, so writers may call writers.
// The outermost holder first removes what crashed writers left behind.
class DataDiskWrite {
public:
    // Waits up to the session's writeLockWaitMs for another writer; then warns, unless quiet.
    explicit DataDiskWrite(Session& s, bool quiet = false);
    ~DataDiskWrite();
    DataDiskWrite(const DataDiskWrite&) = delete;
    DataDiskWrite& operator=(const DataDiskWrite&) = delete;

    // False when another writer holds the data disk: nothing may be written.
    bool held() const { return held_; }

    static constexpr const char* kBusyTitle = "Zapis dat";
    static constexpr const char* kBusyText =
        "Data na disku prave zapisuje jiny program nebo jiny pocitac.\r\r"
        "Nic nebylo zmeneno. Opakujte akci za chvili.";

private:
    Session& s_;
    bool held_ = false;
};

// The lock file of the data disk.
std::string dataDiskLockFile(const Session& s);

// A file that a replacement interrupted by a crash left beside its target: the temporary name
// pattern of every replacement, a hidden ".NAME.~PID" file, or NAME followed by six digits when
// NAME itself lies beside it in the folder.
bool isCrashLeftover(std::string_view fileName, const std::filesystem::path& folder);

// Removes crash leftovers from the data disk's LSarW tree (the caller holds the data disk's
// lock) and those older than an hour from the local trees C:\A_Run (readers, which take no lock,
// write their work files there). Gives the number removed.
int removeCrashLeftovers(Session& s);

} // namespace sarw
