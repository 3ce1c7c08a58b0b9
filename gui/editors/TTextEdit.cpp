#include "editors/TTextEdit.h"

#include "editors/TFind.h"
#include "editors/TextFileEdit.h"
#include "editors/WordHandOver.h"
#include "output/PrintPages.h"
#include "output/ReportPrint.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QAction>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>

#include <climits>

namespace sarw {

namespace {

QString fromFileBytes(const std::string& bytes) {
    QString t = qs(bytes);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

std::string toFileBytes(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp(t);
}

constexpr const char* kFilter = "ASCII textove soubory (*.Txt);;Sestavy (*.Ses);;Dokumentace "
                                "(*.Cti);;Vsechny soubory (*)";

} // namespace

TTextEdit::TTextEdit(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), printer_(std::make_unique<QPrinter>()) {
    setObjectName("TTextEdit");
    setWindowTitle(QString::fromLatin1(kCaption));
    // Five sixths of the screen, centred.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen.width() / 12, screen.height() / 12, screen.width() * 5 / 6,
                screen.height() * 5 / 6);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Text");
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->installEventFilter(this);
    find_ = new TFind(this);

    auto* menu = new QMenuBar(this);
    buildMenu(menu);
    connect(text_->document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { save_->setEnabled(editable_ && changed); });
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &TTextEdit::showStatus);

    status_ = new QLabel(this);
    status_->setObjectName("Status");
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setObjectName("Konec");
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(end);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(text_);
    layout->addLayout(bottom);
    showStatus();
}

TTextEdit::~TTextEdit() = default;

void TTextEdit::buildMenu(QMenuBar* menu) {
    QMenu* file = menu->addMenu(QStringLiteral("Soubor"));
    open_ = file->addAction(QStringLiteral("Otevrit"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                            [this] { openOther(); });
    save_ = file->addAction(QStringLiteral("Ulozit"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                            [this] { save(); });
    file->addAction(QStringLiteral("Ulozit jako"), this, [this] { saveAs(); });
    close_ = file->addAction(QStringLiteral("Zavrit"), this, [this] { closeText(); });

    QMenu* edit = menu->addMenu(QStringLiteral("Editace"));
    allow_ = edit->addAction(QStringLiteral("Povolit"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                             [this] { allowEditing(true); });
    forbid_ = edit->addAction(QStringLiteral("Zakazat"), this, [this] { allowEditing(false); });
    edit->addAction(QStringLiteral("Navrat k predeslemu stavu"), QKeySequence(Qt::CTRL | Qt::Key_U),
                    text_, &QPlainTextEdit::undo);
    edit->addAction(QStringLiteral("Vybrat vse"), text_, &QPlainTextEdit::selectAll);
    QAction* wrap = edit->addAction(QStringLiteral("Zalomeni textu"));
    wrap->setCheckable(true);
    connect(wrap, &QAction::toggled, this, [this](bool on) {
        text_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    });
    edit->addAction(QStringLiteral("Font"), this, [this] { chooseFont(); });

    QMenu* print = menu->addMenu(QStringLiteral("Tisk"));
    print->addAction(QStringLiteral("Nastaveni"), this, [this] {
        QPrintDialog d(printer_.get(), this);
        d.exec();
    });
    print->addAction(QStringLiteral("Tisk souboru"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                     [this] { printWithDialog(); });
    print->addAction(QStringLiteral("Tisk okna"), this, [this] { printWindow(); });
    menu->addAction(QStringLiteral("Hledat"), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                    [this] { search(); });
    menu->addAction(QStringLiteral("Word"), this, [this] { toWord(); });
}

bool TTextEdit::openFile(const std::string& name, bool editable) {
    name_.clear();
    text_->clear();
    std::string bytes;
    bool opened = false;
    guarded([&] { opened = name.empty() || openTextFile(s_, name, bytes); });
    if (!opened) return false;
    name_ = name;
    text_->setPlainText(fromFileBytes(bytes));
    text_->document()->setModified(false);
    text_->setOverwriteMode(false);
    text_->moveCursor(QTextCursor::Start);
    showName();
    open_->setEnabled(name_.empty());
    close_->setEnabled(name_.empty());
    editable_ = editable;
    text_->setReadOnly(!editable);
    save_->setEnabled(false);
    forbid_->setEnabled(editable);
    showStatus();
    return true;
}

void TTextEdit::editFile(const std::string& name, bool editable) {
    if (openFile(name, editable)) exec();
}

void TTextEdit::showName() {
    setWindowTitle("  " + qs(name_.empty() ? kNoName : name_) +
                   QStringLiteral("-Zobrazeni/Editace ASCII textoveho souboru"));
}

bool TTextEdit::offerSave() {
    if (!modified()) return true;
    bool yes = false;
    guarded([&] { yes = question(s_, textChangedQuestion(name_.empty() ? kNoName : name_)); });
    if (!yes) return true;
    return save();
}

void TTextEdit::allowEditing(bool allow) {
    if (!allow) offerSave();
    editable_ = allow;
    text_->setReadOnly(!allow);
    save_->setEnabled(allow && modified());
    close_->setEnabled(allow);
    forbid_->setEnabled(allow);
    if (!allow) open_->setEnabled(false);
}

bool TTextEdit::modified() const {
    return text_->document()->isModified();
}

bool TTextEdit::save() {
    if (name_.empty()) {
        saveAs();
        return !modified();
    }
    bool saved = false;
    guarded([&] { saved = saveTextFile(s_, name_, toFileBytes(text_->toPlainText()), 1000); });
    if (saved) text_->document()->setModified(false);
    return saved;
}

void TTextEdit::saveAs() {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Ulozit jako"), {},
                                                      QString::fromLatin1(kFilter));
    if (file.isEmpty()) return;
    bool saved = false;
    guarded([&] { saved = saveTextFile(s_, cp(file), toFileBytes(text_->toPlainText()), 2000); });
    if (!saved) return;
    name_ = cp(file);
    text_->document()->setModified(false);
    showName();
}

void TTextEdit::openOther() {
    if (!offerSave()) return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Otevrit"), {},
                                                      QString::fromLatin1(kFilter));
    if (!file.isEmpty()) openFile(cp(file), editable_);
}

void TTextEdit::closeText() {
    if (!offerSave()) return;
    openFile({}, true);
}

void TTextEdit::search() {
    find_->prepare(text_->textCursor().selectedText());
    if (find_->exec() == QDialog::Accepted) find(find_->needle()->text(), find_->fromStart());
}

bool TTextEdit::find(const QString& needle, bool fromStart) {
    // Windows-1250 has one byte for each character the text can hold, so offsets agree.
    const std::string text = cp(text_->toPlainText());
    const std::size_t from = fromStart ? 0 : static_cast<std::size_t>(text_->textCursor().position());
    const std::size_t at = findText(text, cp(needle), from);
    if (at == std::string::npos) {
        guarded([&] { textNotFound(s_, cp(needle)); });
        return false;
    }
    QTextCursor c = text_->textCursor();
    c.setPosition(static_cast<int>(at));
    c.setPosition(static_cast<int>(at + cp(needle).size()), QTextCursor::KeepAnchor);
    text_->setTextCursor(c);
    text_->ensureCursorVisible();
    return true;
}

bool TTextEdit::printText() {
    const QFont font = text_->font();
    const SheetGeometry g = editorGeometry(*printer_, font);
    PageSelection sel;
    sel.to = INT_MAX;
    sel.rowsPerSheet = g.rows();
    sel.breakAtLineStart = true;
    return printSheets(*printer_, font, g, selectPrintPages(cp(text_->toPlainText()), sel));
}

void TTextEdit::printWithDialog() {
    QPrintDialog d(printer_.get(), this);
    if (d.exec() == QDialog::Accepted) printText();
}

void TTextEdit::printWindow() {
    QPrintDialog d(printer_.get(), this);
    if (d.exec() != QDialog::Accepted) return;
    QPainter painter(printer_.get());
    const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    const double scale = std::min(double(page.width()) / width(), double(page.height()) / height());
    painter.scale(scale, scale);
    render(&painter);
}

void TTextEdit::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, text_->font(), this, QStringLiteral("Font"),
                                         QFontDialog::MonospacedFonts);
    if (ok) text_->setFont(f);
}

