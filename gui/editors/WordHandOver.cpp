#include "editors/WordHandOver.h"

#include "editors/LaidOutDocument.h"
#include "editors/TextFileEdit.h"
#include "output/ReportFile.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

#include <QTextDocument>
#include <QTextDocumentWriter>

namespace sarw {

std::string handToWordProcessor(Session& s, const QString& text, const QFont& font,
                                const std::string& sourceName, const QColor& colour,
                                bool warnMissing) {
    const std::string name = wordFileName(sourceName.empty() ? "Ne-Jmeno" : sourceName);
    makePath(s, kWorkDir);
    QTextDocument doc;
    fillPlainDocument(doc, text, font, colour);
    QTextDocumentWriter writer(QString::fromStdString(s.platform().native(name).string()), "odf");
    if (!writer.write(&doc)) {
        warnNotSaved(s, name);
        return {};
    }
    return openInWordProcessor(s, name, warnMissing) ? name : std::string();
}

std::string handReportToWordProcessor(Session& s, const std::string& report,
                                      const std::string& bytes, const QFont& font,
                                      const QColor& colour, bool warnMissing) {
    QString text = qs(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return handToWordProcessor(s, text, font, report, colour, warnMissing);
}

} // namespace sarw
