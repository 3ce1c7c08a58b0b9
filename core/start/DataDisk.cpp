#include "start/DataDisk.h"

#include "platform/ProgramHalt.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace sarw {

namespace {

[[noreturn]] void haltNoDisk() {
    throw ProgramHalt("data disk not found");
}

void haltUnless(bool ok) {
    if (!ok) haltNoDisk();
}

[[noreturn]] void warnDirAndHalt(Session& s, const std::string& dir) {
    std::string shown = dir;
    shown[0] = upperCaseChar(shown[0]);
    warning(s, "Adresar:\r\r\"" + shown + "\"\r\r     - nebyl nalezen !");
    haltNoDisk();
}

std::string drive(char letter) {
    return std::string(1, letter) + ":";
}

// The data disk is kept without a trailing backslash: names are built as disk + "\LSarW\...".
std::string withoutTrailingBackslash(std::string disk, size_t keep) {
    while (disk.size() > keep && (disk.back() == '\\' || disk.back() == '/')) disk.pop_back();
    return disk;
}

} // namespace

std::string resolveDataDisk(Session& s, const std::string& parameter) {
    const std::string& p = parameter;
    if (p.empty()) {
        information(s, "Nedostatecny pocet parametru", "SarW");
        haltNoDisk();
    }
    if (upperCase(p) == "STD") {
        for (char d = 'C'; d <= 'Z'; ++d)
            if (driveUsable(s, d) && dirExists(s, drive(d) + "\\#_Devel_Probe_Disk"))
                return drive(d);
        warning(s, "Disk s daty pro ladeni programu nebyl nalezen !\r\rProgram bude ukoncen.");
        haltNoDisk();
    }
    if (p[0] == '/') {
        // A folder of this system named directly.
        std::error_code ec;
        if (!fs::is_directory(s.platform().native(p), ec)) warnDirAndHalt(s, p);
        return withoutTrailingBackslash(p, 1);
    }
    if (p.size() == 1) {
        haltUnless(driveUsableWarn(s, p[0]));
        return p + ":";
    }
    if (p[1] == ':') {
        haltUnless(driveUsableWarn(s, p[0]));
        haltUnless(dirExistsWarn(s, p));
        return withoutTrailingBackslash(drive(upperCaseChar(p[0])) + p.substr(2, 100), 2);
    }
    // A directory without a drive: the first drive that holds it.
    for (char d = 'C'; d <= 'Z'; ++d) {
        const std::string candidate = drive(d) + p;
        if (driveUsable(s, d) && dirExists(s, candidate))
            return withoutTrailingBackslash(candidate, 2);
    }
    // Going on with no data disk would put the work tree under whatever directory is current.
    warnDirAndHalt(s, p);
}

} // namespace sarw
