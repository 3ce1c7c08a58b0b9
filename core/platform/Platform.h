#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// Calendar date and time of day as the program sees them.
struct DateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// The one place that touches the operating system. Paths inside the program are Windows-form
// texts in Windows-1250 ("C:\A_Run\Work\X.Cds"); native() maps them to this machine's files:
// drive X is the folder <drives root>/X, and each component is found case-insensitively when the
// exact name does not exist, so installations copied from Windows work.
class Platform {
public:
    explicit Platform(std::filesystem::path drivesRoot);
    // SARW_DRIVES (default ~/.sarw), SARW_TODAY=DD.MM.YYYY and SARW_NOW=HH:MM:SS.
    static Platform fromEnvironment();

    const std::filesystem::path& drivesRoot() const { return drivesRoot_; }

    // Native path of a Windows-form name. A name starting with '/' is native already; a name
    // without a drive is taken relative to the current directory.
    std::filesystem::path native(std::string_view winPath) const;
    // The program's name of a native file (a file chosen in a file dialog): "X:\dir\name" when it
    // lies in a drive folder, the native path itself otherwise.
    std::string programName(const std::filesystem::path& nativeFile) const;
    // The folder of drive letter X, whether it exists or not.
    std::filesystem::path driveFolder(char letter) const;

    // The program's current directory (Windows form); starts as "C:\".
    const std::string& currentDir() const { return currentDir_; }
    void setCurrentDir(std::string dir) { currentDir_ = std::move(dir); }

    // Clock; fixed values replace the system's date and time everywhere (tests, SARW_TODAY/NOW).
    DateTime now() const;
    void setFixedDate(std::optional<DateTime> date) { fixedDate_ = date; }
    void setFixedTime(std::optional<DateTime> time) { fixedTime_ = time; }

    // A drive is usable when its folder exists.
    bool driveUsable(char letter) const;
    // Free bytes of the drive's file system; nullopt when it cannot be measured.
    std::optional<std::uint64_t> freeSpace(char letter) const;

    // Attributes in the Windows sense on a native file.
    static bool isReadOnly(const std::filesystem::path& p);
    static void setReadOnly(const std::filesystem::path& p, bool readOnly);
    // Read-only clears the owner's write bit; archive (plain) restores it.
    static void setPlainAttributes(const std::filesystem::path& p);

    // Starts a program; returns its exit code when wait is set. nullopt when it cannot start.
    std::optional<int> startProgram(const std::filesystem::path& program,
                                    const std::vector<std::string>& args, bool wait) const;
    // Opens a document with the desktop's default program; false when none could be started.
    bool openDocument(const std::filesystem::path& file) const;

private:
    std::filesystem::path drivesRoot_;
    std::string currentDir_ = "C:\\";
    std::optional<DateTime> fixedDate_;
    std::optional<DateTime> fixedTime_;
};

// The Windows error code closest to an errno value (2 file not found, 3 path not found,
// 5 access denied, 32 sharing violation ...), as the program's messages show them.
int windowsError(int errnoValue);

// Upper-cases ASCII and the accented letters of Windows-1250; used to compare file names the
// way a Windows file system does.
std::string fileNameUpper(std::string_view cp1250Text);

} // namespace sarw
