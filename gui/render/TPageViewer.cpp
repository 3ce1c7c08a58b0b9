#include "render/TPageViewer.h"

#include "PagePdf.h"
#include "PagePictureFiles.h"
#include "PageSource.h"

#include "output/ReportFile.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace sarw {

namespace {

// Measures the screen-to-printer resolution as the design does: a fixed text on both canvases.
constexpr const char* kRuler = "QWERTYUIOPqwertyuiopASDFGHJKLasdfghjklZXCVBNMzxcvbnm1234567890";

} // namespace

TPageViewer::TPageViewer(Session& s, const char* caption, const char* prefix, std::string report,
                         QWidget* parent)
    : QDialog(parent), s_(s), prefix_(prefix), report_(std::move(report)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QString::fromLatin1(caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    panel_ = new QHBoxLayout;
    panel_->setSpacing(2);
    layout->addLayout(panel_);
    area_ = new QScrollArea(this);
    picture_ = new QLabel(area_);
    picture_->setObjectName("picture");
    picture_->setStyleSheet(QStringLiteral("background: white"));
    area_->setWidget(picture_);
    area_->setWidgetResizable(false);
    layout->addWidget(area_, 1);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& file) {
        for (int page = 1; page <= pages_; ++page)
            if (QString::fromStdString(s_.platform().native(pictureFile(page)).string()) == file)
                pictureChanged(page);
    });
    buildPanel();
}

TPageViewer::~TPageViewer() = default;

QPushButton* TPageViewer::addButton(const char* name, const char* caption, const char* hint,
                                    int at) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (*hint) b->setToolTip(QString::fromLatin1(hint));
    panel_->insertWidget(at, b);
    return b;
}

QLineEdit* TPageViewer::addField(const char* name, const char* label, const char* text) {
    if (*label) panel_->addWidget(new QLabel(QString::fromLatin1(label), this));
    auto* f = new QLineEdit(QString::fromLatin1(text), this);
    f->setObjectName(name);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 10);
    panel_->addWidget(f);
    return f;
}

void TPageViewer::buildPanel() {
    struct Button {
        const char *name, *caption, *hint;
        void (TPageViewer::*run)();
    };
    const Button buttons[] = {
        {"GenerSes", "Vytvoreni", "Vytvoreni sestavy", &TPageViewer::generate},
        {"Prvni", "|<", "Prvni stranka", &TPageViewer::first},
        {"Predchazejici", "<", "Predchazejici stranka", &TPageViewer::previous},
        {"Nasledujici", ">", "Nasledujici stranka", &TPageViewer::next},
        {"Posledni", ">|", "Posledni stranka", &TPageViewer::last},
        {"Editace", "Editace", "Editace aktualni stranky", &TPageViewer::editPage},
        {"TiskStr", "Tisk", "Tisk aktualni stranky", nullptr},
    };
    for (const Button& b : buttons) {
        QPushButton* button = addButton(b.name, b.caption, b.hint);
        if (b.run)
            connect(button, &QPushButton::clicked, this, [this, run = b.run] { (this->*run)(); });
    }
    connect(button("TiskStr"), &QPushButton::clicked, this, [this] { printCurrent(); });
    QLineEdit* str1 = addField("Str1", "Str1:", "0000");
    QLineEdit* str2 = addField("Str2", "Str2:", "9999");
    connect(addButton("ZobrStr1", "Zobrazit", "Zobrazeni stranky Str1"), &QPushButton::clicked,
            this, &TPageViewer::showStr1);
    connect(addButton("TiskOdDo", "Tisk od-do", "Tisk stranek Str1 az Str2"), &QPushButton::clicked,
            this, [this] { printRange(); });
    QLineEdit* percent = addField("Procento", "", " 100");
    percent->setToolTip(QStringLiteral("Procento rozmeru plochy urcene k tisku"));
    panel_->addWidget(new QLabel(QStringLiteral("%"), this));
    connect(addButton("PDF", "  PDF", ""), &QPushButton::clicked, this, &TPageViewer::exportPdf);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setMaximumWidth(80);
    panel_->addWidget(progress_);
    connect(addButton("Konec", "X", ""), &QPushButton::clicked, this, &QDialog::accept);
    panel_->addStretch();

    // Leaving a range field checks it; Enter in Str1 also shows its page.
    connect(str1, &QLineEdit::editingFinished, this, [this] { takeRange(leaveStr1); });
    connect(str1, &QLineEdit::returnPressed, this, &TPageViewer::showStr1);
    connect(str2, &QLineEdit::editingFinished, this, [this] { takeRange(leaveStr2); });
    connect(percent, &QLineEdit::editingFinished, this, &TPageViewer::readScale);
}

