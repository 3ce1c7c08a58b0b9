#pragma once

#include <filesystem>
#include <string>

namespace sarw {

// The LSarW tree is assembled under this name beside its final place and renamed when whole; a
// folder of this name is what an installation broken off left, removed by the next one.
constexpr const char* kInstallAssembly = "LSarW.instalace";

class Session;

// A new data disk made from the installation data (share/install): the LSarW tree with its
// definition files, codebooks, initialisation and help texts, the finance program's customer and
// supplier codebooks under LOrbW, and on request the demo data set laid over it (demo/: the
// company's SarInic.TXT, materials, state and turnover files, and SarDos, the data of the
// former DOS version).

struct InstallResult {
    std::string dataDisk; // as the program takes it: "D:", "D:\ucto" or a native folder
    std::string period;   // the period the installation starts in, "YY MM"
    int files = 0;        // files written
};

// The data disk text normalised: "d", "d:", "d:\ucto\" give "D:", "D:", "D:\ucto"; a native
// folder loses its trailing slashes. Empty when the text names neither.
std::string installTarget(const std::string& dir);

// Installs into dir. Refuses (with a message, false) when dir already holds an LSarW tree or the
// installation data are incomplete. The LSarW tree is assembled beside its final place and
// renamed at the end, so an interrupted installation leaves no LSarW tree behind. Files of an
// existing LOrbW tree are kept. The year codebooks are copied to the year the installation
// starts in when it has none. With demo, the period file is set to the demo's period.
bool installDataDisk(Session& s, const std::string& dir, const std::filesystem::path& shareDir,
                     bool demo, InstallResult& result);

} // namespace sarw
