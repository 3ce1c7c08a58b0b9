#include "period/TObd.h"

#include "period/Period.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/Writing.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace sarw {

namespace {

// The label's design-time text is this long; a longer name shows its end.
constexpr int kFileLabelChars = 47;

bool leavesByUser(Qt::FocusReason r) {
    // Focus lost to a box or another window is no leaving of the field.
    return r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
           r == Qt::MouseFocusReason || r == Qt::OtherFocusReason || r == Qt::ShortcutFocusReason;
}

} // namespace

QLineEdit* periodField(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    QFont f = e->font();
    f.setBold(true);
    e->setFont(f);
    QPalette p = e->palette();
    p.setColor(QPalette::Text, Qt::red);
    e->setPalette(p);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return e;
}

TObd::TObd(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s) {
    setObjectName("TObd");
    setWindowTitle(QStringLiteral(" Zadej obdobi"));
    setFixedSize(297, 66);

    file_ = new QLabel(this);
    file_->setGeometry(4, 2, 289, 16);
    QPalette blue = file_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    file_->setPalette(blue);

    auto* caption = new QLabel(QStringLiteral("Rok+Mes:  "), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setGeometry(8, 28, 70, 20);

    edit_ = periodField(this);
    edit_->setObjectName("Edit1");
    edit_->move(80, 26);
    edit_->installEventFilter(this);

    minus_ = new QToolButton(this);
    minus_->setObjectName("ObdMinus");
    minus_->setArrowType(Qt::LeftArrow);
    minus_->setToolTip(QStringLiteral("Minule obdobi"));
    plus_ = new QToolButton(this);
    plus_->setObjectName("ObdPlus");
    plus_->setArrowType(Qt::RightArrow);
    plus_->setToolTip(QStringLiteral("Budouci obdobi"));
    for (QToolButton* b : {minus_, plus_}) b->setFocusPolicy(Qt::NoFocus);
    minus_->setGeometry(148, 26, 25, 25);
    plus_->setGeometry(175, 26, 25, 25);

    ok_ = new QPushButton(QStringLiteral("Potvrd"), this);
    ok_->setObjectName("Potvrd");
    ok_->setGeometry(210, 25, 80, 27);

    connect(minus_, &QToolButton::clicked, this, [this] { step(false); });
    connect(plus_, &QToolButton::clicked, this, [this] { step(true); });
    connect(ok_, &QPushButton::clicked, this, [this] { confirm(); });
}

void TObd::setPlace(int left, int top) {
    left_ = left;
    top_ = top;
}

void TObd::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (left_ == 0 && top_ == 0) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    } else {
        // The place asked for, kept inside the main window, which is narrower than the place
        // assumes.
        QPoint at(left_, top_);
        if (const QWidget* main = parentWidget()) {
            const QRect frame = main->frameGeometry();
            at.setX(std::max(frame.left(), std::min(at.x(), frame.right() - frameGeometry().width())));
            at.setY(std::max(frame.top(), std::min(at.y(), frame.bottom() - frameGeometry().height())));
        }
        move(at);
    }
    closing_ = false;
    guarded([this] {
        ReadPeriod(s_);
        QString name = qs(periodFileName(s_));
        if (name.size() > kFileLabelChars) name = name.right(kFileLabelChars);
        file_->setToolTip(qs(periodFileName(s_)));
        file_->setText(file_->fontMetrics().elidedText(name, Qt::ElideLeft, file_->width()));
        edit_->setText(qs(periodCompact(s_.period.Period)));
    });
    valid_ = periodFieldValid(cp(edit_->text()));
    edit_->setFocus(Qt::OtherFocusReason);
    edit_->selectAll();
}

bool TObd::eventFilter(QObject* watched, QEvent* e) {
    if (watched != edit_) return QDialog::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        // Selected again whenever the field gets the focus (after the click has placed the caret).
        QTimer::singleShot(0, edit_, [this] { edit_->selectAll(); });
        break;
    case QEvent::FocusOut:
        if (!closing_ && leavesByUser(static_cast<QFocusEvent*>(e)->reason())) checkField();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (checkField()) accept();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

bool TObd::checkField() {
    if (checking_) return valid_;
    checking_ = true;
    guarded([this] { valid_ = checkPeriodField(s_, cp(edit_->text())); });
    checking_ = false;
    if (!valid_) edit_->setFocus(Qt::OtherFocusReason);
    return valid_;
}

void TObd::step(bool forward) {
    guarded([this, forward] {
        const std::string compact = forward ? stepPeriodForward(s_) : stepPeriodBack(s_);
        edit_->setText(qs(compact));
    });
    valid_ = true;
}

void TObd::confirm() {
    if (valid_) accept();
}

void TObd::done(int result) {
    if (!closing_) {
        closing_ = true;
        writing(s_, [this] {
            // A refused period is not kept in memory either: what the file holds stays current.
            if (!takePeriodFromField(s_, cp(edit_->text()))) ReadPeriod(s_);
        });
    }
    QDialog::done(result);
}

} // namespace sarw
