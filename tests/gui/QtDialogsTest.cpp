#include "GuiTest.h"

#include "platform/QtDialogs.h"
#include "shell/TInfo.h"
#include "shell/TVp.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

using namespace sarw;
using namespace sarw::test;

namespace {

struct Seen {
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
    Qt::WindowModality modality = Qt::NonModal;
};

// Notes what the box shows and clicks the button with the caption.
void clickWhenShown(Seen& seen, const QString& caption) {
    whenModal<QMessageBox>([&seen, caption](QMessageBox* b) {
        seen.title = b->windowTitle();
        seen.text = b->text();
        seen.icon = b->icon();
        seen.onTop = b->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.modality = b->windowModality();
        for (QAbstractButton* button : b->buttons()) seen.buttons << button->text();
        for (QAbstractButton* button : b->buttons())
            if (button->text() == caption) button->click();
    });
}

} // namespace

// The boxes, the progress strip and the information window of the desktop program.
class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void questions_data() {
        QTest::addColumn<bool>("withHalt");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer"); // Dialogs::Answer
        QTest::newRow("Ano") << false << "Ano" << int(Dialogs::Answer::Yes);
        QTest::newRow("Ne") << false << "Ne" << int(Dialogs::Answer::No);
        QTest::newRow("halt Ano") << true << "Ano" << int(Dialogs::Answer::Yes);
        QTest::newRow("halt Ne") << true << "Ne" << int(Dialogs::Answer::No);
        QTest::newRow("halt Storno") << true << "Storno" << int(Dialogs::Answer::Cancel);
    }

    void questions() {
        QFETCH(bool, withHalt);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QtDialogs dialogs;
        Seen seen;
        clickWhenShown(seen, click);
        // Windows-1250 text with the program's carriage returns.
        const std::string text = "Zm\xec"
                                 "nit \xfa\xe8"
                                 "et ?\r\rDruh\xfd \xf8\xe1"
                                 "dek";
        Dialogs::Answer got;
        if (withHalt)
            got = dialogs.questionHalt(text, "Ano=True, Ne=False, Storno=Halt");
        else
            got = dialogs.question(text, "Titulek") ? Dialogs::Answer::Yes : Dialogs::Answer::No;
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.text, QString::fromUtf8("Změnit účet ?\n\nDruhý řádek"));
        seen.buttons.sort();
        QCOMPARE(seen.buttons,
                 withHalt ? QStringList({"Ano", "Ne", "Storno"}) : QStringList({"Ano", "Ne"}));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QVERIFY(seen.onTop);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
    }

    void informationAndWarning() {
        QtDialogs dialogs;
        dialogs.beepIntervalMs = 150;
        Seen info;
        clickWhenShown(info, "OK");
        dialogs.information("Prekontrolujte data !", "");
        QCOMPARE(info.icon, QMessageBox::Information);
        QCOMPARE(info.title, QString());

        // The warning's three beeps are 150 ms apart here: the box comes after both pauses.
        Seen warn;
        QElapsedTimer clock;
        clock.start();
        qint64 boxAfter = -1;
        whenModal<QMessageBox>([&](QMessageBox* b) {
            boxAfter = clock.elapsed();
            warn.title = b->windowTitle();
            warn.icon = b->icon();
            b->buttons().front()->click();
        });
        dialogs.warning("Pro tuto oblast nemate opravneni !", "Pozor");
        QVERIFY(boxAfter >= 300);
        QCOMPARE(warn.icon, QMessageBox::Warning);
        QCOMPARE(warn.title, QString("Pozor"));
    }

    void progressStrip() {
        QtDialogs dialogs;
        TVp& strip = dialogs.progressStrip();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        dialogs.progressShow();
        dialogs.progressShow(); // a computation inside another
        QVERIFY(strip.isVisible());
        QCOMPARE(strip.geometry().topLeft(), QPoint(11, screen.bottom() - 80));
        QVERIFY(strip.width() >= 153);
        // Its text is not cut.
        const QLabel* text = strip.findChild<QLabel*>();
        QVERIFY(text->width() >= text->fontMetrics().horizontalAdvance(text->text()));
        QCOMPARE(strip.windowTitle(), QString("  Probiha vypocet !   ............"));
        QCOMPARE(strip.palette().color(QPalette::Window), QColor(Qt::red));
        QVERIFY(strip.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(QApplication::overrideCursor() &&
                QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        // A box inside the computation shows the arrow while it waits; the hourglass comes back.
        Qt::CursorShape inBox = Qt::BlankCursor;
        whenModal<QMessageBox>([&inBox](QMessageBox* b) {
            inBox = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                   : Qt::BlankCursor;
            b->buttons().front()->click();
        });
        dialogs.information("Vygenerovany obvykle vlastnosti.", "");
        QCOMPARE(inBox, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.progressClose();
        QVERIFY(strip.isVisible()); // the outer computation still runs
        dialogs.progressClose();
        QVERIFY(!strip.isVisible());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        dialogs.progressClose(); // one close too many changes nothing
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // Over the window the user works in, not at the screen's corner.
        QWidget main;
        main.setGeometry(300, 200, 640, 539);
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        dialogs.progressShow();
        QVERIFY(main.frameGeometry().contains(strip.geometry().topLeft()));
        QVERIFY(main.frameGeometry().contains(strip.geometry().bottomLeft()));
        dialogs.progressClose();
    }

    void informationWindow() {
        QtDialogs dialogs;
        TInfo& info = dialogs.infoWindow();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        struct Case {
            std::string title, line1, line2;
            QString caption;
            int height;
        };
        const Case cases[] = {
            {"", "Soubor byl ulozen.", "D:\\LSarW\\PomSoub\\SarInic.TXT", "  Informace:", 108},
            {"Informace", "SarW:  Probiha archivace databasi !", "", "  Informace", 62},
        };
        for (const Case& c : cases) {
            dialogs.infoShow(c.title, c.line1, c.line2);
            QVERIFY(info.isVisible());
            QCOMPARE(info.windowTitle(), c.caption);
            QCOMPARE(info.height(), c.height);
            const auto labels = info.findChildren<QLabel*>();
            const QFontMetrics fm(labels.front()->font());
            const int wider = std::max(fm.horizontalAdvance(QString::fromStdString(c.line1)),
                                       fm.horizontalAdvance(QString::fromStdString(c.line2)));
            QCOMPARE(info.width(), wider + 50);
            QVERIFY(std::abs(info.geometry().center().x() - screen.center().x()) <= 1);
            QVERIFY(std::abs(info.geometry().center().y() - screen.center().y()) <= 1);
            QElapsedTimer clock;
            clock.start();
            dialogs.infoClose(200);
            QVERIFY(clock.elapsed() >= 200);
            QVERIFY(!info.isVisible());
        }
    }
};

SARW_GUI_TEST(QtDialogsTest);
#include "QtDialogsTest.moc"
