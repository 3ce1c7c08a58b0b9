// The menus and buttons of the rich-text and definition editor.
#include "editors/TRtfEdit.h"

#include "editors/EditorFiles.h"
#include "editors/OtherFormats.h"
#include "editors/WordHandOver.h"
#include "shell/ProgramEnd.h"
#include "shell/WinLSys.h"
#include "tools/ToolWindows.h"

#include <QAction>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>

namespace sarw {

void TRtfEdit::buildMenu(QMenuBar* menu) {
    QMenu* file = menu->addMenu(QStringLiteral("Soubor"));
    fileMenu_ = file->menuAction();
    file->addAction(QStringLiteral("Novy"), this, [this] { newText(); });
    open_ = file->addAction(QStringLiteral("Otevrit"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                            [this] { openOther(); });
    save_ = file->addAction(QStringLiteral("Ulozit"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                            [this] { save(); });
    file->addAction(QStringLiteral("Ulozit jako"), this, [this] { saveAs(); });
    QMenu* other = file->addMenu(QStringLiteral("Ulozit do jinych formatu"));
    for (const OtherFormat& f : otherFormats())
        other->addAction(QString::fromLatin1(f.menu), this, [this, &f] {
            saveInOtherFormat(this, s_, f, text_->toPlainText(), text_->font(),
                              text_->palette().color(QPalette::Text), name_);
        });
    close_ = file->addAction(QStringLiteral("Zavrit"), this, [this] {
        if (offerSave()) newText();
    });

    buildEditMenu(menu);

    QMenu* print = menu->addMenu(QStringLiteral("Tisk"));
    print->addAction(QStringLiteral("Nastaveni"), this, [this] {
        QPrintDialog d(printer_.get(), this);
        d.exec();
    });
    print->addAction(QStringLiteral("Font pro radkovy tisk"), this, [this] {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, lineFont_, this, QStringLiteral("Font"));
        if (ok) lineFont_ = f;
    });
    print->addAction(QStringLiteral("Radkovy tisk"), this, [this] { printLines(); });
    print->addAction(QStringLiteral("Graficky tisk"), this, [this] { printFormatted(); });
    print->addAction(QStringLiteral("Graficky tisk s volbou tiskarny"),
                     QKeySequence(Qt::CTRL | Qt::Key_P), this, [this] {
                         QPrintDialog d(printer_.get(), this);
                         if (d.exec() == QDialog::Accepted) printFormatted();
                     });
    menu->addAction(QStringLiteral("Hledat"), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                    [this] { search(); });
    // Ctrl+K is the calculator's shortcut only outside the text, where it starts the block keys.
    menu->addAction(QStringLiteral("Kalkulacka"), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                    [this] { showTool(Tool::Calculator, s_, this); });
    menu->addAction(QStringLiteral("Word"), this, [this] {
        guarded([this] { handToWordProcessor(s_, text_->toPlainText(), text_->font(), name_); });
    });
    const auto caretItem = [&](const char* caption, QTextCursor::MoveOperation move) {
        menu->addAction(QString::fromLatin1(caption), this, [this, move] {
            text_->moveCursor(move);
            text_->setFocus();
        });
    };
    caretItem("Ctrl+Home", QTextCursor::Start);
    caretItem("Ctrl+End", QTextCursor::End);
    caretItem("Home", QTextCursor::StartOfLine);
    caretItem("End", QTextCursor::EndOfLine);
    menu->addAction(QStringLiteral("PgUp"), this, [this] {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
        static_cast<QObject*>(text_)->event(&k);
        text_->setFocus();
    });
    menu->addAction(QStringLiteral("PgDn"), this, [this] {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        static_cast<QObject*>(text_)->event(&k);
        text_->setFocus();
    });
    menu->addAction(QStringLiteral("Exit"), QKeySequence(Qt::ALT | Qt::Key_X), this,
                    &QDialog::accept);
}

void TRtfEdit::buildEditMenu(QMenuBar* menu) {
    QMenu* edit = menu->addMenu(QStringLiteral("Editace"));
    editMenu_ = edit->menuAction();
    allow_ = edit->addAction(QStringLiteral("Povolit"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                             [this] { allowEditing(true); });
    forbid_ = edit->addAction(QStringLiteral("Zakazat"), this, [this] { allowEditing(false); });
    edit->addAction(QStringLiteral("Navrat k predeslemu stavu"), QKeySequence(Qt::CTRL | Qt::Key_U),
                    text_, &QTextEdit::undo);
    edit->addAction(QStringLiteral("Presun do schranky"), QKeySequence(Qt::CTRL | Qt::Key_X), text_,
                    &QTextEdit::cut);
    edit->addAction(QStringLiteral("Kopirovani do schranky"), QKeySequence(Qt::CTRL | Qt::Key_C),
                    text_, &QTextEdit::copy);
    edit->addAction(QStringLiteral("Vlozeni ze schranky"), QKeySequence(Qt::CTRL | Qt::Key_V),
                    text_, &QTextEdit::paste);
    edit->addAction(QStringLiteral("Vymazani"), QKeySequence(Qt::CTRL | Qt::Key_D), this, [this] {
        if (!text_->isReadOnly()) text_->textCursor().removeSelectedText();
    });
    edit->addAction(QStringLiteral("Vybrat vse"), QKeySequence(Qt::CTRL | Qt::Key_A), text_,
                    &QTextEdit::selectAll);
    wrap_ = edit->addAction(QStringLiteral("Zalomeny text"));
    wrap_->setCheckable(true);
    connect(wrap_, &QAction::toggled, this, [this](bool on) {
        text_->setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    });
    // Tab then moves on to the next control instead of typing a tab.
    QAction* noTab = edit->addAction(QStringLiteral("Zakazany tabelator"));
    noTab->setCheckable(true);
    connect(noTab, &QAction::toggled, text_, &QTextEdit::setTabChangesFocus);
    font_ = edit->addAction(QStringLiteral("Font"), this, [this] { chooseFont(); });
}

void TRtfEdit::buildButtons() {
    const auto button = [this](const char* caption, auto run) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(caption));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, run);
        return b;
    };
    newButton_ = button("Novy soubor", [this] {
        if (offerSave()) newText();
    });
    openButton_ = button("Otevrit soubor ve format Bmp, Jpeg", [this] { openOther(); });
    saveButton_ = button("Ulozit soubor", [this] { save(); });
    fontButton_ = button("Font", [this] { chooseFont(); });
    insertButton_ = button("Prihrani Rtf-souboru na zvolenou pozici", [this] { insertRtf(); });
    mapButton_ = button("Mapa znaku", [this] {
        guarded([this] { startProgram(s_, RtfEditParams::kCharacterMap, {}, false); });
    });
}

} // namespace sarw
