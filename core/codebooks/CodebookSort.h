#pragma once

#include <string>

namespace sarw {

class Session;
class Table;

constexpr const char* kSezDokl = "C:\\A_Run\\Work\\SezDokl.Cds";

// The key sort of a codebook: `in` sorted by its first keyCount columns into the work file `out`,
// rows whose key columns are all blank left out. The table library's parameters are put back.
bool keySortCodebook(Session& s, const std::string& in, const std::string& out, int keyCount);

// Rows whose first keyCount columns are blank while another column holds a value: the key sort
// would drop them.
long blankKeyRowsWithValues(const Table& table, int keyCount);
// Asks whether such rows may be dropped; true when there are none or the user agrees.
bool blankKeyRowsAccepted(Session& s, long rows, const std::string& file);

// Sorts CisFileName in place by its first CisKeyCount columns: through a fresh work file whose
// result is checked, then the codebook is replaced whole, so it is never missing or torn. With
// askBlankKeys the user is asked before rows with a blank key but other values are dropped.
// False when nothing was replaced (a failure reported, or the user declined).
bool SortCisProc(Session& s, bool askBlankKeys = true);

// The document list: SezDokl.Cds with the first k columns of CisFileName (k the key count of
// the first call in a run), one row for each distinct key of the sorted codebook, in key order.
bool SezDokl(Session& s);

} // namespace sarw
