// The DOS version's files from anywhere, imported into an installed data disk: "STATES <sep>
// TURNOVERS <sep> DP <sep> MS <sep> MATERIALS". Each of the three commands ends.
#include "FuzzDrive.h"
#include "start/Install.h"
#include "start/Startup.h"
#include "stock/USarDos.h"

using namespace sarw;

namespace {

constexpr const char* kDosDir = "C:\\SARDOS";

Session& installedDisk(fuzz::FuzzDrive& drive) {
    static bool installed = false;
    Session& s = drive.keep();
    s.dataDisk = "D:";
    s.programsDir = "D:\\LSarW\\Programy";
    if (!installed) {
        InstallResult result;
        if (!installDataDisk(s, "D:", SARW_INSTALL_DIR, false, result)) __builtin_trap();
        createTrees(s);
        installed = true;
    }
    return s;
}

void readInput(std::string_view bytes) {
    fuzz::FuzzDrive& drive = fuzz::FuzzDrive::get();
    Session& s = installedDisk(drive);
    const auto parts = fuzz::splitInput(bytes, 5);
    drive.removeFolder(kDosDir);
    drive.put(std::string(kDosDir) + "\\SarS2511.Dat", parts[0]);
    drive.put(std::string(kDosDir) + "\\Sar2512.Dat", parts[1]);
    drive.put(std::string(kDosDir) + "\\PomSoub\\DP.Dat", parts[2]);
    drive.put(std::string(kDosDir) + "\\PomSoub\\Ms.Dat", parts[3]);
    drive.put(std::string(kDosDir) + "\\PomSoub\\Mater.Dat", parts[4]);
    switch (fuzz::variantOf(bytes, 3)) {
    case 0:
        KonvStavy(s);
        break;
    case 1:
        KonvObraty(s);
        break;
    default:
        KonvCis(s);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::readUntilHalt(readInput, data, size);
    return 0;
}
