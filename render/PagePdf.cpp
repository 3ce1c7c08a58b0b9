#include "PagePdf.h"

#include "output/PagePictures.h"
#include "platform/FileReplace.h"

#include <QIODevice>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

// The PDF writer's output into the temporary of a file replacement, as it is made: the
// document is never held whole in memory.
class ReplacementDevice : public QIODevice {
public:
    explicit ReplacementDevice(FileReplacement& file) : file_(file) {}
    bool isSequential() const override { return true; }
    bool failed() const { return failed_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 n) override {
        if (failed_ || !file_.write(std::string_view(data, static_cast<std::size_t>(n)))) {
            failed_ = true;
            return -1;
        }
        return n;
    }

private:
    FileReplacement& file_;
    bool failed_ = false;
};

std::string notWritten(const std::filesystem::path& target) {
    return "Soubor PDF se nepodarilo zapsat:\r\r" + target.string();
}

} // namespace

std::string writePagesPdf(PageSource& source, const std::filesystem::path& target,
                          const PdfRequest& request) {
    FileReplacement file;
    if (file.open(target, Durability::Durable) != 0) return notWritten(target);
    ReplacementDevice device(file);
    device.open(QIODevice::WriteOnly);
    bool stopped = false;
    bool read = false;
    {
        QPdfWriter pdf(&device);
        pdf.setCreator(QStringLiteral("SarW"));
        pdf.setResolution(300);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        QPainter p;
        const int laidOut = pdfPictureHeight(source.pictureWidth(), source.nominalHeight());
        read = source.forEachPage(
            request.from, request.to, [&](int page, int height, const PageSource::Paint& paint) {
                if (!p.isActive()) {
                    if (!p.begin(&pdf)) return false;
                } else if (!pdf.newPage()) {
                    return false;
                }
                const QImage picture = request.picture ? request.picture(page) : QImage();
                const int width = picture.isNull() ? source.pictureWidth() : picture.width();
                const int tall =
                    std::max({laidOut, height, picture.isNull() ? 0 : picture.height()});
                const QRect sheet = p.viewport();
                const double scale = std::min(sheet.width() / double(std::max(width, 1)),
                                              sheet.height() / double(std::max(tall, 1)));
                p.save();
                p.scale(scale, scale);
                if (picture.isNull())
                    paint(p);
                else
                    p.drawImage(0, 0, picture);
                p.restore();
                if (request.progress && !request.progress(page)) {
                    stopped = true;
                    return false;
                }
                return true;
            });
        if (p.isActive()) p.end();
    }
    device.close();
    if (stopped) return "Vytvareni PDF bylo preruseno.";
    if (!read || device.failed() || file.commit() != 0) return notWritten(target);
    return {};
}

} // namespace sarw
