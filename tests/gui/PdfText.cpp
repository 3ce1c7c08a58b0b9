#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace sarw::test {

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

int pdfPages(const std::filesystem::path& pdf) {
    const QString info = run("pdfinfo", {QString::fromStdString(pdf.string())});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString pdfText(const std::filesystem::path& pdf) {
    return run("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
}

QSizeF pdfPageSize(const std::filesystem::path& pdf) {
    const QString info = run("pdfinfo", {QString::fromStdString(pdf.string())});
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                       .match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

} // namespace sarw::test
