#include "codebooks/CodebookMenu.h"

#include "access/Rights.h"
#include "period/PeriodFiles.h"
#include "shell/Session.h"
#include "shell/USarCON.h"

namespace sarw {

const std::vector<MenuCodebook>& menuCodebooks() {
    static const std::vector<MenuCodebook> all = {
        {"cinn", "Cinnosti", "Cinn", true, 1},
        {"konta", "Konta", "Konta", true, 1},
        {"matsk", "Materialove skupiny", "MatSk", true, 1},
        {"mj", "Merne jednotky", "MJ", false, 1},
        {"dp", "Druhy pohybu", "DP", false, 1},
        {"materialy", "Materialy", "Mater", false, 1},
        {"ucto", "Prevod do Ucetnictvi", "Ucto", true, 2},
    };
    return all;
}

const MenuCodebook* findMenuCodebook(std::string_view name) {
    for (const auto& c : menuCodebooks())
        if (name == c.name) return &c;
    return nullptr;
}

std::string menuCodebookFile(Session& s, const MenuCodebook& codebook) {
    return codebook.yearly ? yearCodebookName(s, codebook.kind) : codebookName(s, codebook.kind);
}

void prepareCodebookEditor(Session& s, const std::string& file, int keys) {
    s.cis.CisEditMode = codebookEditMode(s);
    s.cis.setFirstKeys(keys);
    s.cis.CisFileName = file;
}

} // namespace sarw
