#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sarw {

class Session;

// "Ulozit do jinych formatu" of the text file editor: the text saved as another kind of
// document. The core writes the formats it can make from the bytes alone; a document laid out
// for the page (Html, Pdf) is made by the window's document writers.

enum class FormatMaker { Core, LaidOut, None };

struct OtherFormat {
    const char* menu; // the menu item
    const char* name; // the extension and the name in the dialog's filter
    int code;         // the word processor's save-format number
    FormatMaker maker;
};

std::span<const OtherFormat> otherFormats();
// The save dialog's filter: the name, " soubory|*." and the name.
std::string otherFormatFilter(const OtherFormat& f);

// The editor's font as the documents take it.
struct TextFont {
    std::string family = "Courier New";
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    std::uint32_t rgb = 0; // 0xRRGGBB
};

// The document for a format the core makes (maker Core), from the editor's text (Windows-1250,
// lines ended by CR LF): Windows Txt as it is, Dos Txt in code page 852, Rtf and Doc as rich
// text (the word processors read a .Doc holding rich text), Xml as the word processor's XML.
std::string otherFormatBytes(const OtherFormat& f, std::string_view text, const TextFont& font);

// Writes the document under the chosen name, replacing an old file only when the new one is
// complete, and the Doc copy C:\A_Run\Work\<base name>.Doc beside the work files. False after
// "Soubor se nepodarilo ulozit:" when the target could not be written.
bool writeOtherFormat(Session& s, const std::string& target, const std::string& bytes,
                      const std::string& workCopyBase, std::string_view text, const TextFont& font);

// "Format ... nelze vytvorit !" for a format nothing here can make.
void otherFormatUnavailable(Session& s, const OtherFormat& f);

} // namespace sarw
