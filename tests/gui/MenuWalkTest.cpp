#include "GuiTest.h"

#include "shell/TSar.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolButton>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

// What one command showed: the windows that came up (closed again at once) and the messages.
struct Shown {
    QStringList windows;
    QStringList messages;
    bool any() const { return !windows.isEmpty() || !messages.isEmpty(); }
};

QString describe(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()) + " \"" + w->windowTitle().trimmed() +
           "\"";
}

const char* kindName(Kind k) {
    switch (k) {
    case Kind::Question:
        return "otazka";
    case Kind::QuestionHalt:
        return "otazka";
    case Kind::Information:
        return "informace";
    case Kind::Warning:
        return "varovani";
    case Kind::Error:
        return "chyba";
    case Kind::Info:
        return "okno";
    }
    return "?";
}

QSet<QWidget*> visibleWindows() {
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) shown.insert(w);
    return shown;
}

// Runs a command as a user who closes whatever comes up: every modal window is rejected as soon
// as it shows (innermost first), questions get the scripted "Ne", and windows left open beside
// the main window are closed afterwards.
Shown tryCommand(DemoDisk& d, const std::function<void()>& run) {
    Shown shown;
    const size_t boxes = d.t.dialogs.boxes.size();
    const QSet<QWidget*> before = visibleWindows();
    QTimer closer;
    closer.setInterval(30);
    QWidget* refused = nullptr;
    QObject::connect(&closer, &QTimer::timeout, [&shown, &refused] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        // A window that asks before Escape lets it go (the document form) stays after the
        // scripted "Ne"; it is then closed the ordinary way.
        if (w == refused) {
            w->close();
            return;
        }
        shown.windows << describe(w);
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            refused = w;
            dialog->reject();
        } else {
            w->close();
        }
    });
    closer.start();
    run();
    closer.stop();
    for (QWidget* w : visibleWindows() - before) {
        shown.windows << describe(w);
        w->close();
    }
    for (size_t i = boxes; i < d.t.dialogs.boxes.size(); ++i) {
        const auto& b = d.t.dialogs.boxes[i];
        QString text = QString::fromLatin1(b.text.c_str()).replace('\r', ' ').simplified();
        if (text.size() > 70) text = text.left(70) + "...";
        shown.messages << QString::fromLatin1(kindName(b.kind)) + " \"" + text + "\"";
    }
    return shown;
}

struct Command {
    QString path;
    QAction* action;
};

void collect(QMenu* menu, const QString& path, std::vector<Command>& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        const QString here = path + " / " + a->text();
        if (a->menu())
            collect(a->menu(), here, out);
        else
            out.push_back({here, a});
    }
}

} // namespace

// Every command of the menu and the toolbar tried on the demo installation as a user would.
class MenuWalkTest : public QObject {
    Q_OBJECT
    std::vector<int> ends;

private slots:
    void init() {
        ends.clear();
        recordProgramEnd(ends);
    }

    void everyCommandShowsSomethingAndTheProgramLives() {
        // The maker's programs are not installed and the desktop opens nothing: the stand-ins.
        NoDesktopOpener noOpener;
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        QVERIFY(main->isVisible());
        std::vector<Command> commands;
        for (QAction* a : main->menuBar()->actions()) {
            if (!a->isVisible()) continue;
            if (a->menu())
                collect(a->menu(), a->text(), commands);
            else
                commands.push_back({a->text(), a});
        }
        QCOMPARE(commands.size(), size_t(42)); // as the menu tree is designed
        int tried = 0;
        for (const Command& c : commands) {
            if (!c.action->isEnabled()) {
                qInfo("%s: vypnuto", qPrintable(c.path));
                continue;
            }
            const Shown shown = tryCommand(d, [&] { c.action->trigger(); });
            qInfo("%s [%s]: %s %s", qPrintable(c.path), qPrintable(c.action->objectName()),
                  qPrintable(shown.windows.join(", ")), qPrintable(shown.messages.join(", ")));
            if (c.path.contains("Kumulace")) {
                // No command by design.
                QVERIFY2(c.action->objectName().isEmpty() && !shown.any(), qPrintable(c.path));
                continue;
            }
            QVERIFY2(shown.any(), qPrintable(c.path));
            QVERIFY2(!QApplication::activeModalWidget(), qPrintable(c.path));
            QVERIFY2(main->isVisible() && ends.empty(), qPrintable(c.path));
            ++tried;
        }
        QVERIFY(tried >= 39); // all but "Obraty" while it is off and the two "Kumulace"

        for (const char* hint : {"Zpracovani ucetnich dokladu", "Zmena ucetniho obdobi", "Kalendar",
                                 "Hodiny", "Napoveda", "Ukonceni programu"}) {
            QToolButton* b = main->toolButton(hint);
            QVERIFY2(b, hint);
            if (!b->isEnabled()) {
                qInfo("nastrojova lista / %s: vypnuto", hint);
                continue;
            }
            const Shown shown = tryCommand(d, [&] { b->click(); });
            qInfo("nastrojova lista / %s: %s %s", hint, qPrintable(shown.windows.join(", ")),
                  qPrintable(shown.messages.join(", ")));
            QVERIFY2(shown.any(), hint);
            QVERIFY2(main->isVisible() && ends.empty(), hint);
        }
    }
};

SARW_GUI_TEST(MenuWalkTest);
#include "MenuWalkTest.moc"
