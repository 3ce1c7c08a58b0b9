#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sarw {

class Session;

// Loading and saving the plain text files that the text file editor shows (definition files,
// SarInic.TXT, header texts, reports): Windows-1250 bytes as stored.

// Reads a file for the editor. A missing file gives an empty text and creates nothing (other
// steps take a file's existence as a sign it was written); the attributes stay as they are.
// False after a warning when an existing file cannot be read.
bool openTextFile(Session& s, const std::string& name, std::string& bytes);
// Writes the bytes through a temporary file renamed over the old one, so a crash leaves the old
// or the new text; the file keeps its attributes, a read-only file stays read-only. Then the
// information window "Soubor byl ulozen." for delayMs. False (after a warning) when the file
// could not be written.
bool saveTextFile(Session& s, const std::string& name, const std::string& bytes, int delayMs);

// The question before a changed text is closed.
std::string textChangedQuestion(const std::string& name);

// The search of the editor: the first place at or after `from` where the needle stands, letters
// compared in upper case (the Czech accented ones too); npos when none.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from);
// "Retezec nenalezen !" captioned with the searched text.
void textNotFound(Session& s, const std::string& needle);

// Opens a written document with the desktop's word processor; false after "Aplikace Microsoft
// Word neni dostupna !" when nothing can open it: an information, or a warning when asked for.
bool openInWordProcessor(Session& s, const std::string& document, bool warnMissing = false);

} // namespace sarw
