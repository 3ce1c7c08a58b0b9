#include "editors/LaidOutDocument.h"

#include "editors/OtherFormats.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <cstring>

namespace sarw {

void fillPlainDocument(QTextDocument& doc, const QString& text, const QFont& font,
                       const QColor& colour) {
    doc.setDefaultFont(font);
    QTextCursor cursor(&doc);
    QTextCharFormat format;
    format.setFont(font);
    if (colour.isValid()) format.setForeground(colour);
    cursor.insertText(text, format);
}

QByteArray laidOutDocument(const OtherFormat& format, const QString& text, const QFont& font,
                           const QColor& colour) {
    QTextDocument doc;
    fillPlainDocument(doc, text, font, colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (std::strcmp(format.name, "Pdf") == 0) {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Zobrazeni/Editace ASCII textoveho souboru"));
        doc.print(&pdf);
    } else {
        QTextDocumentWriter writer(&buffer, "HTML");
        if (!writer.write(&doc)) return {};
    }
    return bytes;
}

} // namespace sarw
