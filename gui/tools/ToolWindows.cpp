#include "tools/ToolWindows.h"

#include "tools/VAVyraz.h"
#include "tools/VCalcul.h"
#include "tools/VTime.h"
#include "tools/Vdate.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace sarw {

namespace {

QPointer<VAVyraz> expressionWindow;
QPointer<VCalcul> calculatorWindow;
QPointer<Vdate> calendarWindow;
QPointer<VTime> clockWindow;

// The one window of its kind, made on first use, under the caller from now on.
template <class W> W* instance(QPointer<W>& window, Session& s, QWidget* caller) {
    if (!window) {
        window = new W(s, caller);
        window->setAttribute(Qt::WA_QuitOnClose, false);
    } else if (window->parentWidget() != caller) {
        const QPoint at = window->pos();
        window->setParent(caller, window->windowFlags());
        window->move(at);
    }
    if constexpr (requires { window->setSession(s); }) window->setSession(s);
    return window;
}

} // namespace

QWidget* showTool(Tool tool, Session& s, QWidget* caller) {
    QWidget* w = nullptr;
    switch (tool) {
    case Tool::Expression:
        w = instance(expressionWindow, s, caller);
        break;
    case Tool::Calculator:
        w = instance(calculatorWindow, s, caller);
        break;
    case Tool::Calendar:
        w = instance(calendarWindow, s, caller);
        break;
    case Tool::Clock:
        w = instance(clockWindow, s, caller);
        break;
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

std::string calculatorMemory() {
    return calculatorWindow ? calculatorWindow->memoryText() : std::string();
}

void placeBottomRight(QWidget* w) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize size = w->sizeHint();
    w->move(screen.right() - size.width() - 40, screen.bottom() - size.height() - 50);
}

} // namespace sarw
