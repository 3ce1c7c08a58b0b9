#include "output/TNumRow.h"

#include "output/NumRowFont.h"
#include "output/ReportPrint.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace sarw {

TNumRow::TNumRow(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("TNumRow");
    setWindowTitle(QString::fromLatin1(kCaption));
    rows_ = new QLineEdit(this);
    rows_->setObjectName("Rows");
    rows_->setMaxLength(3);
    connect(rows_, &QLineEdit::editingFinished, this,
            [this] { rows_->setText(qs(rowsFieldText(cp(rows_->text())))); });
    connect(rows_, &QLineEdit::returnPressed, this, &QDialog::accept);
    orientation_ = new QComboBox(this);
    orientation_->setObjectName("Orientation");
    orientation_->addItem(qs(orientationText(0)));
    orientation_->addItem(qs(orientationText(1)));

    auto* printer = new QPushButton(QStringLiteral("Tiskarna"), this);
    printer->setObjectName("Tiskarna");
    printer->setAutoDefault(false);
    printer->setToolTip(QStringLiteral("Font a nastaveni tiskarny"));
    connect(printer, &QPushButton::clicked, this, &TNumRow::choosePrinterFont);
    auto* confirm = new QPushButton(QStringLiteral("Potvrd"), this);
    confirm->setObjectName("Potvrd");
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Pocet radku:"), rows_);
    form->addRow(QStringLiteral("Orientace:"), orientation_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QString::fromLatin1(kNumRowFontFile), this));
    layout->addWidget(printer);
    layout->addWidget(confirm);
    adjustSize();
    // 40 pixels from the right edge, 170 above the bottom.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.width() - width() - 40, screen.height() - height() - 170);
}

void TNumRow::showSettings() {
    rows_->setText(qs(rowsFieldText(std::to_string(s_.printSettings.rowsPerPage))));
    orientation_->setCurrentIndex(s_.printSettings.orientation == 1 ? 1 : 0);
}

void TNumRow::showEvent(QShowEvent* e) {
    guarded([this] { showNumRowFont(s_); });
    showSettings();
    QDialog::showEvent(e);
    findChild<QPushButton*>("Potvrd")->setFocus();
}

void TNumRow::choosePrinterFont() {
    PrintSettings& p = s_.printSettings;
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, reportFont(p), this, QStringLiteral("Font pro tisk"),
                                         QFontDialog::MonospacedFonts);
    if (ok) {
        p.fontName = cp(f.family()).substr(0, kMaxFontName);
        p.fontSize = f.pointSize() > 0 ? f.pointSize() : p.fontSize;
        p.bold = f.bold();
        p.italic = f.italic();
        p.underline = f.underline();
        p.strikeOut = f.strikeOut();
    }
    QPrinter printer(QPrinter::HighResolution);
    applyOrientation(printer, p);
    QPrintDialog d(&printer, this);
    if (d.exec() != QDialog::Accepted) return;
    const int page = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const int line = QFontMetrics(reportFont(p), &printer).height();
    p.rowsPerPage = saneRowsPerPage(std::lround(double(page) / (line + 2)) - 4);
    p.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    showSettings();
}

void TNumRow::done(int result) {
    guarded([this] {
        closeNumRowFont(s_, cp(rows_->text()), cp(orientation_->currentText()));
    });
    QDialog::done(result);
}

} // namespace sarw
