#include "editors/EditorFiles.h"

#include "editors/LaidOutDocument.h"
#include "editors/OtherFormats.h"
#include "editors/TextEditParams.h"
#include "editors/TextFileEdit.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/WinLSys.h"

#include <QFileDialog>

namespace sarw {

namespace {

constexpr const char* kNoName = "Ne-Jmeno";

} // namespace

QString editorText(const std::string& bytes) {
    QString t = qs(bytes);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

std::string editorFileBytes(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp(t);
}

QString caretStatus(int line, int column, bool overwrite) {
    return QStringLiteral("  Rad:") + QString::number(line).rightJustified(9) +
           QStringLiteral("  Sloup:") + QString::number(column).rightJustified(5) +
           (overwrite ? QStringLiteral("   Prepisovani") : QStringLiteral("     Vkladani"));
}

int findInEditor(const QString& text, const QString& needle, int from) {
    // Windows-1250 has one byte for each character the text can hold, so offsets agree.
    const std::size_t at = findText(cp(text), cp(needle), static_cast<std::size_t>(from));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

QString chooseEditorFile(QWidget* parent, bool saving, const std::string& filter,
                         const std::string& defaultExt, const QString& proposed) {
    QFileDialog d(parent, saving ? QStringLiteral("Ulozit jako") : QStringLiteral("Otevrit"));
    d.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setNameFilter(qs(dialogFilter(filter)));
    d.setDefaultSuffix(qs(defaultExt));
    if (!proposed.isEmpty()) d.selectFile(proposed);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

bool writeInOtherFormat(Session& s, const OtherFormat& format, const QString& text,
                        const QFont& qfont, const QColor& colour, const std::string& name,
                        const std::string& target) {
    const std::string bytes = editorFileBytes(text);
    const TextFont font{qfont.family().toStdString(), qfont.pointSizeF(), qfont.bold(),
                        qfont.italic(), static_cast<std::uint32_t>(colour.rgb() & 0xFFFFFF)};
    bool written = false;
    guarded([&] {
        if (format.maker == FormatMaker::None) {
            otherFormatUnavailable(s, format);
            return;
        }
        std::string document;
        if (format.maker == FormatMaker::Core) {
            document = otherFormatBytes(format, bytes, font);
        } else {
            const QByteArray laid = laidOutDocument(format, text, qfont, colour);
            if (laid.isEmpty()) {
                warnNotSaved(s, target);
                return;
            }
            document = laid.toStdString();
        }
        written = writeOtherFormat(s, target, document, fileNamePart(name.empty() ? kNoName : name),
                                   bytes, font);
    });
    return written;
}

void saveInOtherFormat(QWidget* parent, Session& s, const OtherFormat& format, const QString& text,
                       const QFont& font, const QColor& colour, const std::string& name) {
    if (format.maker == FormatMaker::None) {
        guarded([&] { otherFormatUnavailable(s, format); });
        return;
    }
    const std::string base = fileNamePart(name.empty() ? kNoName : name);
    const QString file = chooseEditorFile(parent, true, otherFormatFilter(format), format.name,
                                          qs(base) + QLatin1Char('.') + QLatin1String(format.name));
    if (!file.isEmpty()) writeInOtherFormat(s, format, text, font, colour, name, cp(file));
}

} // namespace sarw
