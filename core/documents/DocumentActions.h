#pragma once

#include <array>
#include <string>

namespace sarw {

class Session;
struct DocumentForm;

// The buttons and the closing of the document form that save before they go on. Each goes on
// only after a save that happened (or had nothing to write); a refused or failed save keeps the
// typed document in the form.

// "Otevrit novy doklad": when the last item check passed, save, then the opening again.
bool openNewDocument(Session& s, DocumentForm& form);
// "Otevrit navazujuci doklad": save, then the document of the link at the counterpart unit.
bool openFollowOnDocument(Session& s, DocumentForm& form);
// Closing with "  Konec" or the window's close button: true when the window may close.
bool closeDocumentForm(Session& s, DocumentForm& form);
// A document chosen from the list (its 13 header values): the header filled and the document
// read. True when the read gave content.
bool documentChosen(Session& s, DocumentForm& form, const std::array<std::string, 13>& values);
// "Zobrazeni a tisk dokladu v rezime tabulky": the document alone in the display work file.
bool documentForDisplay(Session& s, DocumentForm& form, const std::string& file);
// "Doklad v rezimu tabulky" (the document alone, through the display work file) and "Cely soubor
// v rezimu tabulky" (the turnover file as it is stored): the table tool started without waiting.
bool documentInTableTool(Session& s, DocumentForm& form, bool wholeFile);

} // namespace sarw
