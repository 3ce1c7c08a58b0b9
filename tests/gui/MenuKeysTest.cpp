#include "GuiTest.h"

#include "shell/MenuKeys.h"
#include "shell/TSar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

using namespace sarw;
using namespace sarw::test;

namespace {

// Every caption among the actions has one mnemonic, unique among them; the same below.
void checkUnique(const QList<QAction*>& actions, const QString& where) {
    QStringList keys;
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        const int at = a->text().indexOf(QLatin1Char('&'));
        QVERIFY2(at >= 0 && at + 1 < a->text().size(), qPrintable(where + " / " + a->text()));
        const QString key = a->text().mid(at + 1, 1).toLower();
        QVERIFY2(!keys.contains(key), qPrintable(where + " / " + a->text()));
        keys << key;
        if (a->menu()) checkUnique(a->menu()->actions(), where + " / " + a->text());
    }
}

} // namespace

class MenuKeysTest : public QObject {
    Q_OBJECT

private slots:
    void firstFreeLetter() {
        struct Case {
            const char* caption;
            const char* taken;
            const char* marked;
        };
        const Case cases[] = {
            {"Dos", "", "&Dos"},
            {"Data", "d", "D&ata"},
            {"Prevody", "dapt", "P&revody"},
            {"Ucetni obdobi", "u", "U&cetni obdobi"},
            {"Abc", "abc", "Abc"},   // nothing free: the caption stays
            {"&Grafika", "", "&Grafika"}, // already marked
        };
        for (const Case& c : cases) {
            std::vector<QChar> taken;
            for (const char* t = c.taken; *t; ++t) taken.push_back(QLatin1Char(*t));
            QCOMPARE(withMnemonic(QString::fromLatin1(c.caption), taken),
                     QString::fromLatin1(c.marked));
        }
    }

    void everyMenuKeyAndF10() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        checkUnique(main->menuBar()->actions(), "menu");
        // The captions' texts stay as they were.
        QCOMPARE(main->command("TabObraty")->text().remove(QLatin1Char('&')),
                 QString("Mesicni obraty"));

        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        // The closed login window can stay the application's active window a moment longer;
        // the menu bar's keys reach only the active window.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(main.get()));
        QTest::keyClick(main.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QCOMPARE(qobject_cast<QMenu*>(QApplication::activePopupWidget())->title(),
                 QString("&Tabulky"));
        QApplication::activePopupWidget()->close();

        // A hint appears beside the menu, not over the next item.
        QMenu* views = nullptr;
        for (QAction* a : main->menuBar()->actions())
            if (a->text() == "&Prehlady") views = a->menu();
        QVERIFY(views);
        views->popup(main->mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(views));
        QAction* hinted = main->command("SesInv");
        hinted->setToolTip("Soupis zasob k inventure");
        const QRect item = views->actionGeometry(hinted);
        QHelpEvent hover(QEvent::ToolTip, item.center(), views->mapToGlobal(item.center()));
        QApplication::sendEvent(views, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), hinted->toolTip());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible())
                QVERIFY(w->geometry().left() >= views->geometry().right());
        views->close();

        QTest::keyClick(main.get(), Qt::Key_F10);
        QVERIFY(main->menuBar()->activeAction());
        QCOMPARE(main->menuBar()->activeAction()->text(), QString("&Dos"));
    }
};

SARW_GUI_TEST(MenuKeysTest);
#include "MenuKeysTest.moc"
