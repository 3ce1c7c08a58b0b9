#include "GuiTest.h"

#include "access/AccessFile.h"
#include "access/THesloG.h"
#include "platform/DesktopOpen.h"
#include "shell/ProgramEnd.h"
#include "shell/TSar.h"
#include "start/Install.h"

#include <QLineEdit>
#include <QTest>

#include <map>

namespace sarw::test {

namespace {

std::map<std::string, GuiTestFactory>& registry() {
    static std::map<std::string, GuiTestFactory> r;
    return r;
}

} // namespace

void registerGuiTest(const char* name, GuiTestFactory factory) {
    registry()[name] = std::move(factory);
}

DemoDisk::DemoDisk() {
    std::filesystem::create_directories(t.root / "D");
    t->platform().setFixedDate(DateTime{2026, 2, 20});
    t->retryDelayMs = 0;
    InstallResult result;
    if (!installDataDisk(*t, "D:", SARW_SHARE_DIR, true, result))
        qFatal("the demo installation could not be made");
    period = result.period;
}

void writeUsers(TestSession& t, const std::vector<std::vector<std::string>>& users) {
    std::vector<AccessEntry> entries;
    for (const auto& u : users) entries.push_back({u.at(0), u.at(1), u.at(2)});
    if (!saveAccessFile(*t, entries)) qFatal("users not written");
}

void answerLogin(const QString& user, const QString& password) {
    whenModal<THesloG>([user, password](THesloG* w) {
        QTest::keyClicks(w->userField(), user);
        QTest::keyClick(w->userField(), Qt::Key_Return);
        QTest::keyClicks(w->passwordField(), password);
        QTest::keyClick(w->passwordField(), Qt::Key_Return);
    });
}

std::unique_ptr<TSar> startMain(DemoDisk& d, const QString& user, const QString& password) {
    auto main = std::make_unique<TSar>(*d.t);
    main->createStep({"D:"});
    answerLogin(user, password);
    main->show();
    if (!QTest::qWaitFor([&] { return !d.t->startup.firstActivation || endRequested(); }, 10000))
        qWarning("the first activation did not end");
    return main;
}

NoDesktopOpener::NoDesktopOpener() {
    setDocumentOpener(std::filesystem::path("/nonexistent/xdg-open"));
}

NoDesktopOpener::~NoDesktopOpener() { setDocumentOpener(std::nullopt); }

void recordProgramEnd(std::vector<int>& codes) {
    clearEndRequest();
    setEndHandler([&codes](int code) { codes.push_back(code); });
}

} // namespace sarw::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::string only =
        args.size() > 1 && !args[1].startsWith('-') ? args[1].toStdString() : "";
    QStringList testArgs{args.value(0)};
    testArgs << args.mid(only.empty() ? 1 : 2);
    if (!only.empty() && !sarw::test::registry().count(only)) {
        qWarning("no test class %s", only.c_str());
        return 1;
    }
    int failed = 0;
    for (auto& [name, factory] : sarw::test::registry()) {
        if (!only.empty() && name != only) continue;
        QObject* test = factory();
        failed += QTest::qExec(test, testArgs);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
