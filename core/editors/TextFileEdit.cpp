#include "editors/TextFileEdit.h"

#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace sarw {

bool openTextFile(Session& s, const std::string& name, std::string& bytes) {
    bytes.clear();
    const fs::path file = s.platform().native(name);
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        OutputFile f;
        if (const int err = f.create(file)) {
            information(s, "Novy soubor nelze vytvorit ! -Chyba:" + intToTextZero(windowsError(err), 6),
                        name);
            return false;
        }
    }
    Platform::setPlainAttributes(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        warning(s, "Soubor nelze otevrit:\r\r     " + name);
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    bytes = ss.str();
    return true;
}

bool saveTextFile(Session& s, const std::string& name, const std::string& bytes, int delayMs) {
    // The new file keeps the old one's permissions, read-only among them.
    if (replaceFile(s.platform().native(name), bytes, Durability::Durable) != 0) {
        warning(s, "Soubor nelze ulozit:\r\r     " + name);
        return false;
    }
    s.dialogs().infoShow("Informace", name, "Soubor byl ulozen.");
    s.dialogs().infoClose(delayMs);
    return true;
}

std::string textChangedQuestion(const std::string& name) {
    return name + "\r\rSoubor byl zmenen. Ma byt ulozen ?";
}

} // namespace sarw
