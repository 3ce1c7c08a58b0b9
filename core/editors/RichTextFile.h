#pragma once

#include "rtf/RichText.h"

#include <string>

namespace sarw {

class Session;

// Loading and saving the rich texts of the rich-text editor (help texts, .Rtf files). Plain
// files go through TextFileEdit.h as they are.

// Reads an RTF file (a file that is not RTF shows as its lines). A missing file gives an empty
// text and creates nothing: the file is made only by saving. False after a warning when an
// existing file cannot be read.
bool openRichTextFile(Session& s, const std::string& name, rtf::RichText& text);
// Writes the text as RTF through a temporary renamed over the old file, attributes kept, then
// "Soubor byl ulozen." for delayMs. False after a warning when it was not written.
bool saveRichTextFile(Session& s, const std::string& name, const rtf::RichText& text, int delayMs);

// The editor's search found nothing: "Retezec nebyl nalezen !" captioned with the searched text.
void richTextNotFound(Session& s, const std::string& needle);

} // namespace sarw
