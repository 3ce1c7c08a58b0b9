#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

class QWidget;

namespace sarw {

class Session;
struct OtherFormat;

// The file steps both editors share.

// An 8-bit text file's bytes (Windows-1250, lines ended by CR LF) as the editors show them, and
// the shown text as such bytes again.
QString editorText(const std::string& bytes);
std::string editorFileBytes(const QString& text);

// The status line: "  Rad:" and the line in 9 positions, "  Sloup:" and the column in 5, and
// the mode.
QString caretStatus(int line, int column, bool overwrite);

// Where the search of the editors finds the needle in the shown text, from `from` on, letters
// compared in upper case; -1 when it is not there.
int findInEditor(const QString& text, const QString& needle, int from);

// The open or save dialog with the editor's filter (description|pattern pairs) and default
// extension; empty when cancelled.
QString chooseEditorFile(QWidget* parent, bool saving, const std::string& filter,
                         const std::string& defaultExt, const QString& proposed);

// "Ulozit do jinych formatu" of a text shown in a font: the text as that format under the name;
// false (after a message) when it was not written. `name` is the editor's file, empty unnamed.
bool writeInOtherFormat(Session& s, const OtherFormat& format, const QString& text,
                        const QFont& font, const QColor& colour, const std::string& name,
                        const std::string& target);
// The same after the save dialog, which proposes the file's base name.
void saveInOtherFormat(QWidget* parent, Session& s, const OtherFormat& format, const QString& text,
                       const QFont& font, const QColor& colour, const std::string& name);

} // namespace sarw
