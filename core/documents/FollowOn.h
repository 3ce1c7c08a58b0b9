#pragma once

#include "documents/DocumentStore.h"

#include <string>
#include <vector>

namespace sarw {

class Session;

// Follow-on documents: some movement types make further documents of the same items when they
// are saved (an issue of type 500 makes a receipt of type 100 at the counterpart). The rules are
// the lines of GenPoh.Def.

constexpr const char* kFollowOnQuestion = "Vytvorit nebo opravit navazujici doklady ?";
constexpr const char* kNoFollowOn = "Na tento doklad zadny nenavazuje !";

// One entry of a rule: the follow-on's movement type and mode (O the counterpart's unit, P the
// own unit with the counterpart as counterpart, S the units unchanged).
struct FollowOnEntry {
    std::string type;
    char mode = 'S';
};

// The rules of GenPoh.Def: its first line skipped, up to 20 lines of at least 10 characters.
std::vector<std::string> readFollowOnRules(Session& s);
// The entries of a rule line after its source type (characters 1-3).
std::vector<FollowOnEntry> followOnEntries(const std::string& rule);

enum class FollowOnChoice { Ask, Make, Skip };

// "Ulozeni dokladu": saves the document and, when a rule names its movement type and the answer
// is yes, its follow-on documents, each linked to the next by header column 13. A source whose
// link is not 00000 already has a chain: it is replaced under its numbers. The form holds the
// source document again afterwards. `saved` receives the identifications written, source first.
SaveResult saveWithFollowOn(Session& s, DocumentForm& form, FollowOnChoice choice,
                            std::vector<std::string>* saved = nullptr);

} // namespace sarw
