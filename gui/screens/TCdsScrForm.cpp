#include "screens/TCdsScrForm.h"

#include "editors/TRtfEdit.h"
#include "editors/WordHandOver.h"
#include "export/TCdsExcel.h"
#include "output/NumRowFont.h"
#include "output/ReportPrint.h"
#include "output/ShowReport.h"
#include "output/TNumRow.h"
#include "platform/Cp1250.h"
#include "render/TIma.h"
#include "screens/ScrClip.h"
#include "screens/ScrGrid.h"
#include "screens/TCdsScrT.h"
#include "shell/LSysDate.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/Writing.h"
#include "tables/library/CdsCopySupport.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace sarw {

namespace {

// Writing beside or into a table of the data disk holds its writer lock; work files do not
// need it. False when the lock was not to be had (after its warning).
template <class F> bool writingFile(Session& s, const std::string& file, F&& f) {
    if (inWorkDirs(s, file)) {
        f();
        return true;
    }
    bool ran = false;
    writing(s, [&] {
        f();
        ran = true;
    });
    return ran;
}

} // namespace

TCdsScrForm::TCdsScrForm(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), scr_(s), model_(scr_) {
    setObjectName("TCdsScr");
    scr_.viewStoredBytes = true;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildPanel();
    grid_ = new ScrGrid(this);
    grid_->setModel(&model_);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    // Where Courier New is missing, the system's fixed-pitch font keeps the columns aligned.
    const QFontInfo found(font);
    grid_->setFont(found.family() == font.family() && found.fixedPitch()
                       ? font
                       : QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->keys = [this](QKeyEvent* e) { return gridKey(e); };
    layout->addWidget(panel_);
    layout->addWidget(grid_);
    buildMenu();
    buildShortcuts();
    resize(980, 580);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateLabels(); });

    auto on = [this](const char* name, auto f) {
        connect(buttons_[name], &QAbstractButton::clicked, this, f);
    };
    on("oprava", [this] {
        grid_->finishEditing();
        scr_.toggleEditMode();
        updateEditState();
    });
    on("param", [this] { grouping(); });
    on("vyraz", [this] { showTool(Tool::Expression, s_, this); });
    on("kalkulacka", [this] { showTool(Tool::Calculator, s_, this); });
    on("hodiny", [this] { showTool(Tool::Clock, s_, this); });
    on("kalendar", [this] { showTool(Tool::Calendar, s_, this); });
    on("tiskOkna", [this] { printWindow(); });
    on("sestava1", [this] { sestavaI(); });
    on("excel", [this] { excelExport(); });
    on("sestava3", [this] { sestavaIII(); });
    on("word", [this] { wordReport(); });
    on("font", [this] { printSettings(); });
    on("schranka", [this] { clipboardText(); });
    on("konec", [this] { accept(); });
    on("najitKlic", [this] { search(0); });
    on("najitRet", [this] { search(1); });
    on("prvni", [this] { moveTo(0, scr_.col); });
    on("predchozi", [this] { pull(), moveTo(scr_.rec ? scr_.rec - 1 : 0, scr_.col); });
    on("dalsi", [this] { pull(), moveTo(scr_.rec + 1, scr_.col); });
    on("posledni", [this] { moveTo(scr_.recordCount(), scr_.col); });
    on("vlozit", [this] { pull(), scr_.insertRecord(), afterEdit(); });
    on("zrusit", [this] { pull(), scr_.deleteRecord(), afterEdit(); });
    on("ulozit", [this] {
        grid_->finishEditing();
        pull(), scr_.saveCell(), afterEdit();
    });
    on("schrankaCti", [this] {
        grid_->finishEditing();
        pull(), scr_.putCell(cp(QApplication::clipboard()->text())), afterEdit();
    });
    on("schrankaUloz", [this] {
        pull();
        if (scr_.rec < scr_.recordCount())
            QApplication::clipboard()->setText(qs(scr_.cellText(scr_.rec, scr_.col)));
    });
    on("vyprazdnit", [this] { guarded([this] { scr_.emptyTable(false), afterEdit(); }); });
    on("textZacatek", [this] { openTextFile(upperText_); });
    on("textKonec", [this] { openTextFile(lowerText_); });
    on("textVpravo", [this] { openTextFile(rightText_); });
    on("vsechny", [this] { scr_.allColumns = true; });
    on("neprazdne", [this] { scr_.allColumns = false; });
    connect(minimal_, &QCheckBox::clicked, this, [this](bool ticked) {
        grid_->finishEditing();
        guarded([&] { scr_.setMinimalWidth(ticked); });
        reloadTable();
    });
    connect(search_, &QLineEdit::returnPressed, this, [this] { search(2); });
    connect(heading1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { scr_.heading1 = cp(t); });
    connect(heading2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { scr_.heading2 = cp(t); });
    connect(heading1_, &QLineEdit::editingFinished, this, [this] {
        if (!time_->isChecked()) return;
        guarded([this] { scr_.heading1 += "  " + today(s_) + "  " + now(s_); });
        heading1_->setText(qs(scr_.heading1));
    });
    connect(time_, &QCheckBox::toggled, this, [this](bool on) { scr_.withTime = on; });
}

