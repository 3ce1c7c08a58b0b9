#pragma once

#include <string>

namespace sarw {

// What the caller of the rich-text and definition editor sets before showing it; the window puts
// them back to these defaults when it closes.
struct RtfEditParams {
    static constexpr const char* kFilter =
        "Rich-textove soubory (*.Rtf)|*.Rtf|Textove soubory (*.Txt)|*.Txt|Sestavy (*.Ses)|*.Ses|"
        "Dokumentace (*.Doc)|*.Doc|Vsechny soubory (*.*)|*.*";
    static constexpr const char* kDefaultExt = "Rtf";
    static constexpr const char* kInsertFilter = "Soubory Rtf (*.Rtf)|*.Rtf";
    // "Mapa znaku": the system's character map.
    static constexpr const char* kCharacterMap = "C:\\Windows\\System32\\CharMap.exe";

    std::string fileName;            // empty: the unnamed text "Ne-Jmeno"
    bool richMode = true;            // off: plain text (definition and header files)
    bool fileMenu = true;            // "Soubor" and the file buttons
    bool editingMenu = true;         // "Editace", "Font" and their buttons; "Povolit" enabled
    bool graphicCharsButton = false; // "Zobrazeni grafickych znaku"
};

} // namespace sarw
