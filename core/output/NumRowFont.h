#pragma once

#include "shell/PrintSettings.h"

#include <string>
#include <string_view>

namespace sarw {

class Session;

// The print layout settings file and the steps of its window that are not drawing. The settings
// themselves are Session::printSettings.

constexpr const char* kNumRowFontFile = "C:\\A_Run\\PomSoub\\NumRowFont.Dat";
constexpr int kNumRowFontSize = 112;
// Rows per page are kept within these, read from the file or typed: a page of 0 rows or of 255
// would make every report unusable.
constexpr int kMinRowsPerPage = 10;
constexpr int kMaxRowsPerPage = 150;
constexpr int kMaxFontName = 100;

// Style code: tens 0 regular, 1 bold, 2 italic, 3 both; units 0 none, 1 underline, 2 strike-out,
// 3 both.
int styleCode(const PrintSettings& p);
// Applies a valid code (0-3, 10-13, 20-23, 30-33) and gives true; any other leaves the style.
bool applyStyleCode(PrintSettings& p, int code);

// Rows per page lowered or raised into 10-150.
int saneRowsPerPage(long long rows);

// The 112-byte record of the file, and back. Decoding fails (false, settings untouched) on a
// record that is too short or whose name length exceeds 100.
std::string encodeNumRowFont(const PrintSettings& p);
bool decodeNumRowFont(std::string_view record, PrintSettings& p);

// Reads the settings (Get). A missing file is first written from the current settings with the
// information "Vygenerovany obvykle vlastnosti."; a damaged one is reported, replaced by the
// defaults and written again. False when the file could not be read as it was.
bool readNumRowFont(Session& s);
// Writes the current settings (Put); false after the "Soubor nelze vytvorit" message.
bool writeNumRowFont(Session& s);

// Showing the window: an existing file is read (a damaged one is reported and replaced by the
// defaults), a missing one is written from the current settings.
void showNumRowFont(Session& s);
// Leaving the rows field: its first three characters as a number with three digits ("080").
std::string rowsFieldText(std::string_view field);
// The orientation list's texts.
std::string orientationText(int orientation);
// Closing the window: rows from the field (10-150), landscape when the list text begins
// with "V" or "v" after its leading blanks; the settings are written.
bool closeNumRowFont(Session& s, std::string_view rowsField, std::string_view orientationList);

} // namespace sarw
