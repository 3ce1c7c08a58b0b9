#pragma once

#include "platform/FileReplace.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// Dialog and file services: the program's own ways to ask, tell and warn, to check for files,
// to create, open and delete them with retries, and to start other programs. Names are
// Windows-form texts (Windows-1250); messages are the program's own words.

// --- Boxes -------------------------------------------------------------------------------------
bool question(Session& s, const std::string& text, const std::string& title = "");
// Yes gives true, no false, cancel halts the program.
bool questionHalt(Session& s, const std::string& text);
void information(Session& s, const std::string& text, const std::string& title = "");
void warning(Session& s, const std::string& text, const std::string& title = "");
// "Soubor se nepodarilo ulozit:" with the file's name, and the writer's error when it gave one.
void warnNotSaved(Session& s, const std::string& name);
void warnNotSaved(Session& s, const std::string& name, const std::string& error);
// Code 0 does nothing; otherwise the box "Chyba: <code>   - Program bude ukoncen" and a halt.
void fatalCode(Session& s, int code, const std::string& text);

// --- Existence checks --------------------------------------------------------------------------
bool fileExists(Session& s, const std::string& name);
// False for an empty name or one with '*'; warns "Soubor: ... - nebyl nalezen !" when false.
bool fileExistsWarn(Session& s, const std::string& name);
bool dirExists(Session& s, const std::string& name);
bool dirExistsWarn(Session& s, const std::string& name);
bool driveUsable(Session& s, char letter);
bool driveUsableWarn(Session& s, char letter);

// --- Files -------------------------------------------------------------------------------------
// Plain attributes, then delete; 0 or the system error code (errno).
int deleteFile(Session& s, const std::string& name);
// As deleteFile; when the file stays, warns "Nepodarilo se zrusit soubor: ..." and halts.
void deleteFileOrHalt(Session& s, const std::string& name);
// Deletes the target, then moves the source there; 0 on success, 1 on failure.
int renameFile(Session& s, const std::string& from, const std::string& to);
// Deletes every file matching the mask (read-only ones included); failures are ignored.
void deleteByMask(Session& s, const std::string& mask);
// As deleteByMask, only files last written before today.
void deleteOlderThanTodayByMask(Session& s, const std::string& mask);
// Empties C:\A_Run\Sestavy and C:\A_Run\Work.
void emptyWorkDirs(Session& s);
// True for a file directly in one of those directories: every run computes it again.
bool inWorkDirs(const Session& s, const std::string& name);
// How a file is replaced: work files without waiting for the disk, every other one durably.
Durability durabilityOf(const Session& s, const std::string& name);
// Replaces the file by the bytes through a temporary file beside it, so a crash leaves the old
// or the new file; 0 or the system's error number (the old file stays). A read-only file is
// refused (EACCES).
int replaceWholeFile(Session& s, const std::string& name, std::string_view bytes);
// Creates every directory along the path; errors ignored.
void makePath(Session& s, const std::string& path);
// Makes each prefix of the path the current directory in turn.
void enterPath(Session& s, const std::string& path);
// True when the file can be created or replaced (the file is not touched); retries, then asks
// the user.
bool canCreate(Session& s, const std::string& name);
// True when the file can be opened for reading or does not exist; retries, then asks the user.
bool canOpen(Session& s, const std::string& name);
// Of the first file matching the name; 0 when none.
std::uint64_t fileSize(Session& s, const std::string& name);
// Last write time as seconds since the epoch; 0 when none.
std::int64_t fileTime(Session& s, const std::string& name);
// Free bytes of the drive whose letter is given (a letter not in A-Z measures the current
// drive); 0 when it cannot be measured.
std::uint64_t freeSpace(Session& s, char letter);
// The name without directory and without the part from the first point on.
std::string fileNamePart(std::string_view name);

// --- Programs and documents ----------------------------------------------------------------------
// The program's exit code (when waiting), 99999 when it cannot be started, 0 when the program
// file does not exist (after the not-found warning). Each argument reaches the program as one,
// blanks and all; they are joined only for the warning's command line.
int startProgram(Session& s, const std::string& program, const std::vector<std::string>& args,
                 bool wait);
// Opens a document with its associated program; false when the file is missing (after the
// not-found warning) or no program could be started for it.
bool openDocument(Session& s, const std::string& name);
// Hands a table to the table tool: copy to C:\A_Run\Work\Tabulo_Data.Cds, control file
// C:\A_Run\Work\Tabulo.Tbu, start Tabulo.Exe of the programs directory. False when the table
// was not handed over (above all when Tabulo.Exe does not exist, which is not warned about):
// the caller then shows the table itself.
// Whether the separate table tool is installed in the programs directory.
bool tableToolExists(Session& s);
bool showTableInTool(Session& s, const std::string& tableFile, const std::string& defFile,
                     const std::string& appName, const std::string& title);
// Shows the help text <data disk>\LSarW\Dokum\<name>.Rtf in the desktop's help window (without
// one: its name in an information box); false (after the not-found warning) when it does not
// exist, or after "Uzavrete predeslou napovedu, a akci opakujte." when a help text is open.
bool showHelpText(Session& s, const std::string& name);

} // namespace sarw
