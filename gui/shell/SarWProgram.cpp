#include "shell/SarWProgram.h"

#include "platform/InstanceLock.h"
#include "platform/QtDialogs.h"
#include "shell/ProgramEnd.h"
#include "shell/Session.h"
#include "shell/TSar.h"

#include <QApplication>

namespace sarw {

int runSarW(QApplication& app, const std::vector<std::string>& parameters) {
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
