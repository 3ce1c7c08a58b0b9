#include "editors/TextFileEdit.h"

#include "platform/Platform.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace sarw {

namespace {

bool writeAll(const fs::path& file, const std::string& bytes) {
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    return static_cast<bool>(f);
}

} // namespace

bool openTextFile(Session& s, const std::string& name, std::string& bytes) {
    bytes.clear();
    const fs::path file = s.platform().native(name);
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (!f) {
            information(s, "Novy soubor nelze vytvorit ! -Chyba:" + intToTextZero(windowsError(errno), 6),
                        name);
            return false;
        }
        std::fclose(f);
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
    const fs::path file = s.platform().native(name);
    std::error_code ec;
    const bool readOnly = fs::exists(file, ec) && Platform::isReadOnly(file);
    const fs::path temp = file.parent_path() / (file.filename().string() + ".sarw-tmp");
    const bool written = writeAll(temp, bytes);
    if (written) {
        Platform::setPlainAttributes(file);
        fs::rename(temp, file, ec);
    }
    if (!written || ec) {
        fs::remove(temp, ec);
        warning(s, "Soubor nelze ulozit:\r\r     " + name);
        return false;
    }
    if (readOnly) Platform::setReadOnly(file, true);
    s.dialogs().infoShow("Informace", name, "Soubor byl ulozen.");
    s.dialogs().infoClose(delayMs);
    return true;
}

std::string textChangedQuestion(const std::string& name) {
    return name + "\r\rSoubor byl zmenen. Ma byt ulozen ?";
}

} // namespace sarw
