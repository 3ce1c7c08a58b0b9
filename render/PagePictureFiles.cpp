#include "PagePictureFiles.h"

#include <QPainter>

#include <algorithm>

namespace sarw {

QImage drawPage(const PageSource& source, int height, const PageSource::Paint& paint) {
    QImage picture(std::max(source.pictureWidth(), 1), std::max(height, 1), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    paint(p);
    return picture;
}

QImage extendedTo(const QImage& picture, int height) {
    if (picture.isNull() || picture.height() >= height) return picture;
    QImage tall(picture.width(), height, QImage::Format_RGB32);
    tall.fill(Qt::white);
    QPainter p(&tall);
    p.drawImage(0, 0, picture);
    return tall;
}

PictureRun writePagePictures(PageSource& source, int from, int to,
                             const std::function<std::filesystem::path(int page)>& fileOf,
                             const std::function<bool(int page)>& progress) {
    PictureRun run;
    bool written = true;
    const bool read =
        source.forEachPage(from, to, [&](int page, int height, const PageSource::Paint& paint) {
            const QImage picture = drawPage(source, height, paint);
            written = picture.save(QString::fromStdString(fileOf(page).string()), "PNG");
            if (!written) return false;
            ++run.pagesWritten;
            run.tallest = std::max(run.tallest, height);
            return !progress || progress(page);
        });
    run.ok = read && written;
    return run;
}

} // namespace sarw
