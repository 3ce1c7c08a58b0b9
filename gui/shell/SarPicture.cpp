#include "shell/SarPicture.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace sarw {

namespace {

// The form area the labels were laid out in.
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 452;
constexpr int kPeriodLeft = 264;
constexpr int kPeriodTop = 337;
constexpr int kMinRightMargin = 16;

// The built-in picture: light at the top where the navy labels stand, dark at the bottom where
// the white period label stands.
QPixmap defaultPicture() {
    QPixmap p(kDesignWidth, kDesignHeight);
    QPainter painter(&p);
    QLinearGradient g(0, 0, 0, kDesignHeight);
    g.setColorAt(0.0, QColor(0xf2, 0xf5, 0xfa));
    g.setColorAt(0.45, QColor(0xa9, 0xc4, 0xe0));
    g.setColorAt(1.0, QColor(0x1c, 0x3f, 0x6e));
    painter.fillRect(p.rect(), g);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 2));
    for (int x = -kDesignHeight; x < kDesignWidth; x += 24)
        painter.drawLine(x, kDesignHeight, x + kDesignHeight, 0);
    return p;
}

QLabel* label(QWidget* parent, const QFont& font, const QColor& colour, int left, int top) {
    auto* l = new QLabel(parent);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    l->move(left, top);
    return l;
}

} // namespace

QFont nearestFont(const QStringList& families, int pixelSize, bool bold) {
    const QStringList installed = QFontDatabase::families();
    QFont f;
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            f.setFamily(family);
            break;
        }
    }
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

SarPicture::SarPicture(QWidget* parent) : QWidget(parent), picture_(defaultPicture()) {
    setObjectName("Obrazek");
    const QFont labels = nearestFont({"Lucida Console", "DejaVu Sans Mono", "Liberation Mono",
                                      "Monospace"},
                                     16, true);
    const QColor navy(0, 0, 128);
    enterprise_ = label(this, labels, navy, 16, 14);
    unit_ = label(this, labels, navy, 16, 38);
    centre_ = label(this, labels, navy, 16, 62);
    period_ = label(this, nearestFont({"Elephant", "DejaVu Serif", "Liberation Serif", "Serif"}, 32,
                                      true),
                    Qt::white, kPeriodLeft, kPeriodTop);
    enterprise_->setObjectName("Podnik");
    unit_->setObjectName("Sprava");
    centre_->setObjectName("Stredisko");
    period_->setObjectName("Obdobi");
    setMinimumSize(200, 150);
}

bool SarPicture::setPicture(const QString& file) {
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    picture_ = QPixmap::fromImage(image);
    own_ = true;
    update();
    return true;
}

void SarPicture::placePeriod() {
    for (QLabel* l : {enterprise_, unit_, centre_, period_}) l->adjustSize();
    // Anchored to the right and bottom edges: the form's distances to them are kept. A
    // substitute font wider than the intended one would push the label against the edge, so
    // some margin always stays.
    const int right = std::max(kMinRightMargin, kDesignWidth - kPeriodLeft - period_->width());
    const int bottom = kDesignHeight - kPeriodTop - period_->height();
    int left = width() - right - period_->width();
    int top = height() - bottom - period_->height();
    period_->move(std::max(0, std::min(left, width() - period_->width())), std::max(0, top));
}

void SarPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

void SarPicture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    placePeriod();
}

} // namespace sarw
