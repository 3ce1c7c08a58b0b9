#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

namespace sarw {

class Session;

// The "Word" step of the editor and the viewer: the text goes into an OpenDocument file in the
// given font (and colour, when valid), which the desktop's word processor then opens. Gives the
// file written, or an empty text when it could not be written (after a warning) or nothing could
// open it (after "Aplikace Microsoft Word neni dostupna !", a warning when warnMissing).
std::string handToWordProcessor(Session& s, const QString& text, const QFont& font,
                                const std::string& sourceName, const QColor& colour = QColor(),
                                bool warnMissing = false);
// The same for a report file's bytes (Windows-1250, lines ended by CR LF).
std::string handReportToWordProcessor(Session& s, const std::string& report,
                                      const std::string& bytes, const QFont& font,
                                      const QColor& colour = QColor(), bool warnMissing = false);

} // namespace sarw
