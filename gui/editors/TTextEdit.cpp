#include "editors/TTextEdit.h"

#include "editors/EditorFiles.h"
#include "editors/OtherFormats.h"
#include "editors/TFind.h"
#include "editors/TextFileEdit.h"
#include "editors/TextPanes.h"
#include "editors/WordHandOver.h"
#include "output/PrintPages.h"
#include "output/ReportPrint.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tools/ToolWindows.h"

#include <QAction>
#include <QClipboard>
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
    text_->viewport()->installEventFilter(this);
    panes_ = new TextPanes(text_, this);
    find_ = new TFind(this);

    auto* menu = new QMenuBar(this);
    buildMenu(menu);
    connect(text_->document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { save_->setEnabled(editable_ && changed); });
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &TTextEdit::showStatus);

    status_ = new QLabel(this);
    status_->setObjectName("Status");
    insertLabel_ = new QLabel(QStringLiteral("Insert - Vkladat/Prepisovat"), this);
    insertLabel_->setObjectName("InsertLabel");
    insertLabel_->installEventFilter(this);
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setObjectName("Konec");
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(insertLabel_);
    for (QPushButton* b : {panes_->toggle(), panes_->sync(), panes_->narrower(), panes_->wider()})
        bottom->addWidget(b);
    bottom->addWidget(end);

    auto* panes = new QHBoxLayout;
    panes->addWidget(panes_->left());
    panes->addWidget(text_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(panes, 1);
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
    QMenu* other = file->addMenu(QStringLiteral("Ulozit do jinych formatu"));
    for (const OtherFormat& f : otherFormats())
        other->addAction(QString::fromLatin1(f.menu), this, [this, &f] { saveOtherFormat(f); });
    close_ = file->addAction(QStringLiteral("Zavrit"), this, [this] { closeText(); });

    buildEditMenu(menu);

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
    menu->addAction(QStringLiteral("Kalkulacka"), this,
                    [this] { showTool(Tool::Calculator, s_, this); });
    menu->addAction(QStringLiteral("Word"), this, [this] { toWord(); });
    const auto caretItem = [&](const char* caption, auto move) {
        menu->addAction(QString::fromLatin1(caption), this, [this, move] {
            move();
            text_->setFocus();
        });
    };
    caretItem("Ctrl+Home", [this] { moveCaret(VerticalMove::Top, false); });
    caretItem("Ctrl+End", [this] { moveCaret(VerticalMove::Bottom, false); });
    caretItem("Home", [this] {
        text_->moveCursor(QTextCursor::StartOfBlock);
        caretPlaced();
    });
    caretItem("End", [this] {
        text_->moveCursor(QTextCursor::EndOfBlock);
        caretPlaced();
    });
    caretItem("PgUp", [this] { moveCaret(VerticalMove::PageUp, false); });
    caretItem("PgDn", [this] { moveCaret(VerticalMove::PageDown, false); });
}

