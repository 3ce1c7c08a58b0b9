#include "editors/TTextEdit.h"

#include "editors/TextFileEdit.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <QAction>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

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

} // namespace

TTextEdit::TTextEdit(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("TTextEdit");
    setWindowTitle(QString::fromLatin1(kCaption));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen.width() / 3, 40, screen.width() * 2 / 3 - 40, screen.height() * 2 / 3);

    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("Soubor"));
    save_ = file->addAction(QStringLiteral("Ulozit"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                            [this] { save(); });
    QMenu* edit = menu->addMenu(QStringLiteral("Editace"));
    allow_ = edit->addAction(QStringLiteral("Povolit"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                             [this] { allowEditing(true); });
    forbid_ = edit->addAction(QStringLiteral("Zakazat"), this, [this] { allowEditing(false); });

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Text");
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(text_->document(), &QTextDocument::modificationChanged, save_, &QAction::setEnabled);

    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setObjectName("Konec");
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(text_);
    layout->addWidget(end, 0, Qt::AlignRight);
}

bool TTextEdit::openFile(const std::string& name) {
    name_.clear();
    text_->clear();
    setWindowTitle(QString::fromLatin1(kCaption));
    std::string bytes;
    bool opened = false;
    guarded([&] { opened = openTextFile(s_, name, bytes); });
    if (!opened) return false;
    name_ = name;
    text_->setPlainText(fromFileBytes(bytes));
    text_->document()->setModified(false);
    setWindowTitle("  " + qs(name) + QStringLiteral("  -Zobrazeni/Editace (Rtf/Txt)"));
    allowEditing(false);
    return true;
}

void TTextEdit::editFile(const std::string& name) {
    openFile(name);
    exec();
}

void TTextEdit::allowEditing(bool allow) {
    if (!allow && modified()) {
        bool yes = false;
        guarded([&] { yes = question(s_, textChangedQuestion(name_)); });
        if (yes) save();
    }
    text_->setReadOnly(!allow || name_.empty());
    save_->setEnabled(allow && modified());
    forbid_->setEnabled(allow);
}

bool TTextEdit::modified() const {
    return text_->document()->isModified();
}

bool TTextEdit::save() {
    if (name_.empty()) return false;
    bool saved = false;
    guarded([&] { saved = saveTextFile(s_, name_, toFileBytes(text_->toPlainText()), 1000); });
    if (saved) text_->document()->setModified(false);
    return saved;
}

void TTextEdit::done(int result) {
    if (modified() && !name_.empty()) {
        bool yes = false;
        guarded([&] { yes = question(s_, textChangedQuestion(name_)); });
        if (yes) save();
        text_->document()->setModified(false);
    }
    QDialog::done(result);
}

} // namespace sarw
