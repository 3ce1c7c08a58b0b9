#include "GuiTest.h"

#include "editors/TTextEdit.h"
#include "platform/DesktopOpen.h"
#include "shell/TSar.h"
#include "tools/TObrazek.h"

#include <QAction>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

// Picks the file in the stand-in's file dialog as a user types it; its filters are noted.
void pickFile(const std::filesystem::path& file, QStringList* filters = nullptr) {
    whenModal<QFileDialog>([file, filters](QFileDialog* f) {
        if (filters) *filters = f->nameFilters();
        f->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(file.string()));
        static_cast<QDialog*>(f)->accept(); // QFileDialog hides it
    });
}

void makeExecutable(const std::filesystem::path& p) {
    std::filesystem::permissions(p, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
}

} // namespace

// Without the maker's editors and viewers in the programs directory, SarW's own windows or the
// desktop's programs stand in for them.
class StandInsTest : public QObject {
    Q_OBJECT
    std::vector<int> ends;

private slots:
    void init() {
        ends.clear();
        recordProgramEnd(ends);
    }

    void asciiEditorOpensOwnTextEditor() {
        NoDesktopOpener noOpener;
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        bool openEnabled = false, editable = false;
        QString name = "none";
        whenModal<TTextEdit>([&](TTextEdit* w) {
            for (QAction* a : w->findChildren<QAction*>())
                if (a->text().startsWith("Otevrit")) openEnabled = a->isEnabled();
            editable = !w->text()->isReadOnly();
            name = QString::fromStdString(w->fileName());
            w->reject();
        });
        main->command("EditAt")->trigger();
        QVERIFY(openEnabled);
        QVERIFY(editable);
        QVERIFY(name.isEmpty());
        QVERIFY(d.t.dialogs.boxes.empty());
    }

    void pictureOpensWithDesktopOrOwnWindow() {
        NoDesktopOpener noOpener;
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        const auto picture = d.t.path("D:\\Obrazky\\Nova fotka.png");
        std::filesystem::create_directories(picture.parent_path());
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QString::fromStdString(picture.string())));

        // Nothing on the desktop opens it: our own picture window shows it, for both commands.
        for (const char* handler : {"ProhlObr", "EditIm"}) {
            QStringList filters;
            QSize shown;
            pickFile(picture, &filters);
            whenModal<TObrazek>([&](TObrazek* w) {
                shown = w->picture()->pixmap().size();
                w->reject();
            });
            main->command(handler)->trigger();
            QVERIFY2(filters.value(0).startsWith("Obrazky ("), handler);
            QCOMPARE(shown, QSize(40, 30));
        }
        QVERIFY(d.t.dialogs.boxes.empty());

        // A file that is no picture: said so.
        d.t.write("D:\\Obrazky\\Text.png", "not a picture");
        pickFile(d.t.path("D:\\Obrazky\\Text.png"));
        main->command("ProhlObr")->trigger();
        QCOMPARE(d.t.dialogs.count(Kind::Warning), 1);
        QVERIFY(d.t.dialogs.saw("nelze zobrazit jako obrazek"));

        // The desktop's program takes it: no window of ours.
        const auto noted = d.t.root / "opened.txt";
        d.t.write("C:\\opener.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + noted.string() + "'\n");
        makeExecutable(d.t.path("C:\\opener.sh"));
        setDocumentOpener(d.t.path("C:\\opener.sh"));
        d.t.dialogs.clear();
        bool ownWindow = false;
        pickFile(picture);
        QPointer<QTimer> watch = whenModal<TObrazek>(
            [&](TObrazek* w) {
                ownWindow = true;
                w->reject();
            },
            500);
        main->command("ProhlObr")->trigger();
        QTRY_VERIFY(watch.isNull());
        QVERIFY(!ownWindow);
        QCOMPARE(QString::fromStdString(readFile(noted)), QString::fromStdString(picture.string()));
        QVERIFY(d.t.dialogs.boxes.empty());
    }

    void mediaPlayerAsksForFileAndSaysWhenNothingPlaysIt() {
        NoDesktopOpener noOpener;
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        d.t.write("D:\\Hudba\\Znelka.mp3", "sound");
        QStringList filters;
        pickFile(d.t.path("D:\\Hudba\\Znelka.mp3"), &filters);
        main->command("PrehrMedii")->trigger();
        QVERIFY(filters.value(0).startsWith("Zvuk a video ("));
        QCOMPARE(d.t.dialogs.count(Kind::Warning), 1);
        QVERIFY(d.t.dialogs.saw("D:\\Hudba\\Znelka.mp3"));
        QVERIFY(d.t.dialogs.saw("nelze prehrat"));
        QVERIFY(!d.t.dialogs.saw("nebyl nalezen"));
        // Cancelled: nothing more.
        d.t.dialogs.clear();
        whenModal<QFileDialog>([](QFileDialog* f) { f->reject(); });
        main->command("PrehrMedii")->trigger();
        QVERIFY(d.t.dialogs.boxes.empty());
        QVERIFY(ends.empty());
    }
};

SARW_GUI_TEST(StandInsTest);
#include "StandInsTest.moc"