void TTextEdit::buildEditMenu(QMenuBar* menu) {
    QMenu* edit = menu->addMenu(QStringLiteral("Editace"));
    allow_ = edit->addAction(QStringLiteral("Povolit"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                             [this] { allowEditing(true); });
    forbid_ = edit->addAction(QStringLiteral("Zakazat"), this, [this] { allowEditing(false); });
    edit->addAction(QStringLiteral("Navrat k predeslemu stavu"), QKeySequence(Qt::CTRL | Qt::Key_U),
                    text_, &QPlainTextEdit::undo);
    edit->addAction(QStringLiteral("Presun do schranky"), QKeySequence(Qt::CTRL | Qt::Key_X), text_,
                    &QPlainTextEdit::cut);
    edit->addAction(QStringLiteral("Kopirovani do schranky"), QKeySequence(Qt::CTRL | Qt::Key_C),
                    text_, &QPlainTextEdit::copy);
    edit->addAction(QStringLiteral("Vlozeni ze schranky"), QKeySequence(Qt::CTRL | Qt::Key_V),
                    text_, &QPlainTextEdit::paste);
    edit->addAction(QStringLiteral("Vymazani"), QKeySequence(Qt::CTRL | Qt::Key_D), this, [this] {
        if (!text_->isReadOnly()) text_->textCursor().removeSelectedText();
    });
    edit->addAction(QStringLiteral("Vybrat vse"), QKeySequence(Qt::CTRL | Qt::Key_A), text_,
                    &QPlainTextEdit::selectAll);
    wrap_ = edit->addAction(QStringLiteral("Zalomeni textu"));
    wrap_->setCheckable(true);
    connect(wrap_, &QAction::toggled, this, &TTextEdit::switchWrap);
    // Tab then moves on to the next control instead of typing a tab.
    QAction* noTab = edit->addAction(QStringLiteral("Zakazany tabelator"));
    noTab->setCheckable(true);
    connect(noTab, &QAction::toggled, text_, &QPlainTextEdit::setTabChangesFocus);
    edit->addAction(QStringLiteral("Font"), this, [this] { chooseFont(); });
}

TextCaret TTextEdit::run() {
    if (showText()) exec();
    return caret_;
}

bool TTextEdit::openFile(const std::string& name, bool editable) {
    params_.fileName = name;
    params_.editable = editable;
    return showText();
}

void TTextEdit::editFile(const std::string& name, bool editable) {
    params_.fileName = name;
    params_.editable = editable;
    run();
}

bool TTextEdit::showText() {
    panes_->setOn(false);
    panes_->toggle()->setVisible(params_.twoPanesAllowed);
    if (!load(params_.fileName, params_.editable)) return false;
    const int column = allowedColumn(
        params_.fixedColumn, text_->document()->firstBlock().length() - 1, CaretRules{true, 0});
    QTextCursor c = text_->textCursor();
    c.setPosition(column);
    text_->setTextCursor(c);
    remembered_ = column;
    return true;
}

bool TTextEdit::load(const std::string& name, bool editable) {
    name_.clear();
    text_->clear();
    std::string bytes;
    bool opened = false;
    guarded([&] { opened = name.empty() || openTextFile(s_, name, bytes); });
    if (!opened) return false;
    name_ = name;
    text_->setPlainText(editorText(bytes));
    text_->document()->setModified(false);
    text_->setOverwriteMode(false);
    text_->moveCursor(QTextCursor::Start);
    remembered_ = 0;
    showName();
    open_->setEnabled(name_.empty() || params_.openAllowed);
    close_->setEnabled(name_.empty());
    editable_ = editable;
    setReadOnly(!editable);
    save_->setEnabled(false);
    forbid_->setEnabled(editable);
    showStatus();
    return true;
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
    setReadOnly(!allow);
    save_->setEnabled(allow && modified());
    close_->setEnabled(allow);
    forbid_->setEnabled(allow);
    if (!allow) open_->setEnabled(false);
}

void TTextEdit::setReadOnly(bool readOnly) {
    text_->setReadOnly(readOnly);
    // A read-only text keeps its caret: the keys move it, the status shows it, and the caller
    // reads where it stood.
    if (readOnly)
        text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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
    guarded([&] { saved = saveTextFile(s_, name_, editorFileBytes(text_->toPlainText()), 1000); });
    if (saved) text_->document()->setModified(false);
    return saved;
}

QString TTextEdit::chooseFile(bool saving, const std::string& filter, const QString& proposed) {
    return chooseEditorFile(this, saving, filter, params_.defaultExt, proposed);
}

void TTextEdit::saveAs() {
    const QString file = chooseFile(true, params_.filter, {});
    if (file.isEmpty()) return;
    bool saved = false;
    guarded([&] { saved = saveTextFile(s_, cp(file), editorFileBytes(text_->toPlainText()), 2000); });
    if (!saved) return;
    name_ = cp(file);
    text_->document()->setModified(false);
    showName();
}

void TTextEdit::saveOtherFormat(const OtherFormat& format) {
    saveInOtherFormat(this, s_, format, text_->toPlainText(), text_->font(),
                      text_->palette().color(QPalette::Text), name_);
}

bool TTextEdit::saveInFormat(const OtherFormat& format, const std::string& target) {
    return writeInOtherFormat(s_, format, text_->toPlainText(), text_->font(),
                              text_->palette().color(QPalette::Text), name_, target);
}

void TTextEdit::openOther() {
    if (!offerSave()) return;
    const QString file = chooseFile(false, params_.filter, {});
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
    const int at =
        findInEditor(text_->toPlainText(), needle, fromStart ? 0 : text_->textCursor().position());
    if (at < 0) {
        guarded([&] { textNotFound(s_, cp(needle)); });
        return false;
    }
    QTextCursor c = text_->textCursor();
    c.setPosition(at);
    c.setPosition(at + int(cp(needle).size()), QTextCursor::KeepAnchor);
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
    status_->setText(
        caretStatus(c.blockNumber() + 1, c.positionInBlock() + 1, text_->overwriteMode()));
}

void TTextEdit::done(int result) {
    // A text whose saving failed stays open, so the edit is not lost.
    if (!offerSave()) return;
    text_->document()->setModified(false);
    const QTextCursor c = text_->textCursor();
    caret_ = {c.blockNumber() + 1, c.positionInBlock() + 1};
    if (params_.copyOnClose && c.hasSelection()) {
        QString selected = c.selectedText();
        selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        QGuiApplication::clipboard()->setText(selected);
    }
    params_ = {};
    panes_->setOn(false);
    QDialog::done(result);
}

} // namespace sarw
