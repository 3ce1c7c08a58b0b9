#include "render/TIma.h"

#include "FramedPictures.h"
#include "RenderFonts.h"

#include "screens/FramedTableReport.h"
#include "shell/ProgramEnd.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace sarw {

TIma::TIma(Session& s, const std::string& report, ColumnGeometry geometry, QWidget* parent)
    : TPageViewer(s, "  Vytvoreni sestavy v grafickem rezimu ", "I_", report, parent),
      g_(std::move(geometry)), headingFont_(pictureFont(g_.boldFont)),
      itemsFont_(pictureFont(g_.regularFont)) {
    setObjectName("TIma");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen.right() - 40 - 930, screen.bottom() - 40 - 540, 930, 540);
    connect(addButton("FontHlav", "Font H", "Volba fontu pro hlavicku", 0), &QPushButton::clicked,
            this, [this] { chooseFont(headingFont_, "Volba fontu pro hlavicku"); });
    connect(addButton("FontPol", "Font P", "Volba fontu pro polozky", 1), &QPushButton::clicked,
            this, [this] { chooseFont(itemsFont_, "Volba fontu pro polozky"); });
    frames_ = new QCheckBox(QStringLiteral("Ramecky"), this);
    frames_->setObjectName("Ramecky");
    frames_->setChecked(true);
    panel()->insertWidget(panel()->indexOf(button("PDF")), frames_);
}

void TIma::chooseFont(QFont& font, const char* title) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, this, QString::fromLatin1(title));
    if (ok) font = inPictureSize(f);
}

std::unique_ptr<PageSource> TIma::makeSource() {
    bool found = false;
    std::vector<bool> numeric;
    guarded([&] { numeric = framedNumericColumns(session(), g_, found); });
    if (!found) return nullptr;
    auto source = std::make_unique<FramedPictures>(session().platform().native(report()), g_,
                                                   std::move(numeric), frames_->isChecked());
    source->headingFont = headingFont_;
    source->itemsFont = itemsFont_;
    source->tallPage = [this](int page) {
        // Told while the pictures are drawn, not again for each PDF.
        if (!generating()) return;
        std::string number = std::to_string(page);
        number.insert(0, number.size() < 7 ? 7 - number.size() : 0, ' ');
        guarded([&] {
            session().dialogs().error("Vyska strany je mensi nez vyska vlozeneho textu !",
                                      "Strana:" + number);
        });
    };
    return source;
}

void TIma::showEvent(QShowEvent* e) {
    TPageViewer::showEvent(e);
    if (shownOnce_) return;
    shownOnce_ = true;
    QTimer::singleShot(0, this, [this] {
        bool exists = false;
        guarded([&] {
            exists = fileExistsWarn(session(), report()) && fileExistsWarn(session(), g_.workDef);
        });
        if (!exists)
            reject();
        else if (generateAtOnce)
            generate();
    });
}

} // namespace sarw
