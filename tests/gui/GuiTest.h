#pragma once

#include "support/TestSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sarw {
class TSar;
}

namespace sarw::test {

// Test classes register themselves by name; the main runs the one named on the command line.
using GuiTestFactory = std::function<QObject*()>;
void registerGuiTest(const char* name, GuiTestFactory factory);
struct GuiTestRegistrar {
    GuiTestRegistrar(const char* name, GuiTestFactory factory) {
        registerGuiTest(name, std::move(factory));
    }
};
#define SARW_GUI_TEST(Class)                                                                       \
    static ::sarw::test::GuiTestRegistrar registrar##Class(#Class, [] { return new Class; })

// Runs act on the first modal window of type T that comes up within the timeout, from inside
// its event loop, once the window is active. The timer is gone once it acted or gave up.
template <class T> QPointer<QTimer> whenModal(std::function<void(T*)> act, int timeoutMs = 10000) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, act, timeoutMs] {
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w && clock->elapsed() < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        if (!w) return;
        // Keys and focus changes behave as for a user only in the active window.
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w, 2000)) qWarning("the window did not become active");
        QPointer<T> open(w);
        act(w);
        // A check that failed inside act returned early: close the window, the test goes on.
        if (open && open->isVisible() && QApplication::activeModalWidget() == open) {
            qWarning("the window was left open");
            open->close();
        }
    });
    timer->start(10);
    return timer;
}

// A test session with the demo installation on drive D: and today fixed.
struct DemoDisk {
    DemoDisk();
    TestSession t;
    std::string period; // the demo's period, "YY MM"
};

// Writes the access file with the given users (name, password, status).
void writeUsers(TestSession& t, const std::vector<std::vector<std::string>>& users);

// While it lives the desktop has no program to open documents with, so the stand-ins for the
// maker's programs show SarW's own windows; tests may set another opener meanwhile.
struct NoDesktopOpener {
    NoDesktopOpener();
    ~NoDesktopOpener();
};

// Has the end of the program recorded instead of carried out, and clears what an earlier test
// left.
void recordProgramEnd(std::vector<int>& codes);

// Types the name and the password into the login window when it comes up, each ended by Enter.
void answerLogin(const QString& user, const QString& password);

// The main window on the demo disk: created with the parameter "D:", shown, logged in; returns
// once the first activation is over or the program was to end.
std::unique_ptr<TSar> startMain(DemoDisk& d, const QString& user, const QString& password);

} // namespace sarw::test
