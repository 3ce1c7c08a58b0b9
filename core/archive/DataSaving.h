#pragma once

#include <string>
#include <vector>

namespace sarw {

class Session;

// "Ulozeni dat": the missing PomSoub files are copied to the local tree, then the current state
// and turnover tables get a new generation when they changed since their newest archived copy.
// Gives the generations written.
std::vector<std::string> saveData(Session& s);
// What "Ulozeni dat" tells the user afterwards: the generations written, or that the archive
// was already current.
std::string savedDataText(const std::vector<std::string>& written);
// The same at start-up, by the day: at most one generation per day and table.
std::vector<std::string> startupArchive(Session& s);
// "Obnova dat s poslednim ulozenym dokladem": the working copy of the turnover table, which holds
// the state after the last saved document, back over the current period's turnover table; then
// "Prekontrolujte data !". True when the table was replaced.
bool restoreLastDocument(Session& s);

} // namespace sarw
