#include "reports/TSarUct.h"

#include "period/Period.h"
#include "reports/USarUct.h"
#include "screens/TCdsScrForm.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QFileDialog>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace sarw {

TSarUct::TSarUct(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName("TSarUct");
    setWindowTitle(QStringLiteral(" Prevod do ucetnictvi"));
    month_ = new QLineEdit(this);
    month_->setObjectName("Mesic");
    month_->setMaxLength(2);
    month_->setFixedWidth(month_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    month_->installEventFilter(this);
    gauge_ = new QProgressBar(this);
    gauge_->setRange(0, 100);
    gauge_->setValue(0);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Mesic:  "), this), 0, 0);
    grid->addWidget(month_, 0, 1);
    grid->addWidget(gauge_, 1, 0, 1, 3);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Vytvoreni", "  Vytvoreni souboru"},
                   {"Disketa", "Disketa"},
                   {"Kopirovat", "Kopirovat"},
                   {"Konec", "  Konec"}};
    int col = 0;
    auto* row = new QHBoxLayout;
    for (const auto& b : buttons) {
        auto* p = new QPushButton(QString::fromLatin1(b.caption), this);
        p->setObjectName(QString::fromLatin1(b.name));
        p->setAutoDefault(false);
        row->addWidget(p);
        ++col;
    }
    grid->addLayout(row, 2, 0, 1, 3);

    connect(button("Vytvoreni"), &QPushButton::clicked, this, [this] { guarded([this] { build(); }); });
    connect(button("Disketa"), &QPushButton::clicked, this,
            [this] { guarded([this] { Disketa(s_); }); });
    connect(button("Kopirovat"), &QPushButton::clicked, this,
            [this] { guarded([this] { copyToFile(); }); });
    connect(button("Konec"), &QPushButton::clicked, this, &QDialog::accept);
}

QPushButton* TSarUct::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void TSarUct::showEvent(QShowEvent* e) {
    month_->setText(qs(uctMonthText(s_)));
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
    month_->setFocus();
    QDialog::showEvent(e);
}

bool TSarUct::eventFilter(QObject* watched, QEvent* e) {
    // Leaving the month field checks it; a wrong month takes the focus back.
    if (watched == month_ && e->type() == QEvent::FocusOut && !checking_ && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            checking_ = true;
            if (!checkUctMonth(s_, cp(month_->text()))) month_->setFocus();
            checking_ = false;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TSarUct::build() {
    gauge_->setValue(0);
    bool shown = false;
    const std::string transfer = VytvoreniSouboru(s_, shown);
    if (transfer.empty()) return;
    gauge_->setValue(100);
    if (!shown) {
        // Without the table tool the booking table opens in the table screen.
        s_.scr = CdsScrParams{};
        s_.scr.TableFile = transfer;
        s_.scr.DefFile = uctBookingDef(s_);
        TCdsScrForm screen(s_, this);
        screen.showScreen();
    }
    gauge_->setValue(0);
}

void TSarUct::copyToFile() {
    UctSaveDialog d;
    if (!uctSaveDialog(s_, d)) return;
    QFileDialog dialog(this, QString(), QString::fromStdString(s_.platform().native(d.initialDir).string()),
                       qs(d.filter));
    dialog.setObjectName("Kopirovat");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(d.defaultExt));
    dialog.selectFile(QString::fromStdString(s_.platform().native(d.fileName).string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    Kopirovat(s_, s_.platform().programName(dialog.selectedFiles().front().toStdString()));
}

} // namespace sarw