QPushButton* TPageViewer::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

QLineEdit* TPageViewer::field(const char* name) const {
    return findChild<QLineEdit*>(name);
}

std::string TPageViewer::pictureFile(int page) const {
    return pagePictureName(prefix_, report_, page);
}

bool TPageViewer::landscape() const {
    return s_.printSettings.orientation == 1;
}

void TPageViewer::readScale() {
    const PrintScale p = readPrintScale(cp(field("Procento")->text()));
    field("Procento")->setText(qs(p.field));
    scale_ = p.scale;
}

void TPageViewer::deletePictures() {
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    guarded([&] { deletePagePictures(s_, prefix_, report_); });
    retouched_.clear();
}

void TPageViewer::generate() {
    if (generating_) return;
    generating_ = true;
    cancel_ = false;
    deletePictures();
    pages_ = current_ = 0;
    shown_ = QImage();
    picture_->clear();
    s_.dialogs().progressShow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<PageSource> source = makeSource();
    bool ok = source && source->prepare();
    if (ok && source->pageCount() > 0) {
        guarded([&] { makePath(s_, "C:\\A_Run\\Sestavy"); });
        const int count = source->pageCount();
        const PictureRun run = writePagePictures(
            *source, 1, count, [this](int page) { return s_.platform().native(pictureFile(page)); },
            [&](int page) {
                const int percent = static_cast<int>(std::lround((page + 1) * 100.0 / count));
                progress_->setValue(std::min(percent, 100));
                QApplication::processEvents();
                return !cancel_;
            });
        ok = run.ok || cancel_;
        pages_ = run.pagesWritten;
        // The tallest page of this report: another report's pages do not stretch these.
        commonHeight_ = run.tallest;
        width_ = source->pictureWidth();
    }
    QApplication::restoreOverrideCursor();
    progress_->setValue(0);
    s_.dialogs().progressClose();
    generating_ = false;
    if (cancel_) {
        reject();
        return;
    }
    if (!ok) {
        guarded([&] { s_.dialogs().error("Sestavu nelze prevest do grafickeho formatu !", ""); });
        return;
    }
    if (pages_ == 0) {
        if (refuseEmpty()) guarded([&] { information(s_, "Sestava je prazdna !"); });
        return;
    }
    for (int page = 1; page <= pages_; ++page)
        watcher_->addPath(QString::fromStdString(s_.platform().native(pictureFile(page)).string()));
    range_ = {pageNumberText(1), pageNumberText(pages_)};
    field("Str1")->setText(qs(range_.str1));
    field("Str2")->setText(qs(range_.str2));
    showPage(1);
}

void TPageViewer::showPage(int page) {
    if (page < 1 || page > pages_) return;
    const QImage loaded(QString::fromStdString(s_.platform().native(pictureFile(page)).string()));
    if (loaded.isNull()) return;
    current_ = page;
    shown_ = extendedTo(loaded, commonHeight_);
    picture_->setPixmap(QPixmap::fromImage(shown_));
    picture_->resize(shown_.size());
    range_.str1 = pageNumberText(page);
    field("Str1")->setText(qs(range_.str1));
}

namespace {

void raiseStr2(QLineEdit* str1, QLineEdit* str2) {
    if (str2->text().toInt() < str1->text().toInt()) str2->setText(str1->text());
}

} // namespace

void TPageViewer::previous() {
    if (current_ > 1) showPage(current_ - 1);
    raiseStr2(field("Str1"), field("Str2"));
}

void TPageViewer::next() {
    if (current_ < pages_) showPage(current_ + 1);
    raiseStr2(field("Str1"), field("Str2"));
}

void TPageViewer::last() {
    showPage(pages_);
    raiseStr2(field("Str1"), field("Str2"));
}

bool TPageViewer::takeRange(bool (*check)(Session&, PageRangeFields&, int)) {
    if (pages_ == 0) return false;
    range_ = {cp(field("Str1")->text()), cp(field("Str2")->text())};
    bool inside = false;
    guarded([&] { inside = check(s_, range_, pages_); });
    field("Str1")->setText(qs(range_.str1));
    field("Str2")->setText(qs(range_.str2));
    return inside;
}

void TPageViewer::showStr1() {
    if (takeRange(leaveStr1)) showPage(range_.first());
}

void TPageViewer::editPage() {
    if (current_ == 0) return;
    // The page's own picture, so the editor never sees a picture left from another page.
    guarded([&] { openDocument(s_, pictureFile(current_)); });
}

