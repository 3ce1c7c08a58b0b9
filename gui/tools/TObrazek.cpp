#include "tools/TObrazek.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace sarw {

TObrazek::TObrazek(QWidget* parent) : QDialog(parent) {
    setObjectName("TObrazek");
    setModal(true);
    area_ = new QScrollArea(this);
    area_->setAlignment(Qt::AlignCenter);
    picture_ = new QLabel(area_);
    area_->setWidget(picture_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area_);
}

bool TObrazek::load(const QString& nativeFile) {
    QImageReader reader(nativeFile);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->resize(image.size());
    setWindowTitle(QStringLiteral("Obrazek - ") + QFileInfo(nativeFile).fileName());
    // The picture's own size, but no larger than most of the screen.
    QSize room(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        room = screen->availableSize() * 9 / 10;
    resize(image.size().boundedTo(room) + QSize(4, 4));
    return true;
}

} // namespace sarw
