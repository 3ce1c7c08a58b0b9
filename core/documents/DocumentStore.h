#pragma once

#include "documents/DocumentForm.h"

#include <array>
#include <string>

namespace sarw {

class Session;

// Storing documents in the period's turnover file: one record per filled item row, the header
// fields repeated in each. Every operation the form runs on its stored documents is here; the
// questions go through the session's dialogs, so the form and the command line answer them.

constexpr const char* kIdError = "Chyba v identifikaci dokladu !!!";
constexpr const char* kOverwriteQuestion =
    "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?";
constexpr const char* kNotFound = "Doklad s touto identifikaci nebyl nalezen !";
constexpr const char* kDeleteQuestion = "Skutecne chceme doklad zrusit ?";

enum class SaveResult {
    Saved,     // written to disk
    Unchanged, // nothing to write: the document was not modified
    Refused,   // an incomplete identification, or "Ne" to the overwrite question
    Failed,    // a write failed (reported) or another writer holds the data disk
};
// Whether what follows a save (closing, a new document, the next step of a chain) may go on.
inline bool saveGoesOn(SaveResult r) {
    return r == SaveResult::Saved || r == SaveResult::Unchanged;
}

// Saves the document into the turnover file, replacing its stored version (after the question
// when the identification is not the loaded one) and removing the loaded one when the
// identification moved; then the working copy. Holds the data disk's writer lock. DocModified
// is cleared only when both files are on disk.
SaveResult saveDocument(Session& s, DocumentForm& form);
// The same into another table file (the display work file): no lock, no working copy, the form's
// state untouched.
SaveResult saveDocumentInto(Session& s, DocumentForm& form, const std::string& file);

// Reads the document of header columns 1 to 6 into the form. Records whose item number is not
// 1-1000 or names a row already filled go to the next free row, after a warning. False when
// nothing was read (after the information).
bool readDocument(Session& s, DocumentForm& form);
// Item import: the header columns 7-13 and the items of the stored document `chosen` (its header
// fields) copied into the form, beside the rows it holds; the loaded identification stays.
bool importItems(Session& s, DocumentForm& form, const std::array<std::string, 13>& chosen);
// The document list (SezDokl over the turnover file's 13 header fields) into C:\A_Run\Work; on
// success CisFileName names it. False when the turnover file is missing (after its warning).
bool buildDocumentList(Session& s);
// "Zruseni dokladu": after the question, the records equal to the header removed; the items
// become blank and a new document follows. False when nothing was removed.
bool deleteDocument(Session& s, DocumentForm& form);

// The next document number of the header's unit (below 90000), and the next follow-on number
// of its counterpart unit (from 90001); 5 digits.
std::string nextNumber(Session& s, const Document& d);
std::string nextFollowOnNumber(Session& s, const Document& d);

// Header columns 1-6 from an identification of 2+2+2+2+2+5 characters; false when it has
// another length.
bool setIdentification(Document& d, const std::string& id);

} // namespace sarw
