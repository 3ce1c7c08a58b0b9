#include "shell/MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

namespace sarw {

namespace {

void assignAmong(const QList<QAction*>& actions) {
    std::vector<QChar> taken;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        a->setText(withMnemonic(a->text(), taken));
        if (QMenu* sub = a->menu()) assignAmong(sub->actions());
    }
}

// Opens the bar's first menu when Alt goes up with no other key pressed since it went down.
class AltAlone : public QObject {
public:
    AltAlone(QMainWindow* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != window_ || !window_->isActiveWindow()) return false;
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            armed_ = k->key() == Qt::Key_Alt && !k->isAutoRepeat();
        } else if (e->type() == QEvent::KeyRelease) {
            const auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Alt && armed_ && !QApplication::activePopupWidget())
                openFirst(window_);
            armed_ = false;
        } else if (e->type() == QEvent::MouseButtonPress) {
            armed_ = false;
        }
        return false;
    }

public:
    static void openFirst(QMainWindow* window) {
        QMenuBar* bar = window->menuBar();
        for (QAction* a : bar->actions()) {
            if (!a->isVisible() || !a->isEnabled() || !a->menu()) continue;
            bar->setActiveAction(a);
            return;
        }
    }

private:
    QMainWindow* window_;
    bool armed_ = false;
};

} // namespace

QString withMnemonic(const QString& caption, std::vector<QChar>& taken) {
    if (caption.contains(QLatin1Char('&'))) return caption;
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toLower();
        if (!c.isLetterOrNumber() || std::find(taken.begin(), taken.end(), c) != taken.end())
            continue;
        taken.push_back(c);
        QString marked = caption;
        marked.insert(i, QLatin1Char('&'));
        return marked;
    }
    return caption;
}

void assignMnemonics(QMenuBar* bar) { assignAmong(bar->actions()); }

void openMenuBarByKeyboard(QMainWindow* window) {
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, window, [window] { AltAlone::openFirst(window); });
    qApp->installEventFilter(new AltAlone(window));
}

} // namespace sarw
