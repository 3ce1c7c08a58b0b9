#include "shell/USarCON.h"

#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/WinLSys.h"

#include <vector>

namespace sarw {

namespace {

std::string firstTwo(const std::string& text) {
    return text.substr(0, 2);
}

} // namespace

std::string inicFileName(const Session& s) {
    return workDir(s, "PomSoub") + "\\SarInic.TXT";
}

bool readInic(Session& s) {
    const std::string name = inicFileName(s);
    if (!fileExistsWarn(s, name)) {
        s.terminateRequested = true;
        return false;
    }
    std::vector<std::string> lines;
    readTextLines(s, name, lines, 4);
    lines.resize(4);
    StartupState& st = s.startup;
    st.enterprise = lines[0];
    st.managementUnit = lines[1];
    st.costCentre = lines[2];
    st.companyCode = firstTwo(lines[0]);
    st.dosDataDir = removeBlanks(lines[3]);
    return true;
}

std::string workDir(const Session& s, std::string_view sub) {
    return s.dataDisk + "\\LSarW\\" + std::string(sub);
}

std::string codebookName(const Session& s, std::string_view kind) {
    return workDir(s, "Cisel") + "\\" + std::string(kind) + ".Cds";
}

std::string customerCodebookName(const Session& s) {
    return s.dataDisk + "\\LOrbW\\Cisel\\Odber.Cds";
}

std::string supplierCodebookName(const Session& s) {
    return s.dataDisk + "\\LOrbW\\Cisel\\Dodav.Cds";
}

std::string accessFileName() {
    return kAccessFileName;
}

} // namespace sarw
