#include "editors/RichDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace sarw {

namespace {

Qt::Alignment alignmentOf(rtf::Align a) {
    switch (a) {
    case rtf::Align::Center:
        return Qt::AlignHCenter;
    case rtf::Align::Right:
        return Qt::AlignRight;
    case rtf::Align::Justify:
        return Qt::AlignJustify;
    case rtf::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

rtf::Align alignOf(Qt::Alignment a) {
    if (a & Qt::AlignHCenter) return rtf::Align::Center;
    if (a & Qt::AlignRight) return rtf::Align::Right;
    if (a & Qt::AlignJustify) return rtf::Align::Justify;
    return rtf::Align::Left;
}

QTextCharFormat charFormat(const rtf::CharFormat& f) {
    QTextCharFormat q;
    q.setFontFamilies({QString::fromStdString(f.font)});
    q.setFontPointSize(f.halfPoints / 2.0);
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    q.setForeground(QColor(QRgb(f.rgb)));
    return q;
}

rtf::CharFormat formatOf(const QTextCharFormat& q) {
    rtf::CharFormat f;
    const QStringList families = q.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) f.font = families.first().toStdString();
    if (q.fontPointSize() > 0) f.halfPoints = int(std::lround(q.fontPointSize() * 2));
    f.bold = q.fontWeight() >= QFont::Bold;
    f.italic = q.fontItalic();
    f.underline = q.fontUnderline();
    if (q.foreground().style() != Qt::NoBrush) f.rgb = q.foreground().color().rgb() & 0xFFFFFF;
    return f;
}

} // namespace

void fillRichDocument(QTextDocument& doc, const rtf::RichText& text) {
    doc.clear();
    QTextCursor c(&doc);
    bool first = true;
    for (const rtf::Paragraph& p : text.paragraphs) {
        if (!first) c.insertBlock();
        first = false;
        QTextBlockFormat block = c.blockFormat();
        block.setAlignment(alignmentOf(p.align));
        c.setBlockFormat(block);
        for (const rtf::Run& r : p.runs) {
            QString t = QString::fromStdString(r.text);
            t.replace(QLatin1Char('\n'), QChar::LineSeparator);
            c.insertText(t, charFormat(r.format));
        }
    }
    doc.setModified(false);
}

rtf::RichText richTextOf(const QTextDocument& doc) {
    rtf::RichText out;
    if (doc.blockCount() == 1 && doc.firstBlock().length() <= 1) return out;
    for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next()) {
        rtf::Paragraph p;
        p.align = alignOf(b.blockFormat().alignment());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            QString t = f.text();
            t.replace(QChar::LineSeparator, QLatin1Char('\n'));
            rtf::appendRun(p, formatOf(f.charFormat()), t.toStdString());
        }
        out.paragraphs.push_back(std::move(p));
    }
    return out;
}

} // namespace sarw
