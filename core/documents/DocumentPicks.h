#pragma once

#include <array>
#include <string>

namespace sarw {

class Session;
struct DocumentForm;

// The pick lists of the document form beyond a column's own codebook (codebooks/UCdsCIS.h
// VCiselTarget): the codebook parameters set for the window, and the choice read back.

// Ctrl+F1 on an item's material: a receipt picks from the material codebook, an issue from the
// stock list of the document's unit (key column 6). False when there is nothing to show.
bool materialPickTarget(Session& s, DocumentForm& form);
// The document list of the turnover file, searched by its 13 header fields. False when the
// turnover file is missing (after its warning).
bool documentListTarget(Session& s);
// The header values of the document chosen from the list.
std::array<std::string, 13> chosenHeader(const Session& s);
// After any pick list: the key columns back to the first.
void pickListClosed(Session& s);

} // namespace sarw
