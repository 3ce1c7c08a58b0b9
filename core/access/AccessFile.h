#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The access-rights file C:\A_Run\PristPr\LSar.H: a fixed prologue of 30 bytes, then entries
// (name 250 password 250 status 250 251), the whole scrambled by a byte substitution and a
// transposition in 27 columns. Only its owner may read it.

struct AccessEntry {
    std::string name;
    std::string password;
    std::string status;
    bool operator==(const AccessEntry&) const = default;
};

constexpr std::size_t kMaxAccessEntries = 200;
// Reading stops after this many bytes, so no longer content can be stored.
constexpr std::size_t kMaxAccessBytes = 9999;

std::string scrambleAccess(std::string_view plain);
std::string unscrambleAccess(std::string_view scrambled);

// Prologue and entries as plain bytes.
std::string accessPlainContent(const std::vector<AccessEntry>& entries);
// The entries of plain content; false when the prologue or an entry is damaged.
bool parseAccessContent(std::string_view plain, std::vector<AccessEntry>& entries);

// Loads the file, first creating it with the single entry Zenit/Zenit/Zenit when it does not
// exist. Any failure: "Doslo k chybe pri nacitani pristupovych prav !" and a halt.
std::vector<AccessEntry> loadAccessFile(Session& s);

// The rights table: the rows up to the first one whose name is blank, every cell trimmed. A row
// whose cells hold the separator bytes (u with acute or double acute), or a table too long for
// the file, is refused with a warning and nothing is written (false). Failing to create or to
// complete the file shows "Nepodarilo se zalozit soubor:" or "... uzavrit ..." and halts.
// With `stored`, the entries the file holds, a table that stores the same is not written again.
bool saveAccessFile(Session& s, const std::vector<AccessEntry>& rows,
                    const std::vector<AccessEntry>* stored = nullptr);

} // namespace sarw
