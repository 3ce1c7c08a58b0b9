#pragma once

#include "support/TestSession.h"

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

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

// Runs act on the first modal window of type T that comes up, from inside its event loop.
template <class T> void whenModal(std::function<void(T*)> act, int timeoutMs = 10000) {
    auto* timer = new QTimer(qApp);
    auto* waited = new int(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, act, timeoutMs] {
        *waited += 10;
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w && *waited < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (w) act(w);
    });
    timer->start(10);
}

// A test session with the demo installation on drive D: and today fixed.
struct DemoDisk {
    DemoDisk();
    TestSession t;
    std::string period; // the demo's period, "YY MM"
};

// Writes the access file with the given users (name, password, status).
void writeUsers(TestSession& t, const std::vector<std::vector<std::string>>& users);

// Has the end of the program recorded instead of carried out, and clears what an earlier test
// left.
void recordProgramEnd(std::vector<int>& codes);

} // namespace sarw::test
