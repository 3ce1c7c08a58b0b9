#pragma once

#include <string>

namespace sarw {

// What the caller of the text file editor sets before showing it; the window puts them back to
// these defaults after every close.
struct TextEditParams {
    static constexpr const char* kFilter =
        "ASCII textove soubory (*.Txt)|*.Txt|Sestavy (*.Ses)|*.Ses|Dokumentace (*.Cti)|*.Cti|"
        "Vsechny soubory (*.*)|*.*";

    std::string fileName;         // empty: a new unnamed text
    bool openAllowed = false;     // "Otevrit" stays enabled although a file is given
    bool editable = false;        // read-only when not set
    std::string filter = kFilter; // description|pattern pairs, for the open and save dialogs
    std::string defaultExt = "Txt";
    bool twoPanesAllowed = true; // shows "Zobrazeni ve dvou oknech"
    bool enterNewLines = true;   // when not set, Enter only moves down to the fixed column
    int fixedColumn = 0;         // leftmost caret column (from 0) when Enter makes no lines
    bool copyOnClose = false;    // the selection goes to the clipboard when the window closes
};

// The caret at closing, line and column counted from 1.
struct TextCaret {
    int line = 1;
    int column = 1;
};

// The dialog filter of the file dialogs ("Text (*.Txt);;All (*)") made of the parameter's
// description|pattern pairs; a description without its pattern in brackets gets it, and "*.*"
// becomes "*" so names without a dot are listed too.
std::string dialogFilter(const std::string& filter);

} // namespace sarw
