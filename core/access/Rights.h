#pragma once

#include <initializer_list>
#include <string_view>

namespace sarw {

class Session;

// True when the rights list holds "Zenit" or one of the given areas, each framed by "|".
bool hasRight(const Session& s, std::initializer_list<std::string_view> areas);
// hasRight; when false, the warning "Pro tuto oblast nemate opravneni !".
bool areaCheck(Session& s, std::initializer_list<std::string_view> areas);

// The main window's commands that are gated by the rights or the status.
enum class GatedCommand {
    DefinitionFile,      // "Inicializacni soubor" and the definition texts of documents, inventory
    InitialStates,       // "Pocatecni stavy"
    Turnovers,           // "Obraty" and its toolbar button
    MonthlyClosing,      // "Mesicni"
    RestoreFromArchive,  // "Obnova dat po havarii"
    RestoreLastDocument, // "Obnova dat s poslednim ulozenym dokladem"
    TransferToAccounts,  // "Ucetnictvi": status only, silent
    AccountingPeriod,    // "Ucetni obdobi" and its toolbar button: status only, silent
};
// Whether the command may run: an area check (with its warning) or a silent status comparison.
bool commandAllowed(Session& s, GatedCommand command);
// Codebooks open for editing ("A") after the area check "Sprav", "HCis", else for reading ("N").
char codebookEditMode(Session& s);
// The menu "Dos" is shown only to the status "Zenit".
bool dosMenuVisible(const Session& s);

} // namespace sarw
