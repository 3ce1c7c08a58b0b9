#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The installation: its directory trees, its fixed file names, SarInic.TXT, the names of the
// period tables, and the steps of the start and the end of the program that are not drawing.
// Every name is a full Windows-form name under the session's data disk or drive C.

constexpr const char* kAccessFileName = "C:\\A_Run\\PristPr\\LSar.H";
constexpr const char* kDiskMarkerFile = "C:\\A_Run\\PomSoub\\TabuloDiskP.Def";
constexpr const char* kWorkingTurnoverCopy = "C:\\A_Run\\Aplikace\\LSarW\\Data\\SarO.Cds";
constexpr const char* kLocalPomSoub = "C:\\A_Run\\Aplikace\\LSarW\\PomSoub";
// Below this many free bytes on the data disk the program does not start.
constexpr unsigned long long kMinFreeBytes = 500000000ULL;

// --- SarInic.TXT ---------------------------------------------------------------------------------
std::string inicFileName(const Session& s);
// Fills enterprise, management unit, cost centre, company code and DOS data directory. A missing
// file is warned about and asks the application to end (Session::terminateRequested); false then.
bool readInic(Session& s);

// --- Names ---------------------------------------------------------------------------------------
// Period tables: the current period (ReadPeriod runs first) or a given one ("YY MM" or "YYMM").
// SarInic.TXT is read again for the company code every time.
std::string stateFileName(Session& s);
std::string stateFileName(Session& s, std::string_view period);
std::string turnoverFileName(Session& s);
std::string turnoverFileName(Session& s, std::string_view period);
std::string transferFileName(Session& s);
std::string transferFileName(Session& s, std::string_view period);
// Year codebooks MatSk, Ucto, Cinn, Konta of the current period's year or a given period's year.
// A missing one is copied from the previous year's; when that is missing too, or the copy is not
// there afterwards, the not-found warning and a halt.
std::string yearCodebookName(Session& s, std::string_view kind);
std::string yearCodebookName(Session& s, std::string_view kind, std::string_view period);
// Codebooks MJ, Mater, DP.
std::string codebookName(const Session& s, std::string_view kind);
std::string customerCodebookName(const Session& s);
std::string supplierCodebookName(const Session& s);
std::string accessFileName();
// Directories under the data disk: "Data" gives <disk>\LSarW\Data.
std::string workDir(const Session& s, std::string_view sub);

// --- Start and end -------------------------------------------------------------------------------
void createLocalSystemTree(Session& s);
// The local system tree, the local application tree and the work tree, in this order.
void createTrees(Session& s);
// PomSoub and Dokum files of the data disk that the local application tree lacks.
void copyMissingLocalFiles(Session& s);
void writeDiskMarker(Session& s);
// What the main window does each time it is shown, short of drawing: trees, copies, the disk
// marker, the current directory, SarInic.TXT, the local SarObd.Txt, ReadPeriod. False when
// SarInic.TXT is missing and the application is to end.
bool showStep(Session& s);

// The texts of the main window's labels.
struct MainLabels {
    std::string period, enterprise, managementUnit, costCentre;
};
MainLabels mainLabels(const Session& s);

// The statuses that may log in.
bool loginStatusAccepted(std::string_view status);
// Halts with the warning "Na disku ... je mene nez 500 MB volneho mista !" when the data disk's
// drive has less than 500000000 bytes free or cannot be measured.
void checkFreeSpace(Session& s);
// The message "Aplikace spustena": text only, the title is the caller's.
std::string startMessage(const Session& s);
// After the login of the first activation: refuses a status that may not log in (the application
// is to end, false), checks the free space, runs the start-up archive, shows the start message and
// makes <disk>\LSarW\Data current. Later calls do nothing and give true.
bool firstActivation(Session& s);
// The close request: "Ukoncit program ?"; on "Ano" the work directories are emptied and the disk
// marker deleted. True when the program is to end.
bool endProgram(Session& s);

} // namespace sarw
