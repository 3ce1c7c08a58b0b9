#include "start/Startup.h"

#include "archive/DataSaving.h"
#include "period/Period.h"
#include "platform/FileSystem.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "start/DataDiskWrite.h"

#include <cctype>
#include <cstdint>
#include <filesystem>

namespace sarw {

namespace {

constexpr const char* kLocalSystemTree[] = {
    "C:\\A_Run",          "C:\\A_Run\\Aplikace", "C:\\A_Run\\Archiv",    "C:\\A_Run\\DefSoub",
    "C:\\A_Run\\ExecR",   "C:\\A_Run\\Dokum",    "C:\\A_Run\\Uzivatele", "C:\\A_Run\\OtevSoub",
    "C:\\A_Run\\PristPr", "C:\\A_Run\\PomSoub",  kReportDir,            kWorkDir};

constexpr const char* kLocalApplicationTree[] = {"",          "\\Data",   "\\Cisel", "\\PomSoub",
                                                 "\\Sestavy", "\\Archiv", "\\Dokum"};

constexpr const char* kWorkTree[] = {
    "",        "\\Programy", "\\DefSoub", "\\PomSoub", "\\TbuSoub", "\\RidSoub", "\\Cisel",
    "\\Dokum", "\\Xml",      "\\Dbf",     "\\Csv",     "\\Prevody", "\\Archiv",  "\\Data"};

constexpr const char* kLocalApplicationRoot = "C:\\A_Run\\Aplikace\\LSarW";

constexpr const char* kLoginStatuses[] = {"Zenit",  "Sprav",  "Prohl", "AdmCis",
                                          "AdmDef", "Obraty", "Stavy"};

// Free bytes where the data disk lies; 0 when that cannot be measured.
std::uint64_t dataDiskFreeSpace(Session& s) {
    const std::string& disk = s.dataDisk;
    if (!disk.empty() && std::isalpha(static_cast<unsigned char>(disk[0])))
        return freeSpace(s, upperCaseChar(disk[0]));
    return freeSpaceAt(s.platform().native(disk.empty() ? "." : disk)).value_or(0);
}

} // namespace

void createLocalSystemTree(Session& s) {
    for (const char* dir : kLocalSystemTree) makePath(s, dir);
}

void createLocalTrees(Session& s) {
    // The system drive is always there on the machines the program was made for.
    std::error_code ec;
    std::filesystem::create_directories(s.platform().native("C:\\"), ec);
    createLocalSystemTree(s);
    for (const char* sub : kLocalApplicationTree)
        makePath(s, std::string(kLocalApplicationRoot) + sub);
}

void createTrees(Session& s) {
    createLocalTrees(s);
    for (const char* sub : kWorkTree) makePath(s, s.dataDisk + "\\LSarW" + sub);
}

void copyMissingLocalFiles(Session& s) {
    CopyFiles(s, "*.*", workDir(s, "PomSoub"), kLocalPomSoub, 2);
    CopyFiles(s, "*.*", workDir(s, "Dokum"), std::string(kLocalApplicationRoot) + "\\Dokum", 2);
}

void writeDiskMarker(Session& s) {
    // Only the separate table tool reads it; without it that tool asks for the disk itself.
    writeTextLines(s, kDiskMarkerFile, {s.dataDisk});
}

bool showStep(Session& s) {
    createTrees(s);
    copyMissingLocalFiles(s);
    writeDiskMarker(s);
    enterPath(s, s.dataDisk + "\\LSarW");
    if (!readInic(s)) return false;
    const std::string localObd = std::string(kLocalPomSoub) + "\\SarObd.Txt";
    const std::string diskObd = workDir(s, "PomSoub") + "\\SarObd.Txt";
    if (!fileExistsWarn(s, localObd) && fileExistsWarn(s, diskObd))
        FileCopy(s, diskObd, localObd, 0);
    s.period.suffix = "SarW";
    ReadPeriod(s);
    return true;
}

MainLabels mainLabels(const Session& s) {
    const StartupState& st = s.startup;
    return {"Ucetni obdobi: " + s.period.Period, "Podnik:     " + st.enterprise,
            "Sprava:     " + st.managementUnit, "Stredisko:  " + st.costCentre};
}

bool loginStatusAccepted(std::string_view status) {
    for (const char* accepted : kLoginStatuses)
        if (status == accepted) return true;
    return false;
}

void checkFreeSpace(Session& s) {
    if (dataDiskFreeSpace(s) >= kMinFreeBytes) return;
    warning(s, "Na disku \"" + upperCase(s.dataDisk) +
                   "\" je mene nez 500 MB volneho mista !\r\rProgram bude ukoncen.");
    throw ProgramHalt("too little free space on the data disk");
}

std::string startMessage(const Session& s) {
    return "Prihlasen:     " + s.login.user + "\r\rStatus:           " + s.login.status +
           "\r\rLokalni disk:  C:\rPracovni disk:  " + upperCase(s.dataDisk);
}

bool firstActivation(Session& s) {
    if (!s.startup.firstActivation) return true;
    if (!loginStatusAccepted(s.login.status)) {
        s.terminateRequested = true;
        return false;
    }
    s.startup.firstActivation = false;
    checkFreeSpace(s);
    {
        // The start-up archive writes, and the start clears what crashed writers left.
        const DataDiskWrite writer(s);
        if (writer.held()) startupArchive(s);
    }
    information(s, startMessage(s), "Aplikace spustena");
    enterPath(s, workDir(s, "Data"));
    return true;
}

bool endProgram(Session& s) {
    if (!question(s, "Ukoncit program ?", "SarW")) return false;
    emptyWorkDirs(s);
    deleteFile(s, kDiskMarkerFile);
    return true;
}

} // namespace sarw