void TTextEdit::toWord() {
    guarded([this] { handToWordProcessor(s_, text_->toPlainText(), text_->font(), name_); });
}

void TTextEdit::showStatus() {
    const QTextCursor c = text_->textCursor();
    const QString line = QString::number(c.blockNumber() + 1).rightJustified(9);
    const QString column = QString::number(c.positionInBlock() + 1).rightJustified(5);
    status_->setText(QStringLiteral("  Rad:") + line + QStringLiteral("  Sloup:") + column +
                     (text_->overwriteMode() ? QStringLiteral("   Prepisovani")
                                             : QStringLiteral("     Vkladani")));
}

bool TTextEdit::editingKey(int key, bool ctrl) {
    // Holding Ctrl down between the two strokes is no stroke.
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt) return false;
    const int prefix = prefix_;
    prefix_ = 0;
    if (!ctrl) return false;
    QTextCursor c = text_->textCursor();
    if (prefix == Qt::Key_K && key == Qt::Key_B) {
        blockStart_ = c.position();
    } else if (prefix == Qt::Key_K && key == Qt::Key_K) {
        const int caret = c.position();
        c.setPosition(std::min(blockStart_, int(text_->document()->characterCount()) - 1));
        c.setPosition(caret, QTextCursor::KeepAnchor);
        text_->setTextCursor(c);
    } else if (key == Qt::Key_Y) {
        if (text_->isReadOnly()) return true;
        // Ctrl+Q first: only from the caret to the end of the line.
        if (prefix != Qt::Key_Q) c.movePosition(QTextCursor::StartOfBlock);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (prefix != Qt::Key_Q && !c.atEnd())
            c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    } else if (key == Qt::Key_Q || key == Qt::Key_K) {
        prefix_ = key;
    } else {
        return false;
    }
    return true;
}

bool TTextEdit::eventFilter(QObject* watched, QEvent* e) {
    if (watched == text_ && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (editingKey(key, k->modifiers() & Qt::ControlModifier)) return true;
        if (key == Qt::Key_Insert && !text_->isReadOnly()) {
            text_->setOverwriteMode(!text_->overwriteMode());
            showStatus();
            return true;
        }
        if (key == Qt::Key_F7) {
            search();
            return true;
        }
        if (key == Qt::Key_F2) {
            const bool wrap = text_->lineWrapMode() == QPlainTextEdit::NoWrap;
            text_->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TTextEdit::done(int result) {
    // A text whose saving failed stays open, so the edit is not lost.
    if (!offerSave()) return;
    text_->document()->setModified(false);
    QDialog::done(result);
}

} // namespace sarw
