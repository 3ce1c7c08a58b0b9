#include "editors/TRtfEdit.h"

#include "editors/EditorFiles.h"
#include "editors/RichDocument.h"
#include "editors/RichTextFile.h"
#include "editors/TFind.h"
#include "editors/TextFileEdit.h"
#include "output/PrintPages.h"
#include "output/ReportPrint.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QAction>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

#include <climits>

namespace sarw {

TRtfEdit::TRtfEdit(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), printer_(std::make_unique<QPrinter>()) {
    setObjectName("TRtfEdit");
    setWindowTitle(QString::fromLatin1(kCaption));
    text_ = new QTextEdit(this);
    text_->setObjectName("Text");
    text_->installEventFilter(this);
    find_ = new TFind(this);

    auto* menu = new QMenuBar(this);
    buildMenu(menu);
    connect(text_->document(), &QTextDocument::modificationChanged, this,
            [this] { enableFileItems(); });
    connect(text_, &QTextEdit::cursorPositionChanged, this, &TRtfEdit::showStatus);

    status_ = new QLabel(this);
    status_->setObjectName("Status");
    insertLabel_ = new QLabel(QStringLiteral("Insert - Vkladat/Prepisovat"), this);
    insertLabel_->setObjectName("InsertLabel");
    insertLabel_->installEventFilter(this);
    auto* top = new QHBoxLayout;
    buildButtons();
    for (QPushButton* b :
         {newButton_, openButton_, saveButton_, fontButton_, insertButton_, mapButton_})
        top->addWidget(b);
    top->addStretch(1);
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setObjectName("Konec");
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    top->addWidget(end);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(insertLabel_);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(top);
    layout->addWidget(text_, 1);
    layout->addLayout(bottom);
    showStatus();
}

TRtfEdit::~TRtfEdit() = default;

QPushButton* TRtfEdit::button(const char* caption) const {
    return findChild<QPushButton*>(QString::fromLatin1(caption));
}

void TRtfEdit::editFile(const std::string& name, bool rich) {
    params_.fileName = name;
    params_.richMode = rich;
    setModal(true);
    if (showText()) exec();
}

bool TRtfEdit::showHelp(const std::string& name) {
    params_.fileName = name;
    params_.richMode = true;
    setModal(false);
    if (!showText()) return false;
    show();
    raise();
    return true;
}

bool TRtfEdit::showText() {
    // A third of the screen from the left, 40 from the top, two thirds of it large.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen.width() / 3, 40, screen.width() * 2 / 3 - 40, screen.height() * 2 / 3);
    rich_ = params_.richMode;
    text_->setAcceptRichText(rich_);
    const QFont plainFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    text_->setFont(rich_ ? QFont() : plainFont);
    lineFont_ = text_->font();
    wrap_->setChecked(rich_);
    text_->setLineWrapMode(rich_ ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    fileMenu_->setVisible(params_.fileMenu);
    for (QPushButton* b : {newButton_, openButton_, saveButton_}) b->setVisible(params_.fileMenu);
    editMenu_->setVisible(params_.editingMenu);
    for (QPushButton* b : {fontButton_, insertButton_, mapButton_})
        b->setVisible(params_.editingMenu);
    font_->setEnabled(rich_);
    return load(params_.fileName);
}

bool TRtfEdit::load(const std::string& name) {
    name_.clear();
    text_->clear();
    bool opened = false;
    if (name.empty()) {
        opened = true;
    } else if (rich_) {
        rtf::RichText rich;
        guarded([&] { opened = openRichTextFile(s_, name, rich); });
        if (opened) fillRichDocument(*text_->document(), rich);
    } else {
        std::string bytes;
        guarded([&] { opened = openTextFile(s_, name, bytes); });
        if (opened) text_->setPlainText(editorText(bytes));
    }
    if (!opened) return false;
    name_ = name;
    text_->document()->setModified(false);
    text_->document()->clearUndoRedoStacks();
    text_->setOverwriteMode(false);
    text_->moveCursor(QTextCursor::Start);
    showName();
    editable_ = false;
    text_->setReadOnly(true);
    // A read-only text keeps its caret, so the keys move it and the search starts there.
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    allow_->setEnabled(params_.editingMenu);
    enableFileItems();
    showStatus();
    return true;
}

void TRtfEdit::enableFileItems() {
    // A named file is opened again only after "Zakazat" and "Zavrit"; the unnamed text opens.
    const bool unnamed = name_.empty();
    open_->setEnabled(unnamed);
    openButton_->setEnabled(unnamed);
    newButton_->setEnabled(unnamed || editable_);
    save_->setEnabled(editable_ && modified());
    saveButton_->setEnabled(save_->isEnabled());
    close_->setEnabled(editable_);
    forbid_->setEnabled(editable_);
    insertButton_->setEnabled(editable_ && rich_);
}

void TRtfEdit::showName() {
    if (!params_.fileMenu) {
        setWindowTitle(QStringLiteral("Zobrazeny text lze pouze vytisknout"));
        return;
    }
    setWindowTitle("  " + qs(name_.empty() ? kNoName : name_) +
                   QStringLiteral("  -Zobrazeni/Editace (Rtf/Txt)"));
}

bool TRtfEdit::modified() const {
    return text_->document()->isModified();
}

void TRtfEdit::allowEditing(bool allow) {
    if (!allow) offerSave();
    editable_ = allow;
    text_->setReadOnly(!allow);
    if (!allow)
        text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    enableFileItems();
    if (!allow) open_->setEnabled(false), openButton_->setEnabled(false);
}

bool TRtfEdit::offerSave() {
    if (!modified()) return true;
    bool yes = false;
    guarded([&] { yes = question(s_, textChangedQuestion(name_.empty() ? kNoName : name_)); });
    if (!yes) return true;
    return save();
}

bool TRtfEdit::writeTo(const std::string& name, int delayMs) {
    bool saved = false;
    guarded([&] {
        saved = rich_ ? saveRichTextFile(s_, name, richTextOf(*text_->document()), delayMs)
                      : saveTextFile(s_, name, editorFileBytes(plainText()), delayMs);
    });
    return saved;
}

QString TRtfEdit::plainText() const {
    // The raw text keeps non-breaking spaces, which the plain text view makes blanks.
    QString t = text_->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}

bool TRtfEdit::save() {
    if (name_.empty()) {
        saveAs();
        return !modified();
    }
    if (!writeTo(name_, 1000)) return false;
    text_->document()->setModified(false);
    return true;
}

void TRtfEdit::saveAs() {
    const QString file =
        chooseEditorFile(this, true, RtfEditParams::kFilter, RtfEditParams::kDefaultExt, {});
    if (file.isEmpty() || !writeTo(cp(file), 2000)) return;
    name_ = cp(file);
    text_->document()->setModified(false);
    showName();
    enableFileItems();
}

void TRtfEdit::newText() {
    params_.fileName.clear();
    load({});
    allowEditing(true);
}

void TRtfEdit::openOther() {
    if (!offerSave()) return;
    const QString file =
        chooseEditorFile(this, false, RtfEditParams::kFilter, RtfEditParams::kDefaultExt, {});
    if (file.isEmpty()) return;
    // A .Rtf file shows formatted; anything else as its lines.
    rich_ = file.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive) || params_.richMode;
    const bool editable = editable_;
    if (load(cp(file)) && editable) allowEditing(true);
}

void TRtfEdit::insertRtf() {
    const QString file =
        chooseEditorFile(this, false, RtfEditParams::kInsertFilter, RtfEditParams::kDefaultExt, {});
    if (!file.isEmpty()) insertRtfFile(cp(file));
}

bool TRtfEdit::insertRtfFile(const std::string& name) {
    if (text_->isReadOnly() || !rich_) return false;
    rtf::RichText rich;
    bool opened = false;
    guarded([&] { opened = openRichTextFile(s_, name, rich); });
    if (!opened) return false;
    QTextDocument inserted;
    fillRichDocument(inserted, rich);
    text_->textCursor().insertFragment(QTextDocumentFragment(&inserted));
    return true;
}

void TRtfEdit::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, text_->currentFont(), this, QStringLiteral("Font"));
    if (!ok) return;
    if (!rich_) {
        text_->setFont(f);
        return;
    }
    // The selection (or what is typed next) takes the font.
    QTextCharFormat format;
    format.setFont(f);
    text_->mergeCurrentCharFormat(format);
}

