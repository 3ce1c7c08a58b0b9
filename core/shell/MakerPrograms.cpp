#include "shell/MakerPrograms.h"

#include "platform/DesktopOpen.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <vector>

namespace sarw {

bool startMakerProgram(Session& s, const std::string& program, bool withDisk, bool wait) {
    const std::string file = s.programsDir + "\\" + program;
    if (s.programsDir.empty() || !fileExists(s, file)) return false;
    std::vector<std::string> args;
    if (withDisk) args.push_back(s.dataDisk + "\\LSarW");
    startProgram(s, file, args, wait);
    return true;
}

bool openWithDesktop(Session& s, const std::string& file) {
    if (!fileExistsWarn(s, file)) return false;
    return openDocumentChecked(s.platform().native(file));
}

bool playMedia(Session& s, const std::string& file) {
    if (!fileExistsWarn(s, file)) return false;
    if (openDocumentChecked(s.platform().native(file))) return true;
    warning(s, "Soubor:\r\r\"" + file +
                   "\"\r\rnelze prehrat: v tomto pocitaci neni program, ktery by jej otevrel.");
    return false;
}

void pictureUnreadable(Session& s, const std::string& file) {
    warning(s, "Soubor:\r\r\"" + file + "\"\r\rnelze zobrazit jako obrazek.");
}

} // namespace sarw