TCdsScrForm::~TCdsScrForm() = default;

QAbstractButton* TCdsScrForm::button(const std::string& name) const {
    const auto it = buttons_.find(name);
    return it == buttons_.end() ? nullptr : it->second;
}

bool TCdsScrForm::openScreen() {
    const CdsScrParams& p = s_.scr;
    upperText_ = p.upperText;
    rightText_ = p.rightText;
    lowerText_ = p.lowerText;
    const std::string heading = p.heading1;
    const std::string file = p.TableFile;
    bool shown = false;
    guarded([&] { shown = scr_.show(); });
    if (!shown) {
        scr_.close();
        return false;
    }
    open_ = true;
    const std::string caption =
        heading.empty() ? "  " + today(s_) + "  " + now(s_) + std::string(20, ' ') + file
                        : "  " + heading + std::string(10, ' ') + file;
    setWindowTitle(qs(caption));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.right() - width() - 40, r.bottom() - height() - 40);
    }
    search_->setText(qs(p.searchText));
    heading1_->setText(qs(scr_.heading1));
    heading2_->setText(qs(scr_.heading2));
    time_->setChecked(false);
    minimal_->setChecked(p.minimalWidth);
    buttons_["vsechny"]->setChecked(scr_.allColumns);
    buttons_["neprazdne"]->setChecked(!scr_.allColumns);
    buttons_["textZacatek"]->setVisible(!upperText_.empty());
    buttons_["textKonec"]->setVisible(!lowerText_.empty());
    buttons_["textVpravo"]->setVisible(!rightText_.empty());
    rows_->setText(QString::number(s_.printSettings.rowsPerPage));
    fill();
    grid_->setFocus();
    return true;
}

void TCdsScrForm::showScreen() {
    if (openScreen()) exec();
}

void TCdsScrForm::fill() {
    model_.reload();
    setColumnWidths();
    updateEditState();
    push();
}

void TCdsScrForm::reloadTable() {
    if (!scr_.loaded()) {
        // Showing again failed (after its message): nothing is left to show.
        model_.reload();
        reject();
        return;
    }
    fill();
}

void TCdsScrForm::setColumnWidths() {
    const QFontMetrics fm(grid_->font());
    // Seven pixels a character in Courier New; a wider font gets its own width, and the cell's
    // margins are added, so that no value is cut.
    const int digit = std::max(7, fm.horizontalAdvance(QLatin1Char('0')));
    const int margins = 2 * grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    const auto& fields = scr_.fields();
    for (int c = 0; c < static_cast<int>(fields.size()); ++c) {
        const FieldInfo& f = fields[static_cast<std::size_t>(c)];
        grid_->setColumnWidth(
            c, std::max(fm.horizontalAdvance(qs(f.name)) + 5, f.size * digit + margins) + 5);
    }
}

void TCdsScrForm::updateEditState() {
    const bool edit = scr_.editMode();
    auto* oprava = buttons_["oprava"];
    oprava->setEnabled(scr_.editAllowed());
    oprava->setChecked(edit);
    oprava->setText(edit ? QStringLiteral("  Oprava [+]") : QStringLiteral("  Oprava"));
    for (const char* name : {"vlozit", "zrusit", "ulozit", "schrankaCti", "vyprazdnit"})
        buttons_[name]->setEnabled(edit);
    grid_->setEditTriggers(edit ? QAbstractItemView::AnyKeyPressed |
                                      QAbstractItemView::DoubleClicked |
                                      QAbstractItemView::EditKeyPressed
                                : QAbstractItemView::NoEditTriggers);
}

