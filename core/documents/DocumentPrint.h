#pragma once

#include <string>
#include <vector>

namespace sarw {

class Document;
class Session;
struct Definition;

// The document form's two prints, as report files for the output viewer. What is printed is
// what the grids hold; nothing is saved.

constexpr const char* kPlainListReport = "C:\\A_Run\\Aplikace\\LSarW\\Sestavy\\SarD.Ses";
constexpr const char* kFramedReport = "C:\\A_Run\\Aplikace\\LSarW\\Sestavy\\UcLDokl.Ses";

// The three layout texts of the framed document, in the data disk's \LSarW\DefSoub.
struct FrameLayout {
    std::vector<std::string> before; // DoklP.Def
    std::vector<std::string> frame;  // Dokl.Def
    std::vector<std::string> after;  // DoklZ.Def
};

// "Zobrazeni a tisk dokladu": the header and the items as a plain list with their headings and
// the total of the item values. `def` is the turnover definition (13 header, 13 item fields).
std::vector<std::string> plainListLines(const Definition& def, const Document& doc);
// "Doklad v ramecku": the document filled into the frame; shortened leaves out positions 41 to
// 86 of the frame's lines.
std::vector<std::string> framedLines(const Definition& def, const Document& doc,
                                     const FrameLayout& layout, bool shortened);

// Reads SarO.Def and writes SarD.Ses; the report's name, or empty after the message.
std::string printPlainList(Session& s, const Document& doc);
// Asks "Zkrateny tisk ?", reads SarO.Def and the layout and writes UcLDokl.Ses under the progress
// strip; the report's name, or empty after the message. The caller reads its own definition
// and codebooks again afterwards.
std::string printFramed(Session& s, const Document& doc);

} // namespace sarw