void TPageViewer::pictureChanged(int page) {
    retouched_.insert(page);
    // Editors save by replacing the file: watch the new one.
    const QString file = QString::fromStdString(s_.platform().native(pictureFile(page)).string());
    if (!watcher_->files().contains(file)) watcher_->addPath(file);
    if (page == current_) showPage(page);
}

bool TPageViewer::print(bool range) {
    readScale();
    if (!takeRange(checkPageRange)) return false;
    const int from = range ? range_.first() : current_;
    const int to = range ? range_.last() : current_;
    if (from > to) return false;
    const QImage first =
        extendedTo(QImage(QString::fromStdString(s_.platform().native(pictureFile(1)).string())),
                   commonHeight_);
    if (first.isNull()) return false;
    printer_->setPageOrientation(first.width() < first.height() ? QPageLayout::Portrait
                                                                : QPageLayout::Landscape);
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QRect sheet = printer_->pageLayout().paintRectPixels(printer_->resolution());
    const QFont ruler = font();
    const double ratio = QFontMetricsF(ruler, printer_.get()).horizontalAdvance(kRuler) /
                         QFontMetricsF(ruler, &first).horizontalAdvance(kRuler);
    const SheetRect r = pictureOnSheet(first.width(), first.height(), ratio, scale_, sheet.width(),
                                       sheet.height(), first.width() < first.height());
    // Every page is a print job of its own.
    for (int page = from; page <= to; ++page) {
        const QImage picture = extendedTo(
            QImage(QString::fromStdString(s_.platform().native(pictureFile(page)).string())),
            commonHeight_);
        if (picture.isNull()) break;
        QPainter p;
        if (!p.begin(printer_.get())) return false;
        p.drawImage(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), picture);
        p.end();
    }
    return true;
}

bool TPageViewer::printCurrent() {
    return print(false);
}

bool TPageViewer::printRange() {
    return print(true);
}

void TPageViewer::exportPdf() {
    if (pages_ == 0) return;
    const std::string dir = report_.substr(0, report_.find_last_of('\\') + 1);
    QFileDialog d(this, QStringLiteral("PDF"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setNameFilter(QStringLiteral("Pdf soubory (*.Pdf *.pdf)"));
    d.setDirectory(QString::fromStdString(s_.platform().native(dir).string()));
    d.selectFile(qs(baseName(report_) + ".Pdf"));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    std::string target = cp(d.selectedFiles().first());
    const std::size_t dot = target.find_last_of('.');
    if (dot != std::string::npos && dot > target.find_last_of('/')) target.resize(dot);
    target += ".Pdf";
    if (!writePdf(target)) return;
    bool show = false;
    guarded([&] {
        show = question(s_, "Byl vytvoren soubor: \r\r     " + target + "\r\rMa byt zobrazen ?");
    });
    if (show) guarded([&] { openDocument(s_, target); });
}

bool TPageViewer::writePdf(const std::string& target) {
    if (!takeRange(checkPageRange) || range_.first() > range_.last()) return false;
    std::unique_ptr<PageSource> source = makeSource();
    if (!source || !source->prepare()) {
        guarded([&] { s_.dialogs().error("Sestavu nelze prevest do grafickeho formatu !", ""); });
        return false;
    }
    PdfRequest request;
    request.from = range_.first();
    request.to = range_.last();
    request.landscape = landscape();
    request.picture = [this](int page) {
        if (!retouched_.count(page)) return QImage();
        return QImage(QString::fromStdString(s_.platform().native(pictureFile(page)).string()));
    };
    const int count = request.to - request.from + 1;
    request.progress = [&](int page) {
        progress_->setValue(static_cast<int>((page - request.from + 1) * 100 / count));
        QApplication::processEvents();
        return !cancel_;
    };
    cancel_ = false;
    s_.dialogs().progressShow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string fault = writePagesPdf(*source, s_.platform().native(target), request);
    QApplication::restoreOverrideCursor();
    progress_->setValue(0);
    s_.dialogs().progressClose();
    if (!fault.empty()) guarded([&] { s_.dialogs().error(fault, ""); });
    return fault.empty();
}

void TPageViewer::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        // Esc stops a generation; otherwise it closes as in any dialog.
        cancel_ = true;
        if (generating_) return;
    }
    QDialog::keyPressEvent(e);
}

void TPageViewer::done(int result) {
    // Closed while drawing: the drawing stops and closes the window itself.
    if (generating_) {
        cancel_ = true;
        return;
    }
    deletePictures();
    pages_ = current_ = 0;
    QDialog::done(result);
}

} // namespace sarw
