#include "shell/SarPicture.h"
#include "shell/TSar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProxyStyle>
#include <QStyle>
#include <QToolButton>

namespace sarw {

namespace {

// The client width the toolbar was laid out in; the last four buttons keep their distance to
// the right edge.
constexpr int kDesignClientWidth = 632;

struct ToolDef {
    int left;
    const char* hint;
    QStyle::StandardPixmap icon;
    bool anchoredRight;
};

constexpr ToolDef kTools[] = {
    {3, "Zpracovani ucetnich dokladu", QStyle::SP_FileDialogDetailedView, false},
    {191, "Zmena ucetniho obdobi", QStyle::SP_BrowserReload, false},
    {501, "Kalendar", QStyle::SP_FileDialogInfoView, true},
    {531, "Hodiny", QStyle::SP_MediaPlay, true},
    {571, "Napoveda", QStyle::SP_DialogHelpButton, true},
    {608, "Ukonceni programu", QStyle::SP_DialogCloseButton, true},
};

// Hints appear after 100 ms.
class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 100;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

void TSar::buildToolbar(QWidget* panel) {
    panel->setObjectName("Nastroje");
    if (!dynamic_cast<HintStyle*>(QApplication::style())) QApplication::setStyle(new HintStyle);
    for (const ToolDef& t : kTools) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(t.hint));
        b->setToolTip(QString::fromLatin1(t.hint));
        b->setIcon(style()->standardIcon(t.icon));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("designLeft", t.left);
        b->setProperty("anchoredRight", t.anchoredRight);
        b->setGeometry(t.left, 3, 25, 25);
        tools_.push_back(b);
    }
}

void TSar::placeToolButtons() {
    const int width = tools_.empty() ? 0 : tools_.front()->parentWidget()->width();
    for (QToolButton* b : tools_) {
        const int left = b->property("designLeft").toInt();
        const bool right = b->property("anchoredRight").toBool();
        b->move(right ? width - (kDesignClientWidth - left) : left, 3);
    }
}

QToolButton* TSar::toolButton(const char* hint) const {
    for (QToolButton* b : tools_)
        if (b->objectName() == QString::fromLatin1(hint)) return b;
    return nullptr;
}

void TSar::buildTitleStrip(QWidget* strip) {
    strip->setObjectName("Titulek");
    auto* caption = new QLabel(QStringLiteral("Evidence materialu"), strip);
    caption->setFont(nearestFont({"Tahoma", "DejaVu Sans", "Liberation Sans", "Sans Serif"}, 19,
                                 true));
    QPalette green = caption->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    caption->setPalette(green);
    caption->setAlignment(Qt::AlignCenter);
    caption->setObjectName("Evidence");

    win32_ = new QLabel(strip);
    win32_->setObjectName("System");
    QFont bold = win32_->font();
    bold.setBold(true);
    win32_->setFont(bold);
    win32_->setGeometry(12, 8, 80, 16);

    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
}

} // namespace sarw
