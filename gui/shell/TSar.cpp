#include "shell/TSar.h"

#include "access/Rights.h"
#include "access/THesloG.h"
#include "access/THesloP.h"
#include "editors/HelpWindow.h"
#include "editors/TTextEdit.h"
#include "period/TObd.h"
#include "period/TObd12.h"
#include "screens/TCdsScrForm.h"
#include "shell/LSysDate.h"
#include "shell/MenuHints.h"
#include "shell/MenuKeys.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/SarPicture.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "start/DataDisk.h"
#include "start/Startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace sarw {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 539;
// The window's own frame: the client area is 8 pixels narrower than the window.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 31;
constexpr const char* kMakerNotice = "Vsechna prava vyhrazena";

bool ctrlAlt(const QKeyEvent* k, int key) {
    const auto m = k->modifiers();
    return k->key() == key && (m & Qt::ControlModifier) && (m & Qt::AltModifier);
}

} // namespace

std::string TSar::designTitle() {
    return "SarW" + blanks(44) + "Verze 1.1" + blanks(4) + "01.02.2012" + blanks(32) + kMakerNotice;
}

TSar::TSar(Session& s)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName("TSar");
    setWindowTitle(qs(designTitle()));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* panel = new QWidget(central);
    panel->setFixedHeight(30);
    auto* strip = new QWidget(central);
    strip->setFixedHeight(30);
    picture_ = new SarPicture(central);
    layout->addWidget(panel);
    layout->addWidget(strip);
    layout->addWidget(picture_, 1);
    setCentralWidget(central);
    buildToolbar(panel);
    buildTitleStrip(strip);
    buildMenu();
    assignMnemonics(menuBar());
    showMenuHintsBeside(menuBar());
    openMenuBarByKeyboard(this);

    obd_ = std::make_unique<TObd>(s_, this);
    obd12_ = std::make_unique<TObd12>(s_, this);
    hesloG_ = std::make_unique<THesloG>(s_, this);
    hesloP_ = std::make_unique<THesloP>(s_, this);
    text_ = std::make_unique<TTextEdit>(s_, this);
    scr_ = std::make_unique<TCdsScrForm>(s_, this);
    help_ = std::make_unique<HelpWindow>(s_, this);
    qApp->installEventFilter(this);
}

TSar::~TSar() {
    qApp->removeEventFilter(this);
}

void TSar::createStep(const std::vector<std::string>& parameters) {
    startupDateCheck(s_);
    s_.dataDisk = resolveDataDisk(s_, parameters.empty() ? std::string() : parameters[0]);
    s_.programsDir = s_.dataDisk + "\\LSarW\\Programy";

    resize(kWidth - kFrameWidth, kHeight - kFrameHeight);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move((screen.width() - kWidth) / 2 + 1, (screen.height() - kHeight) / 2 + 1);
    obd_->setPlace(x() + 400, y() + 120);

    if (logicalDpiX() >= 96) setWindowTitle(qs(shortenBlankRuns(designTitle(), 10)));
    win32_->setText(QStringLiteral("WIN 32"));
}

void TSar::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (e->spontaneous()) return;
    showStep();
    if (s_.startup.firstActivation && !activationQueued_ && !endRequested()) {
        activationQueued_ = true;
        QTimer::singleShot(0, this, [this] { firstActivation(); });
    }
}

void TSar::showStep() {
    bool shown = false;
    guarded([&] { shown = sarw::showStep(s_); });
    if (!shown) {
        // SarInic.TXT is missing: the application ends after its not-found warning.
        if (!endRequested()) endProgramNow(kEndNormal);
        return;
    }
    obd_->setPlace(x() + 390, y() + 130);
    showLabels();
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void TSar::showLabels() {
    const MainLabels l = mainLabels(s_);
    picture_->period()->setText(qs(l.period));
    picture_->enterprise()->setText(qs(l.enterprise));
    picture_->managementUnit()->setText(qs(l.managementUnit));
    picture_->costCentre()->setText(qs(l.costCentre));
    picture_->placePeriod();
}

void TSar::firstActivation() {
    if (!s_.startup.firstActivation || endRequested()) return;
    guarded([this] {
        s_.dialogs().processEvents();
        showLogin();
        if (hesloG_->endedProgram() || endRequested()) return;
        dos_->menuAction()->setVisible(dosMenuVisible(s_));
        if (!loginStatusAccepted(s_.login.status)) {
            endProgramNow(kEndNormal);
            return;
        }
        const std::string jpg = workDir(s_, "PomSoub") + "\\Sar.Jpg";
        if (fileExists(s_, jpg))
            picture_->setPicture(QString::fromStdString(s_.platform().native(jpg).string()));
        if (!sarw::firstActivation(s_)) endProgramNow(kEndNormal);
        // The keyboard comes back to the main window after the login, also where no window
        // manager hands it over: its menu keys and shortcuts work at once.
        activateWindow();
    });
}

void TSar::closeEvent(QCloseEvent* e) {
    bool end = false;
    guarded([&] { end = endProgram(s_); });
    if (end)
        e->accept();
    else
        e->ignore();
}

bool TSar::eventFilter(QObject* watched, QEvent* e) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, e);
    if (e->type() == QEvent::Resize && !tools_.empty() && watched == tools_.front()->parentWidget())
        placeToolButtons();
    if (e->type() == QEvent::KeyPress) {
        s_.login.loginFlag = true;
        auto* k = static_cast<QKeyEvent*>(e);
        if (ctrlAlt(k, Qt::Key_A)) {
            showRights();
            return true;
        }
        if (ctrlAlt(k, Qt::Key_H)) {
            showLogin();
            return true;
        }
    } else if (e->type() == QEvent::ToolTip && !widget->toolTip().isEmpty()) {
        // Hints stay for five seconds.
        auto* help = static_cast<QHelpEvent*>(e);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, 5000);
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TSar::showLogin() {
    s_.login.loginFlag = true;
    hesloG_->exec();
}

void TSar::showRights() {
    hesloP_->exec();
}

} // namespace sarw
