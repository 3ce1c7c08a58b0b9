#pragma once

namespace sarw {

class Session;
struct DocumentForm;

// The opening of the document form, every time it is shown: the codebooks and definitions
// checked (a missing one halts the program after its warning) and copied to the local tree, the
// follow-on rules read, the turnover file backed up, the merged account list built, the price
// list built when missing, and a new document in the header. False when the form cannot open.
// The backup of the turnover file guards a session of typing; without it the opening leaves
// the turnover file's copies alone.
bool openDocumentForm(Session& s, DocumentForm& form, bool backup = true);

} // namespace sarw
