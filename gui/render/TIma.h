#pragma once

#include "render/TPageViewer.h"

#include "screens/ColumnGeometry.h"

#include <QFont>

class QCheckBox;

namespace sarw {

// The framed graphic table report ("Sestava III" of the table screen): the table report drawn
// in a frame with its headings and texts, through the shared image viewer.
class TIma : public TPageViewer {
    Q_OBJECT
public:
    TIma(Session& s, const std::string& report, ColumnGeometry geometry, QWidget* parent = nullptr);

    // Draws the pages as soon as the window is first shown.
    bool generateAtOnce = false;
    QCheckBox* frames() const { return frames_; }

protected:
    std::unique_ptr<PageSource> makeSource() override;
    void showEvent(QShowEvent* e) override;

private:
    void chooseFont(QFont& font, const char* title);

    ColumnGeometry g_;
    QFont headingFont_;
    QFont itemsFont_;
    QCheckBox* frames_;
    bool shownOnce_ = false;
};

} // namespace sarw
