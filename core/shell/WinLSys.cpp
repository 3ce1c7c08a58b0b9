#include "shell/WinLSys.h"

#include "platform/FileReplace.h"
#include "platform/FileWrite.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace sarw {

namespace {

// The name with its first letter upper-cased, as the not-found warnings show it.
std::string firstUpper(const std::string& name) {
    std::string n = name;
    if (!n.empty()) n[0] = upperCaseChar(n[0]);
    return n;
}

// Opens the file for reading; 0 when that worked or the file or its path does not exist,
// otherwise the Windows error code.
int tryOpen(const fs::path& p) {
    InputFile in;
    if (const int err = in.open(p)) {
        int code = windowsError(err);
        return code == 2 || code == 3 ? 0 : code;
    }
    return in.info().directory ? 5 : 0;
}

// Creates a temporary beside the file, as its replacement will; 0 when created (and deleted
// again) or the path does not exist. The file itself is left as it is.
int tryCreate(const fs::path& p) {
    OutputFile out;
    const fs::path probe = p.parent_path() / replaceTemporaryName(p.filename().string());
    if (const int err = out.create(probe, true, 0644)) {
        int code = windowsError(err);
        return code == 2 || code == 3 ? 0 : code;
    }
    out.close();
    removeFile(probe);
    return 0;
}

// Up to 100 silent attempts, then the user decides after every further failure.
bool retryOrAsk(Session& s, const std::string& name, int (*attempt)(const fs::path&),
                const char* cannot, const char* again) {
    const fs::path p = s.platform().native(name);
    int code = 0;
    for (int i = 0; i < 100; ++i) {
        code = attempt(p);
        if (code == 0) return true;
        s.pause();
    }
    for (;;) {
        std::string text = "Chyba:" + intToTextZero(code, 5) + "\r\r" + cannot + "\r     " + name +
                           "\r\r" + again;
        if (!question(s, text)) return false;
        code = attempt(p);
        if (code == 0) return true;
    }
}

} // namespace

bool question(Session& s, const std::string& text, const std::string& title) {
    bool yes = s.dialogs().question(text, title);
    s.dialogs().processEvents();
    return yes;
}

bool questionHalt(Session& s, const std::string& text) {
    auto a = s.dialogs().questionHalt(text, "Ano=True, Ne=False, Storno=Halt");
    s.dialogs().processEvents();
    if (a == Dialogs::Answer::Cancel) throw ProgramHalt("halt chosen by the user");
    return a == Dialogs::Answer::Yes;
}

void information(Session& s, const std::string& text, const std::string& title) {
    s.dialogs().information(text, title);
    s.dialogs().processEvents();
}

void warning(Session& s, const std::string& text, const std::string& title) {
    s.dialogs().warning(text, title);
    s.dialogs().processEvents();
}

void warnNotSaved(Session& s, const std::string& name) {
    warning(s, "Soubor se nepodarilo ulozit:\r\r" + name);
}

void warnNotSaved(Session& s, const std::string& name, const std::string& error) {
    warning(s, "Soubor se nepodarilo ulozit:\r\r" + name + "\r\r" + error);
}

void fatalCode(Session& s, int code, const std::string& text) {
    if (code == 0) return;
    s.dialogs().error(text, "Chyba: " + intToTextZero(code, 6) + "   - Program bude ukoncen");
    throw ProgramHalt("fatal error code");
}

bool fileExists(Session& s, const std::string& name) {
    if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
    std::error_code ec;
    return fs::is_regular_file(s.platform().native(name), ec);
}

bool fileExistsWarn(Session& s, const std::string& name) {
    bool ok = name.find('*') == std::string::npos && fileExists(s, name);
    if (!ok)
        warning(s, "Soubor:\r\r\"" + firstUpper(name) + "\"\r\r     - nebyl nalezen !");
    return ok;
}

bool dirExists(Session& s, const std::string& name) {
    if (name.size() < 2) return false;
    if (name[1] == ':' && !driveUsable(s, name[0])) return false;
    std::error_code ec;
    return fs::is_directory(s.platform().native(name), ec);
}

bool dirExistsWarn(Session& s, const std::string& name) {
    bool ok = dirExists(s, name);
    if (!ok && name.size() >= 2)
        warning(s, "Adresar:\r\r\"" + firstUpper(name) + "\"\r\r     - nebyl nalezen !");
    return ok;
}

bool driveUsable(Session& s, char letter) { return s.platform().driveUsable(letter); }

bool driveUsableWarn(Session& s, char letter) {
    bool ok = driveUsable(s, letter);
    if (!ok)
        warning(s, "Disk:  \"" + std::string(1, upperCaseChar(letter)) +
                       "\"\r\r     - nebyl nalezen !");
    return ok;
}

int deleteFile(Session& s, const std::string& name) {
    return windowsError(removeFile(s.platform().native(name)));
}

bool canCreate(Session& s, const std::string& name) {
    return retryOrAsk(s, name, tryCreate, "Program nemuze zalozit Soubor: ",
                      "Chceme opakovat pokus o zalozeni Souboru ?");
}

bool canOpen(Session& s, const std::string& name) {
    return retryOrAsk(s, name, tryOpen, "Program nemuze otevrit Soubor: ",
                      "Chceme opakovat pokus o otevreni Souboru ?");
}

std::string fileNamePart(std::string_view name) {
    size_t slash = name.find_last_of("\\/:");
    std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return std::string(base.substr(0, base.find('.')));
}

} // namespace sarw
