#include "access/THesloG.h"

#include "access/AccessMaintenance.h"
#include "access/Login.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

namespace sarw {

namespace {

bool isCtrlAlt(const QKeyEvent* e, int key) {
    const auto m = e->modifiers();
    return e->key() == key && (m & Qt::ControlModifier) && (m & Qt::AltModifier);
}

bool typedCharacter(const QKeyEvent* e) {
    if (e->text().isEmpty() || (e->modifiers() & Qt::ControlModifier)) return false;
    for (QChar c : e->text())
        if (!c.isPrint()) return false;
    return true;
}

constexpr int kWidth = 260;
constexpr int kMarkerWidth = 100;

} // namespace

THesloG::THesloG(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s) {
    setObjectName("THesloG");
    setWindowTitle(QStringLiteral("  Vlozeni pristupoveho hesla "));
    // The fields start at the left: the marker list, shown only for maintenance, gets a strip
    // of its own on the right then.
    setFixedSize(kWidth, 120);

    auto* userLabel = new QLabel(QStringLiteral("Uzivatel:"), this);
    userLabel->setGeometry(20, 20, 80, 22);
    user_ = new QLineEdit(this);
    user_->setObjectName("Jmeno");
    user_->setGeometry(100, 20, 140, 24);
    auto* passwordLabel = new QLabel(QStringLiteral("Heslo:"), this);
    passwordLabel->setGeometry(20, 60, 80, 22);
    password_ = new QLineEdit(this);
    password_->setObjectName("Heslo");
    password_->setGeometry(100, 60, 140, 24);
    // Only typed characters reach the password: no pasting, no dropping, no context menu.
    password_->setContextMenuPolicy(Qt::NoContextMenu);
    password_->setAcceptDrops(false);
    for (QLineEdit* f : {user_, password_}) f->installEventFilter(this);

    markers_ = new QListWidget(this);
    markers_->setObjectName("Znacky");
    markers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    markers_->installEventFilter(this);
    markers_->hide();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void THesloG::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ended_ = false;
    closing_ = false;
    markers_->hide();
    setFixedSize(kWidth, height());
    password_->clear();
    bool shown = false;
    guarded([&] { shown = beginLogin(s_); });
    if (endRequested() && !shown) {
        ended_ = true;
        QTimer::singleShot(0, this, [this] { QDialog::done(Rejected); });
        return;
    }
    if (!shown) {
        // Shown without the login flag: status and rights are "::::::::::" and it closes at once.
        closing_ = true;
        QTimer::singleShot(0, this, [this] { QDialog::done(Accepted); });
        return;
    }
    user_->setText(qs(s_.login.user));
    user_->setFocus(Qt::OtherFocusReason);
    user_->selectAll();
}

bool THesloG::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Escape) {
            endProgram();
            return true;
        }
        if (watched == password_) return passwordKey(k);
        if (watched == markers_ && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            deleteMarker();
            return true;
        }
        if (watched == user_ && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            setLoginUser(s_, cp(user_->text()));
            password_->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (e->type() == QEvent::FocusOut && watched == user_) {
        setLoginUser(s_, cp(user_->text()));
    } else if (e->type() == QEvent::FocusIn && watched == password_) {
        password_->clear();
        s_.login.typedPassword.clear();
    }
    return QDialog::eventFilter(watched, e);
}

bool THesloG::passwordKey(QKeyEvent* e) {
    std::string& typed = s_.login.typedPassword;
    if (isCtrlAlt(e, Qt::Key_D) || isCtrlAlt(e, Qt::Key_U)) {
        maintenance(e->key() == Qt::Key_D);
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        accept();
    } else if (e->key() == Qt::Key_Backspace) {
        if (!typed.empty()) typed.pop_back();
    } else if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        return false;
    } else if (typedCharacter(e)) {
        typed += cp(e->text());
    }
    password_->setText(QString(static_cast<int>(typed.size()), QLatin1Char('*')));
    return true;
}

void THesloG::maintenance(bool deleteAll) {
    guarded([&] {
        if (!maintenanceAllowed(s_)) {
            endProgram();
            return;
        }
        if (deleteAll) {
            deleteAccessSystem(s_);
            endProgram();
        } else {
            listMarkers();
        }
    });
    if (endRequested() && !ended_) endProgram();
}

void THesloG::listMarkers() {
    markers_->clear();
    for (const std::string& name : accessMarkerNames(s_)) markers_->addItem(qs(name));
    setFixedSize(kWidth + kMarkerWidth, height());
    markers_->setGeometry(kWidth, 0, kMarkerWidth, height() - 45);
    markers_->show();
    markers_->raise();
    markers_->setFocus(Qt::OtherFocusReason);
    if (markers_->count() > 0) markers_->setCurrentRow(0);
}

void THesloG::deleteMarker() {
    const QListWidgetItem* item = markers_->currentItem();
    if (item) guarded([&] { deleteAccessMarker(s_, cp(item->text())); });
    endProgram();
}

void THesloG::endProgram() {
    if (ended_) return;
    ended_ = true;
    endProgramNow(kEndNormal);
    // Reached only when the end is recorded instead of carried out (tests).
    QDialog::done(Rejected);
}

void THesloG::reject() {
    endProgram();
}

void THesloG::done(int result) {
    if (!ended_ && !closing_) {
        closing_ = true;
        guarded([this] {
            setLoginUser(s_, cp(user_->text()));
            checkLogin(s_);
        });
    }
    QDialog::done(result);
}

} // namespace sarw
