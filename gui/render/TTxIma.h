#pragma once

#include "render/TPageViewer.h"

#include <QFont>

namespace sarw {

// A text report's pages as pictures, in the report font (replaceable by "Volba fontu pro
// polozky"), opened by the output viewer's "Grafika".
class TTxIma : public TPageViewer {
    Q_OBJECT
public:
    TTxIma(Session& s, const std::string& report, const QFont& font, QWidget* parent = nullptr);

    const QFont& reportFont() const { return font_; }
    void setReportFont(const QFont& font) { font_ = font; }

protected:
    std::unique_ptr<PageSource> makeSource() override;
    bool refuseEmpty() const override { return true; }
    void showEvent(QShowEvent* e) override;

private:
    void chooseFont();

    QFont font_;
};

} // namespace sarw
