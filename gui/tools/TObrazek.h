#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;

namespace sarw {

// SarW's own picture window: stands in for the maker's picture programs when the desktop has no
// program for the picture. Shows it at its size, scrolled when larger than the screen.
class TObrazek : public QDialog {
    Q_OBJECT
public:
    explicit TObrazek(QWidget* parent = nullptr);
    // False when the file is no picture Qt can read; the window then shows nothing.
    bool load(const QString& nativeFile);
    QLabel* picture() const { return picture_; }

private:
    QScrollArea* area_ = nullptr;
    QLabel* picture_ = nullptr;
};

} // namespace sarw
