#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace sarw {

// The picture area of the main window: a stretched background picture with the enterprise,
// management unit and cost centre labels at the top left and the period label anchored to the
// bottom right.
class SarPicture : public QWidget {
    Q_OBJECT
public:
    explicit SarPicture(QWidget* parent);

    // A picture that cannot be read leaves the current one.
    bool setPicture(const QString& file);
    bool hasOwnPicture() const { return own_; }

    QLabel* enterprise() const { return enterprise_; }
    QLabel* managementUnit() const { return unit_; }
    QLabel* costCentre() const { return centre_; }
    QLabel* period() const { return period_; }
    void placePeriod();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QPixmap picture_;
    bool own_ = false;
    QLabel* enterprise_;
    QLabel* unit_;
    QLabel* centre_;
    QLabel* period_;
};

// A font of the first installed family of the list, bold, of the pixel size.
QFont nearestFont(const QStringList& families, int pixelSize, bool bold);

} // namespace sarw
