#include "output/TVyst.h"

#include "editors/TTextEdit.h"
#include "editors/WordHandOver.h"
#include "output/ReportFile.h"
#include "output/ReportPrint.h"
#include "output/ReportViewer.h"
#include "render/TTxIma.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace sarw {

TVyst::TVyst(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("TVyst");
    setWindowTitle(QString::fromLatin1(kViewerCaption));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry((screen.width() - 651) / 2 + 1, (screen.height() - 400) / 2 + 1, 651, 400);
    editor_ = new TTextEdit(s, this);

    auto* form = new QFormLayout;
    addField("File", form, "Jmeno souboru:")->setReadOnly(true);
    addField("Left", form, "Levy okraj (vynechany pocet znaku):");
    addField("Top", form, "Horni okraj (vynechany pocet radku):");
    addField("From", form, "Tisk od strany:");
    addField("To", form, "Tisk do strany:");
    addField("Mask", form, "Maska:")->setPlaceholderText(QString::fromLatin1(kMaskPrompt));

    struct Button {
        const char *name, *caption, *hint;
        void (TVyst::*run)();
    };
    const Button buttons[] = {
        {"Zobraz", "&Zobraz..", "Zobrazi a umozni editovat sestavu", &TVyst::show_},
        {"Editor", "&Editor..", "Rtf - Editor", nullptr},
        {"TZobraz", "&T-Zobraz", "Zobrazeni Win 32 v textovem rezimu", nullptr},
        {"Grafika", "&Grafika", "Prevod do grafickeho rezimu", &TVyst::toPictures},
        {"Word", "&Word...", "Prevedeni sestavy do aplikace MS Word", &TVyst::toWord},
        {"Upravit", "&Upravit..", "Upravi strankovani a nastavi masku", &TVyst::applyMaskField},
        {"Zpet", " Z&pet...", "", &TVyst::dropMaskCopy},
        {"Tiskarny", "Tiskarny", "", &TVyst::choosePrinter},
        {"Font", "Font pro tisk", "Zvoli font pro tisk", &TVyst::chooseFont},
        {"Graficky", "Graficky tisk", "Tiskne sestavu v grafickem modu", nullptr},
        {"Textovy", "Textovy tisk", "Tiskne sestavu v textovem modu", nullptr},
        {"Consolovy", "Consolovy tisk", "Tiskne sestavu v consolovem modu", nullptr},
        {"Konec", "&Konec", "", nullptr},
    };
    auto* grid = new QGridLayout;
    int at = 0;
    for (const Button& b : buttons) {
        QPushButton* button = addButton(b.name, b.caption, b.hint);
        if (b.run)
            connect(button, &QPushButton::clicked, this, [this, run = b.run] { (this->*run)(); });
        grid->addWidget(button, at / 5, at % 5);
        ++at;
    }
    connect(button("Editor"), &QPushButton::clicked, this, [this] { startOwnProgram("Pisar.Exe"); });
    connect(button("TZobraz"), &QPushButton::clicked, this,
            [this] { startOwnProgram("Nahled.Exe"); });
    connect(button("Consolovy"), &QPushButton::clicked, this,
            [this] { startOwnProgram("KonTisk.Exe"); });
    connect(button("Graficky"), &QPushButton::clicked, this, [this] { printGraphic(); });
    connect(button("Textovy"), &QPushButton::clicked, this, [this] { printText(); });
    connect(button("Konec"), &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(grid);
}

TVyst::~TVyst() = default;

QLineEdit* TVyst::addField(const char* name, QFormLayout* form, const char* label) {
    auto* f = new QLineEdit(this);
    f->setObjectName(name);
    form->addRow(QString::fromLatin1(label), f);
    return f;
}

QPushButton* TVyst::addButton(const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (*hint) b->setToolTip(QString::fromLatin1(hint));
    return b;
}

QLineEdit* TVyst::field(const char* name) const {
    return findChild<QLineEdit*>(name);
}

QPushButton* TVyst::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

void TVyst::open(const std::string& reportFile) {
    guarded([&] { openReport(s_, reportFile); });
    printFont_ = reportFont(s_.printSettings);
    editor_->text()->setFont(printFont_);
    applyOrientation(*printer_, s_.printSettings);
    field("File")->setText(qs(reportFile));
    field("Mask")->clear();
    showFields();
}

void TVyst::showFields() {
    field("Left")->setText(qs(marginFieldText(s_.vyst.leftMargin)));
    field("Top")->setText(qs(marginFieldText(s_.vyst.topMargin)));
    field("From")->setText(qs(pageFieldText(s_.vyst.printFrom)));
    field("To")->setText(qs(pageFieldText(s_.vyst.printTo)));
}

bool TVyst::takeFields(int pages) {
    bool ok = false;
    guarded([&] {
        ok = takePrintFields(s_, cp(field("Left")->text()), cp(field("Top")->text()),
                             cp(field("From")->text()), cp(field("To")->text()), pages);
    });
    showFields();
    return ok;
}

void TVyst::show_() {
    std::string file, bytes;
    bool ok = false;
    guarded([&] { ok = viewerText(s_, file, bytes); });
    if (!ok) return;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int width = screen.width() - 200;
    editor_->setGeometry(100, screen.height() * 100 / screen.width(), width,
                         screen.height() * width / screen.width());
    if (editor_->openFile(file, true)) editor_->exec();
}

void TVyst::applyMaskField() {
    guarded([this] { applyMask(s_, s_.vyst.reportFile, cp(field("Mask")->text())); });
    std::string file, bytes;
    bool ok = false;
    guarded([&] { ok = viewerText(s_, file, bytes); });
    if (ok) takeFields(countPagesInText(bytes));
}

void TVyst::dropMaskCopy() {
    guarded([this] { dropMask(s_); });
}

void TVyst::startOwnProgram(const char* program) {
    if (s_.programsDir.empty()) return;
    guarded([&] {
        const std::string file = viewerFile(s_, s_.vyst.reportFile);
        if (fileExistsWarn(s_, file))
            startProgram(s_, s_.programsDir + "\\" + program, {file}, false);
    });
}

bool TVyst::print(bool graphic) {
    std::string file, bytes;
    bool ok = false;
    guarded([&] { ok = viewerText(s_, file, bytes); });
    if (!ok || !takeFields(countPagesInText(bytes))) return false;
    // Text printing has no top margin.
    const SheetGeometry g = reportGeometry(*printer_, printFont_, graphic ? s_.vyst.topMargin : 0);
    const auto sheets = viewerPrintPages(s_, bytes, g.rows());
    if (graphic && !sheetsFitWidth(*printer_, printFont_, sheets)) {
        guarded([this] { warning(s_, kReportTooWide); });
        return false;
    }
    if (sheets.empty()) return false;
    if (printSheets(*printer_, printFont_, g, sheets)) return true;
    guarded([this] { warning(s_, "Tisk se nepodaril."); });
    return false;
}

bool TVyst::printGraphic() {
    return print(true);
}

bool TVyst::printText() {
    return print(false);
}

void TVyst::toWord() {
    std::string file, bytes;
    bool ok = false;
    guarded([&] { ok = viewerText(s_, file, bytes); });
    if (!ok) return;
    // The editor shows the report font; its colour comes with it.
    guarded([&] {
        handReportToWordProcessor(s_, file, bytes, editor_->text()->font(),
                                  reportColour(s_.printSettings));
    });
}

void TVyst::toPictures() {
    // The report itself, never the masked copy, in the font the report is shown in.
    TTxIma pictures(s_, s_.vyst.reportFile, editor_->text()->font(), this);
    pictures.exec();
}

void TVyst::choosePrinter() {
    QPrintDialog d(printer_.get(), this);
    d.exec();
}

void TVyst::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, printFont_, this, QStringLiteral("Font pro tisk"),
                                         QFontDialog::MonospacedFonts);
    if (ok) printFont_ = f;
}

void TVyst::done(int result) {
    guarded([this] { dropMask(s_); });
    QDialog::done(result);
}

} // namespace sarw
