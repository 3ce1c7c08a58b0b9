#pragma once

#include <string>

namespace sarw {

class Session;

// Restore of the current period's turnover file or opening state file from an archived
// generation ("Obnova dat po havarii"). The window `TSarObn` lets the user pick the file in
// the archive directory with the mask, then calls restoreFromArchive.

struct RestoreChoice {
    std::string mask;   // archived generations that fit the target, e.g. "170501SarO_*.Cds"
    std::string filter; // "Archivni soubory (" + mask + ")|" + mask
    std::string target; // the file to replace
    std::string def;    // its definition, for the table tool
};

// The archive directory under the data disk.
std::string restoreArchiveDir(const Session& s);
// "  Mesicni obraty" and "  Pocatecni mesicni stavy"; the period and SarInic.TXT are read again.
RestoreChoice restoreTurnoverChoice(Session& s);
RestoreChoice restoreStateChoice(Session& s);

// For the chosen archived file: the table tool shows it, the user is asked "Chcete soubor ...
// obnovit ?", and on "Ano" the target is replaced by a copy of it with its time stamp. The old
// target stays until the copy is complete. A chosen file that does not read as a table is refused
// before anything is shown. True when the target was replaced.
bool restoreFromArchive(Session& s, const std::string& chosen, const RestoreChoice& choice,
                        bool showFirst = true);

} // namespace sarw
