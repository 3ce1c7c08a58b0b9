#include "shell/WinLSys.h"

#include "platform/Cp1250.h"
#include "platform/ProgramHalt.h"
#include "shell/HelpViewer.h"
#include "shell/LSysCopy.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WorkFiles.h"

#include <vector>

namespace sarw {

namespace {

constexpr int kCannotStart = 99999;

// Internal texts are Windows-1250; the started program gets them in the system's encoding.
std::vector<std::string> nativeArguments(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const auto& a : args) out.push_back(cp1250ToUtf8(a));
    return out;
}

bool writeControlFile(Session& s, const std::string& defFile, const std::string& appName,
                      const std::string& title) {
    const std::string lines[] = {kTabuloDataFile, defFile, appName, title, "Zobrazeni"};
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    if (replaceWholeFile(s, kTabuloControlFile, text) == 0) return true;
    warning(s, std::string("Nepodarilo se zapsat soubor:\r\r") + kTabuloControlFile);
    return false;
}

} // namespace

int startProgram(Session& s, const std::string& program, const std::vector<std::string>& args,
                 bool wait) {
    s.dialogs().processEvents();
    if (!fileExistsWarn(s, program)) return 0;
    std::string commandLine = program + " ";
    for (size_t i = 0; i < args.size(); ++i) commandLine += (i ? " " : "") + args[i];
    int result = kCannotStart;
    try {
        auto code =
            s.platform().startProgram(s.platform().native(program), nativeArguments(args), wait);
        if (code)
            result = *code;
        else
            warning(s, "App: " + program + "\r\rPar: " + commandLine +
                           "\r\rDoslo k chybe: " + intToTextZero(kCannotStart, 10));
    } catch (const ProgramHalt&) {
        throw;
    } catch (const std::exception&) {
        warning(s, "App: " + program + "\r\rPar: " + commandLine +
                       "\r\rDoslo k vyjimce pri provadeni programu.");
    }
    s.dialogs().processEvents();
    return result;
}

bool openDocument(Session& s, const std::string& name) {
    if (!fileExistsWarn(s, name)) return false;
    return s.platform().openDocument(s.platform().native(name));
}

bool showTableInTool(Session& s, const std::string& tableFile, const std::string& defFile,
                     const std::string& appName, const std::string& title) {
    if (FileCopy(s, tableFile, kTabuloDataFile, 0) != kCopyOk) return false;
    if (!writeControlFile(s, defFile, appName, title)) return false;
    // Without the table tool the caller shows the table in its own window; no warning here.
    if (!tableToolExists(s)) return false;
    return startProgram(s, s.programsDir + "\\Tabulo.Exe", {kTabuloControlFile}, false) !=
           kCannotStart;
}

bool tableToolExists(Session& s) {
    return !s.programsDir.empty() && fileExists(s, s.programsDir + "\\Tabulo.Exe");
}

bool showHelpText(Session& s, const std::string& name) {
    const std::string file = s.dataDisk + "\\LSarW\\Dokum\\" + name + ".Rtf";
    if (!fileExistsWarn(s, file)) return false;
    if (!s.helpViewer) {
        information(s, file, "   Zobrazeni/Editace textoveho souboru (Rtf/Txt)");
        return true;
    }
    if (s.helpViewer->show(file) == HelpViewer::Result::Shown) return true;
    information(s, "Uzavrete predeslou napovedu, a akci opakujte.", "Napovedu nelze otevrit !");
    return false;
}

} // namespace sarw