void TCdsScrForm::updateLabels() {
    const QModelIndex i = grid_->currentIndex();
    columnLabel_->setText(QString("Sloupec: %1").arg(i.isValid() ? i.column() + 1 : 0, 4));
    recordLabel_->setText(QString("Radek: %1").arg(i.isValid() ? i.row() + 1 : 0, 8));
}

void TCdsScrForm::pull() {
    const QModelIndex i = grid_->currentIndex();
    if (!i.isValid()) return;
    scr_.rec = static_cast<std::size_t>(i.row());
    scr_.col = i.column();
}

void TCdsScrForm::push() {
    moveTo(scr_.rec, scr_.col);
}

void TCdsScrForm::moveTo(std::size_t record, int column) {
    const int rows = model_.rowCount(), columns = model_.columnCount();
    if (rows == 0 || columns == 0) return updateLabels();
    const int r =
        static_cast<int>(std::min<std::size_t>(record, static_cast<std::size_t>(rows - 1)));
    const QModelIndex i = model_.index(r, std::clamp(column, 0, columns - 1));
    grid_->setCurrentIndex(i);
    grid_->scrollTo(i);
    pull();
    updateLabels();
}

void TCdsScrForm::afterEdit() {
    model_.refresh();
    push();
}

// The grid's keys; true when the key was taken.
bool TCdsScrForm::gridKey(QKeyEvent* e) {
    if (!scr_.loaded()) return false;
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool edit = scr_.editMode();
    const bool enterKey = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool lastColumn = grid_->currentIndex().column() == model_.columnCount() - 1;
    pull();
    if (key == Qt::Key_Pause) {
        grid_->finishEditing();
        scr_.toggleEditMode();
        updateEditState();
        return true;
    }
    if (key == Qt::Key_C && mods == Qt::ControlModifier) {
        grid_->finishEditing();
        scr_.copyCell();
        return true;
    }
    if (!edit) return false;
    if (key == Qt::Key_V && mods == Qt::ControlModifier) {
        grid_->finishEditing();
        scr_.pasteCell();
        afterEdit();
        return true;
    }
    if (key == Qt::Key_Delete && mods == Qt::AltModifier) {
        grid_->finishEditing();
        guarded([this] { scr_.emptyTable(true); });
        afterEdit();
        return true;
    }
    if (key == Qt::Key_F9) {
        grid_->finishEditing();
        scr_.copyFromPrevious();
        afterEdit();
        return true;
    }
    if (enterKey || (key == Qt::Key_Tab && lastColumn)) {
        grid_->finishEditing();
        guarded([this] { scr_.enter(); });
        afterEdit();
        return true;
    }
    if (key == Qt::Key_Delete && !grid_->editing()) {
        scr_.typeCell("");
        afterEdit();
        return true;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
        key == Qt::Key_PageDown) {
        grid_->finishEditing();
        guarded([this] { scr_.saveCell(); });
        model_.refresh();
    }
    return false;
}

// 0: by key, 1: by string, 2: Enter in the search field.
void TCdsScrForm::search(int how) {
    grid_->finishEditing();
    pull();
    const std::string text = cp(search_->text());
    bool found = false;
    guarded([&] {
        found = how == 0   ? scr_.searchKey(text)
                : how == 1 ? scr_.searchString(text)
                           : scr_.searchEnter(text);
    });
    push();
    if (found) grid_->setFocus();
}

void TCdsScrForm::sestavaI() {
    grid_->finishEditing();
    SesResult r;
    guarded([&] { r = scr_.SestavaI(); });
    if (r.made()) showReport(this, s_, r.reportFile);
}

// "  Excel": the table the screen shows as a workbook, opened with the spreadsheet program.
void TCdsScrForm::excelExport() {
    grid_->finishEditing();
    guarded([this] { TCdsExcel(s_).ExDbToXlsF(scr_.tableFile, scr_.defFile, s_.scr.TableFile); });
}

