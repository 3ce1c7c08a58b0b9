#include "shell/SarWProgram.h"

#include "platform/InstanceLock.h"
#include "platform/QtDialogs.h"
#include "shell/ProgramEnd.h"
#include "shell/Session.h"
#include "shell/TSar.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sarw {

bool installCzechQtTexts(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_cs"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

int runSarW(QApplication& app, const std::vector<std::string>& parameters) {
    installCzechQtTexts(app);
    QtDialogs dialogs;
    Session session(dialogs, Platform::fromEnvironment());
    InstanceLock lock(session.platform());
    if (lock.heldElsewhere()) {
        dialogs.information(InstanceLock::kRunningText, InstanceLock::kRunningTitle);
        return kEndNormal;
    }
    try {
        TSar main(session);
        main.createStep(parameters);
        main.show();
        return app.exec();
    } catch (const ProgramHalt&) {
        return kEndHalt;
    }
}

} // namespace sarw
