#pragma once

#include "rtf/RichText.h"

class QTextDocument;

namespace sarw {

// The core's rich text as a Qt document and back: a paragraph is a block, a run a fragment of
// its format; a line break inside a paragraph is the document's line separator.
void fillRichDocument(QTextDocument& doc, const rtf::RichText& text);
// An empty document is no paragraph at all, so an empty text stays empty when saved.
rtf::RichText richTextOf(const QTextDocument& doc);

} // namespace sarw