// "  Sestava III": the report drawn as framed page pictures, at once.
void TCdsScrForm::sestavaIII() {
    grid_->finishEditing();
    SesResult r;
    guarded([&] { r = scr_.SestavaIII(); });
    if (!r.made()) return;
    TIma pictures(s_, r.reportFile, r.geometry, this);
    pictures.generateAtOnce = true;
    pictures.exec();
}

// "  Word": the report of the screen handed to the word processor in the report font.
void TCdsScrForm::wordReport() {
    grid_->finishEditing();
    guarded([this] {
        const SesResult r = scr_.wordReport();
        std::string bytes;
        if (!r.made() || !cdscopy::readImportSource(s_, r.reportFile, bytes)) return;
        handReportToWordProcessor(s_, r.reportFile, bytes, reportFont(s_.printSettings),
                                  reportColour(s_.printSettings), true);
    });
}

// The print settings window; the rows per page it stores are shown at once.
void TCdsScrForm::printSettings() {
    TNumRow settings(s_, this);
    settings.exec();
    guarded([this] { readNumRowFont(s_); });
    rows_->setText(QString::number(s_.printSettings.rowsPerPage));
}

void TCdsScrForm::printGrid(QPrinter& printer) {
    const QPixmap image = grid_->grab();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
}

void TCdsScrForm::printWindow() {
    if (scr_.recordCount() == 0) return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printGrid(printer);
}

void TCdsScrForm::clipboardText() {
    grid_->finishEditing();
    QByteArray text;
    text.reserve(static_cast<qsizetype>(scrClipBytes(scr_.records())));
    s_.dialogs().progressShow();
    scrClipText(
        scr_.records(),
        [&text](std::string_view line) {
            const std::string utf8 = cp1250ToUtf8(line);
            text.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
        },
        [this](int percent) { s_.dialogs().progress(percent); });
    s_.dialogs().progressClose();
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), text);
    QApplication::clipboard()->setMimeData(data);
    push();
}

void TCdsScrForm::saveCopy(bool chooseName) {
    grid_->finishEditing();
    std::string name = TCdsScr::ctrlF2Name(scr_.tableFile);
    if (chooseName) {
        const std::string native = s_.platform().native(scr_.tableFile).string();
        const std::size_t sep = native.find_last_of('/');
        std::string proposed = native;
        if (const std::size_t dot = proposed.find('.', sep == std::string::npos ? 0 : sep);
            dot != std::string::npos)
            proposed.resize(dot);
        QFileDialog dialog(this, QString(), QString::fromStdString(proposed),
                           QStringLiteral("Soubory (*.Cds)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("Cds"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        name = dialog.selectedFiles().first().toStdString();
    }
    if (name.empty()) return;
    writingFile(s_, name,
                [&] { guarded([&] { chooseName ? scr_.saveAs(name) : scr_.saveCtrlF2(); }); });
}

void TCdsScrForm::grouping() {
    grid_->finishEditing();
    TCdsScrT dialog(s_, scr_.grouping, this);
    dialog.exec();
    scr_.storeGrouping();
}

void TCdsScrForm::openTextFile(const std::string& file) {
    if (file.empty()) return;
    TRtfEdit(s_, this).editFile(file, false);
}

void TCdsScrForm::keyPressEvent(QKeyEvent* e) {
    // Esc closes the window only when the grid does not have the focus.
    if (e->key() == Qt::Key_Escape && grid_->hasFocus()) return;
    QDialog::keyPressEvent(e);
}

bool TCdsScrForm::finish() {
    if (!open_) return true;
    grid_->finishEditing();
    pull();
    const auto closeScreen = [this] { guarded([this] { scr_.close(); }); };
    if (s_.scr.tableChanged && scr_.editAllowed())
        writingFile(s_, scr_.tableFile, closeScreen);
    else
        closeScreen();
    // Edits that could not be written keep the window open, so that nothing is lost.
    if (scr_.loaded()) return false;
    open_ = false;
    model_.reload();
    return true;
}

void TCdsScrForm::done(int result) {
    if (!finish()) return;
    QDialog::done(result);
}

} // namespace sarw
