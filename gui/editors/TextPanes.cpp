#include "editors/TextPanes.h"

#include "editors/TwoPanes.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

namespace sarw {

namespace {

QPushButton* button(const QString& caption, const char* name, const QString& hint,
                    QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TextPanes::TextPanes(QPlainTextEdit* text, QWidget* parent) : QObject(parent), text_(text) {
    left_ = new QPlainTextEdit(parent);
    left_->setObjectName("LeftPane");
    left_->setReadOnly(true);
    left_->setLineWrapMode(QPlainTextEdit::NoWrap);
    left_->hide();
    left_->installEventFilter(this);
    left_->viewport()->installEventFilter(this);

    const QString two = QStringLiteral("Zobrazeni ve dvou oknech");
    toggle_ = button(two, "TwoPanes", two, parent);
    const QString syncText = QStringLiteral("Synchronizace podle praveho okna");
    sync_ = button(syncText, "Synchronize", syncText, parent);
    narrower_ =
        button(QStringLiteral("<"), "Narrower",
               QStringLiteral("Posun hranice mezi okny vlevo o velikost jednoho znaku"), parent);
    wider_ =
        button(QStringLiteral(">"), "Wider",
               QStringLiteral("Posun hranice mezi okny vpravo o velikost jednoho znaku"), parent);
    for (QPushButton* b : {narrower_, wider_}) b->setMaximumWidth(b->sizeHint().height() * 2);
    connect(toggle_, &QPushButton::clicked, this, [this] { setOn(!on()); });
    connect(sync_, &QPushButton::clicked, this, &TextPanes::synchronize);
    connect(narrower_, &QPushButton::clicked, this, [this] { shift(-1); });
    connect(wider_, &QPushButton::clicked, this, [this] { shift(+1); });
    setOn(false);
}

bool TextPanes::on() const {
    return !left_->isHidden();
}

int TextPanes::charWidth() const {
    return QFontMetrics(text_->font()).horizontalAdvance(QLatin1Char('W'));
}

void TextPanes::setOn(bool on) {
    if (on) {
        left_->setFont(text_->font());
        left_->setPlainText(text_->toPlainText());
        const QColor textColour = text_->palette().color(QPalette::Text);
        QPalette p = left_->palette();
        p.setColor(QPalette::Text, QColor::fromRgb(TwoPanes::colour(textColour.rgb())));
        left_->setPalette(p);
        left_->setFixedWidth(TwoPanes::width(text_->textCursor().positionInBlock(), charWidth()));
        synchronize();
    }
    left_->setVisible(on);
    sync_->setVisible(on);
    narrower_->setVisible(on);
    wider_->setVisible(on);
}

void TextPanes::synchronize() {
    const int line = text_->textCursor().blockNumber();
    QTextCursor c(left_->document()->findBlockByNumber(line));
    if (c.isNull()) return;
    left_->setTextCursor(c);
    left_->verticalScrollBar()->setValue(text_->verticalScrollBar()->value());
}

void TextPanes::shift(int direction) {
    left_->setFixedWidth(TwoPanes::shifted(left_->minimumWidth(), charWidth(), direction));
}

bool TextPanes::eventFilter(QObject* watched, QEvent* e) {
    // Any key or click in the left pane brings it back to the caret's line.
    if ((watched == left_ || watched == left_->viewport()) &&
        (e->type() == QEvent::KeyPress || e->type() == QEvent::MouseButtonPress)) {
        synchronize();
        return true;
    }
    return QObject::eventFilter(watched, e);
}

} // namespace sarw
