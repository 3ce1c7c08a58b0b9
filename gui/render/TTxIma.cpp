#include "render/TTxIma.h"

#include "RenderFonts.h"
#include "TextPictures.h"

#include "shell/ProgramEnd.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QFontDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace sarw {

TTxIma::TTxIma(Session& s, const std::string& report, const QFont& font, QWidget* parent)
    : TPageViewer(s, " Prevedeni textove sestavy do grafickeho rezimu ", "T_I_", report, parent),
      font_(font) {
    setObjectName("TTxIma");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen.right() - 30 - 900, screen.bottom() - 30 - 540, 900, 540);
    connect(addButton("FontPol", "Font", "Volba fontu pro polozky", 0), &QPushButton::clicked, this,
            &TTxIma::chooseFont);
}

void TTxIma::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(
        &ok, font_, this, QStringLiteral("Volba fontu pro polozky"), QFontDialog::MonospacedFonts);
    if (ok) font_ = f;
}

std::unique_ptr<PageSource> TTxIma::makeSource() {
    const QColor colour = bgrColour(session().printSettings.fontColour);
    return std::make_unique<TextPictures>(session().platform().native(report()),
                                          inPictureSize(font_), colour,
                                          session().printSettings.rowsPerPage);
}

void TTxIma::showEvent(QShowEvent* e) {
    TPageViewer::showEvent(e);
    bool exists = true;
    guarded([&] { exists = fileExists(session(), report()); });
    if (exists) return;
    QTimer::singleShot(0, this, [this] {
        guarded([&] { fileExistsWarn(session(), report()); });
        reject();
    });
}

} // namespace sarw