void TRtfEdit::search() {
    find_->prepare(text_->textCursor().selectedText());
    if (find_->exec() == QDialog::Accepted) find(find_->needle()->text(), find_->fromStart());
}

bool TRtfEdit::find(const QString& needle, bool fromStart) {
    const int at = findInEditor(text_->toPlainText(), needle,
                                fromStart ? 0 : text_->textCursor().selectionEnd());
    if (at < 0) {
        guarded([&] { richTextNotFound(s_, cp(needle)); });
        return false;
    }
    QTextCursor c = text_->textCursor();
    c.setPosition(at);
    c.setPosition(at + int(cp(needle).size()), QTextCursor::KeepAnchor);
    text_->setTextCursor(c);
    text_->ensureCursorVisible();
    return true;
}

bool TRtfEdit::printLines() {
    QString lines = text_->toPlainText();
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n  "));
    const SheetGeometry g = editorGeometry(*printer_, lineFont_);
    PageSelection sel;
    sel.to = INT_MAX;
    sel.rowsPerSheet = g.rows();
    return printSheets(*printer_, lineFont_, g, selectPrintPages(cp("  " + lines), sel));
}

void TRtfEdit::printFormatted() {
    text_->document()->print(printer_.get());
}

void TRtfEdit::switchMode() {
    if (text_->isReadOnly()) return;
    text_->setOverwriteMode(!text_->overwriteMode());
    showStatus();
}

void TRtfEdit::showStatus() {
    const QTextCursor c = text_->textCursor();
    status_->setText(
        caretStatus(c.blockNumber() + 1, c.positionInBlock() + 1, text_->overwriteMode()));
}

bool TRtfEdit::eventFilter(QObject* watched, QEvent* e) {
    if (watched == insertLabel_ && e->type() == QEvent::MouseButtonPress) {
        switchMode();
        return true;
    }
    if (watched == text_ && e->type() == QEvent::ShortcutOverride) {
        // The block keys go to the text, not to the menu's shortcuts.
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->modifiers() & Qt::ControlModifier) &&
            (k->key() == Qt::Key_K || keys_.prefix != 0)) {
            e->accept();
            return true;
        }
    }
    if (watched == text_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (keys_.key(text_, k->key(), k->modifiers() & Qt::ControlModifier)) return true;
        if (k->key() == Qt::Key_Insert) {
            switchMode();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TRtfEdit::done(int result) {
    // A text whose saving failed stays open, so the edit is not lost.
    if (!offerSave()) return;
    text_->document()->setModified(false);
    params_ = {};
    QDialog::done(result);
}

} // namespace sarw
