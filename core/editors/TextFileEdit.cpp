#include "editors/TextFileEdit.h"

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

namespace sarw {

bool openTextFile(Session& s, const std::string& name, std::string& bytes) {
    bytes.clear();
    if (!fileExists(s, name)) return true;
    if (!readWholeFile(s.platform().native(name), bytes)) {
        warning(s, "Soubor nelze otevrit:\r\r     " + name);
        return false;
    }
    return true;
}

bool saveTextFile(Session& s, const std::string& name, const std::string& bytes, int delayMs) {
    // The new file takes the old one's permissions, read-only among them.
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

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from > text.size()) return std::string_view::npos;
    return upperCase(text).find(upperCase(needle), from);
}

void textNotFound(Session& s, const std::string& needle) {
    information(s, "Retezec nenalezen !", "Hledany retezec:  " + needle);
}

bool openInWordProcessor(Session& s, const std::string& document, bool warnMissing) {
    if (s.platform().openDocument(s.platform().native(document))) return true;
    (warnMissing ? warning : information)(s, "Aplikace Microsoft Word neni dostupna !", "");
    return false;
}

} // namespace sarw
