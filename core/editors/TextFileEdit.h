#pragma once

#include <string>

namespace sarw {

class Session;

// Loading and saving the plain text files that the text window edits (definition files,
// SarInic.TXT, header texts): Windows-1250 bytes as stored.

// Opens a file for the text window: a missing file is created empty (failure: the information
// "Novy soubor nelze vytvorit ! -Chyba:" with the error code, captioned with the name, and
// false); the file's attributes are reset to plain and its bytes read.
bool openTextFile(Session& s, const std::string& name, std::string& bytes);
// Writes the bytes through a temporary file renamed over the old one, so a crash leaves the old
// or the new text; a read-only file stays read-only. Then the information window "Soubor byl
// ulozen." for delayMs. False (after a warning) when the file could not be written.
bool saveTextFile(Session& s, const std::string& name, const std::string& bytes, int delayMs);

// The question before a changed text is closed.
std::string textChangedQuestion(const std::string& name);

} // namespace sarw
