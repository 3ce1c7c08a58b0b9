#include "stock/TSarObn.h"

#include "period/Period.h"
#include "screens/TCdsScrForm.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "stock/USarObn.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace sarw {

TSarObn::TSarObn(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName("TSarObn");
    setWindowTitle(QStringLiteral("  Obnova dat po havarii"));

    help_ = new QToolButton(this);
    help_->setObjectName("Napoveda");
    help_->setText(QStringLiteral("?"));
    help_->setToolTip(QStringLiteral("Napoveda"));
    turnovers_ = new QPushButton(QStringLiteral("  Mesicni obraty"), this);
    turnovers_->setObjectName("Obraty");
    states_ = new QPushButton(QStringLiteral("  Pocatecni mesicni stavy"), this);
    states_->setObjectName("Stavy");
    close_ = new QPushButton(QStringLiteral("  Konec"), this);
    close_->setObjectName("Konec");
    for (QPushButton* b : {turnovers_, states_, close_}) b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(help_, 0, 0);
    grid->addWidget(turnovers_, 0, 1);
    grid->addWidget(states_, 0, 2);
    grid->addWidget(close_, 1, 2);
    setMinimumSize(373, 87);

    connect(help_, &QToolButton::clicked, this,
            [this] { guarded([this] { showHelpText(s_, "SarObn"); }); });
    connect(turnovers_, &QPushButton::clicked, this,
            [this] { guarded([this] { restore(restoreTurnoverChoice(s_)); }); });
    connect(states_, &QPushButton::clicked, this,
            [this] { guarded([this] { restore(restoreStateChoice(s_)); }); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TSarObn::showEvent(QShowEvent* e) {
    ReadPeriod(s_);
    readInic(s_);
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center() + QPoint(1, 1));
    QDialog::showEvent(e);
}

void TSarObn::restore(const RestoreChoice& choice) {
    const std::string chosen = chooseArchived(choice);
    if (chosen.empty()) return;
    const bool tool = tableToolExists(s_);
    if (!tool) showArchived(chosen, choice);
    restoreFromArchive(s_, chosen, choice, tool);
}

std::string TSarObn::chooseArchived(const RestoreChoice& choice) {
    const std::string dir = restoreArchiveDir(s_);
    QFileDialog dialog(this, QString(), QString::fromStdString(s_.platform().native(dir).string()),
                       qs("Archivni soubory (" + choice.mask + ")"));
    dialog.setObjectName("ArchivniSoubory");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return s_.platform().programName(dialog.selectedFiles().front().toStdString());
}

void TSarObn::showArchived(const std::string& file, const RestoreChoice& choice) {
    s_.scr = CdsScrParams{};
    s_.scr.TableFile = file;
    s_.scr.DefFile = choice.def;
    TCdsScrForm screen(s_, this);
    screen.showScreen();
}

} // namespace sarw
