#pragma once

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The steps of the start and the end of the program that are not drawing: the directory trees,
// the local copies, the labels of the main window, the first activation and the close request.

// Below this many free bytes on the data disk the program does not start.
constexpr unsigned long long kMinFreeBytes = 500000000ULL;

void createLocalSystemTree(Session& s);
// The local system tree and the local application tree: what needs no data disk.
void createLocalTrees(Session& s);
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
