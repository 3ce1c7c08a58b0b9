#pragma once

#include <string>
#include <vector>

namespace sarw {

class CdsTable;
class Session;

// The codebook services the document form uses through the codebook parameters (Session::cis):
// which column has which codebook, whether a typed value is in it, and the key search.

// The name a definition gives a column whose codebook is chosen at run time.
constexpr const char* kOptionalCodebook = "CdsCisVolitelny";
constexpr const char* kNoOptionalCodebook = "Nebyl zadan volitelny ciselnik";
constexpr const char* kValueNotFound = "-Udaj nebyl nalezen !";

// Rebuilds CisColumnMap from the current definition: every field that names a codebook, with
// its field number and the name trimmed ("x:\A_Run..." goes to drive C).
void GCisel(Session& s);
// The codebook of a column of the document (part 1 header, 2 items; column 1-based within the
// part); empty when the column has none.
std::string columnCodebook(const Session& s, int part, int column);
bool isOptionalCodebook(const std::string& file);

// The core of the pick list: false when there is nothing to show (no codebook, or the optional
// one after its information; CisChosen is then N); otherwise CisFileName names the codebook
// the window is to show.
bool VCiselTarget(Session& s, int part, int column);
// Value check of a column: CisHasCodebook, and TestEx on its codebook.
void KCisel(Session& s, int part, int column);
// Looks up the key values CisValues[c - 1] of the key columns in CisFileName. Found: CisValues
// holds the row, CisChosen A; otherwise CisValues is cleared and CisChosen N.
void TestEx(Session& s);
// Positions the open table on the search text cut into the key columns' parts (trimmed); warns
// and gives false when no row holds that key exactly.
bool NajdiVCis(Session& s, CdsTable& table, const std::string& searchText);

// The parts of a typed key: the first field size's characters for the first key column, the
// next for the second ... while text remains (the window's search while typing digits).
std::vector<std::string> keyParts(const CdsTable& table, const std::vector<int>& keyColumns,
                                  const std::string& text);
// The key search while typing: LocateH on the typed key's parts in the key columns of the
// parameters (the caller's LocateKeys are put back).
int locateTyped(Session& s, CdsTable& table, const std::string& typed);
// The key columns of the parameters, 1-based.
std::vector<int> cisKeyColumns(const Session& s);

} // namespace sarw
