#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>

class QTextDocument;

namespace sarw {

struct OtherFormat;

// A plain text as a document in one font (and colour, when valid), for the word processor and
// the document writers.
void fillPlainDocument(QTextDocument& doc, const QString& text, const QFont& font,
                       const QColor& colour);
// The document of a format laid out by Qt's writers (Html, Pdf); empty when it failed.
QByteArray laidOutDocument(const OtherFormat& format, const QString& text, const QFont& font,
                           const QColor& colour);

} // namespace sarw
