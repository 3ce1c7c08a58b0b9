#include "period/TObd12.h"

#include "period/Period.h"
#include "period/TObd.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace sarw {

namespace {

bool leavesByUser(Qt::FocusReason r) {
    return r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
           r == Qt::MouseFocusReason || r == Qt::OtherFocusReason || r == Qt::ShortcutFocusReason;
}

QLabel* boldLabel(const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

TObd12::TObd12(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s) {
    setObjectName("TObd12");
    setWindowTitle(QStringLiteral("  Zadej obdobi od, do:"));
    setFixedSize(318, 75);
    boldLabel("Pocatecni rok+mesic:", this)->setGeometry(8, 10, 150, 20);
    boldLabel("Koncovy rok+mesic:", this)->setGeometry(8, 42, 150, 20);
    from_ = periodField(this);
    from_->setObjectName("OdObd");
    from_->move(160, 8);
    to_ = periodField(this);
    to_->setObjectName("DoObd");
    to_->move(160, 40);
    for (QLineEdit* f : {from_, to_}) f->installEventFilter(this);
    next_ = new QPushButton(QStringLiteral("  Dalsi"), this);
    next_->setObjectName("Dalsi");
    next_->setGeometry(228, 24, 80, 27);
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
}

void TObd12::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    closing_ = false;
    cancel_ = false;
    guarded([this] {
        const PeriodSpan span = readPeriodSpan(s_);
        from_->setText(qs(span.from));
        to_->setText(qs(span.to));
    });
    from_->setFocus(Qt::OtherFocusReason);
    from_->selectAll();
}

bool TObd12::eventFilter(QObject* watched, QEvent* e) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != from_ && field != to_) return QDialog::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        QTimer::singleShot(0, field, [field] { field->selectAll(); });
        break;
    case QEvent::FocusOut:
        if (!closing_ && leavesByUser(static_cast<QFocusEvent*>(e)->reason())) checkField(field);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (field == from_)
                to_->setFocus(Qt::TabFocusReason);
            else
                next_->setFocus(Qt::TabFocusReason);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

bool TObd12::checkField(QLineEdit* field) {
    if (checking_) return false;
    checking_ = true;
    bool ok = false;
    guarded([&] { ok = checkPeriodSpanField(s_, cp(field->text())); });
    checking_ = false;
    if (!ok) field->setFocus(Qt::OtherFocusReason);
    return ok;
}

void TObd12::next() {
    // A span the fields cannot hold goes no further than the field that holds it.
    for (QLineEdit* f : {from_, to_})
        if (!periodSpanFieldValid(cp(f->text())) && !checkField(f)) return;
    accept();
}

void TObd12::reject() {
    cancel_ = true;
    QDialog::reject();
}

void TObd12::done(int result) {
    if (!closing_) {
        closing_ = true;
        guarded([this] { storePeriodSpan(s_, cp(from_->text()), cp(to_->text())); });
    }
    QDialog::done(result);
}

} // namespace sarw
