#include "access/AccessMaintenance.h"

#include "access/Login.h"
#include "platform/Cp1250.h"
#include "platform/Platform.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace sarw {

namespace {

constexpr const char* kAccessDir = "C:\\A_Run\\PristPr";

bool isMarkerName(const std::string& name) {
    const std::string upper = fileNameUpper(name);
    return upper.size() >= 6 && upper.compare(0, 4, "LSAR") == 0 &&
           upper.compare(upper.size() - 2, 2, ".J") == 0;
}

} // namespace

bool maintenanceAllowed(Session& s) {
    checkLogin(s);
    if (s.login.status == "Zenit") return true;
    s.dialogs().error("Pro tuto akci nemate opravneni !\r\rProgram bude ukoncen.", "");
    return false;
}

bool deleteAccessSystem(Session& s) {
    if (!question(s, "Skutecne chceme zrusit soustavu vygenerovanych pristupu ?\r\rProgram bude "
                     "ukoncen."))
        return false;
    deleteFile(s, kAccessFileName);
    if (!fileExists(s, kAccessFileName)) return true;
    s.dialogs().error("Operaci se nepodarilo provest !", "");
    return false;
}

std::vector<std::string> accessMarkerNames(Session& s) {
    enterPath(s, kAccessDir);
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(s.platform().native(kAccessDir), ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const std::string name = utf8ToCp1250(entry.path().filename().string());
        if (isMarkerName(name)) names.push_back(name.substr(0, name.size() - 2));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool deleteAccessMarker(Session& s, const std::string& name) {
    const std::string file = std::string(kAccessDir) + "\\" + name + ".J";
    if (deleteFile(s, file) == 0 || !fileExists(s, file)) return true;
    s.dialogs().error("Operaci se nepodarilo provest !\r\rProgram bude ukoncen.", "");
    return false;
}

std::string userMarkerFile(const Session& s) {
    return "C:\\A_Run\\Uzivatele\\LSar_" + s.login.user + ".J";
}

void deleteUserMarker(Session& s) {
    // A name that holds a directory separator would name a file elsewhere.
    const std::string& user = s.login.user;
    if (user.empty() || user.find_first_of("\\/:") != std::string::npos) return;
    deleteFile(s, userMarkerFile(s));
}

} // namespace sarw
