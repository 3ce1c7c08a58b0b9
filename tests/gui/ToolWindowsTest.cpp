#include "GuiTest.h"

#include "shell/QtText.h"
#include "tools/ToolWindows.h"
#include "tools/VCalcul.h"
#include "tools/VTime.h"
#include "tools/Vdate.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

// The tool windows: each once, not modal, their keys reaching the core's evaluator and
// calculator, a refusal shown as a warning.
class ToolWindowsTest : public QObject {
    Q_OBJECT

    template <class T = QLineEdit> static T* part(QWidget* w, const char* name) {
        T* found = w->findChild<T*>(name);
        if (!found) qFatal("no part %s", name);
        return found;
    }

    static QString shown(const char* text) { return QString(text).rightJustified(25); }

private slots:
    void expressionTypedAndEnter() {
        TestSession t;
        QWidget caller;
        QWidget* w = showTool(Tool::Expression, *t, &caller);
        QVERIFY(w->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(w)); // focus changes need the active window
        QCOMPARE(w->windowTitle(), QString(" Vypocet hodnoty aritmetickeho vyrazu"));
        QLineEdit* expression = part(w, "vyraz");
        QLineEdit* result = part(w, "vysledek");
        QLineEdit* decimals = part(w, "desetiny");
        QCOMPARE(decimals->text(), QString("    5"));
        QTest::keyClicks(expression, "(2+3)*4");
        QTest::keyClick(expression, Qt::Key_Return);
        QCOMPARE(result->text(), shown("20,00000"));

        // Two decimals: the field is cleared on entering and rewritten on leaving.
        decimals->setFocus();
        QCOMPARE(decimals->text(), QString());
        QTest::keyClicks(decimals, "2");
        expression->setFocus();
        QCOMPARE(decimals->text(), QString("    2"));
        expression->clear();
        QTest::keyClicks(expression, "1/3");
        part<QPushButton>(w, "vypocet")->click();
        QCOMPARE(result->text(), shown("0,33"));

        expression->clear();
        QTest::keyClicks(expression, "sqrt(-4)");
        QTest::keyClick(expression, Qt::Key_Return);
        QCOMPARE(result->text(), QString());
        QCOMPARE(t.dialogs.boxes.size(), std::size_t(1));
        QCOMPARE(t.dialogs.boxes[0].kind, Kind::Warning);
        QCOMPARE(t.dialogs.boxes[0].text,
                 std::string("Odmocninu nelze pocitat ze zaporneho cisla."));
        // The same window again, under the new caller; it goes with its caller.
        QWidget other;
        QCOMPARE(showTool(Tool::Expression, *t, &other), w);
        QCOMPARE(w->parentWidget(), &other);
        part<QPushButton>(w, "konec")->click();
        QVERIFY(!w->isVisible());
    }

    void calculatorKeysAndMemory() {
        TestSession t;
        QWidget caller;
        auto* w = static_cast<VCalcul*>(showTool(Tool::Calculator, *t, &caller));
        QCOMPARE(w->windowTitle(), QString(" Kalkulacka"));
        QLineEdit* memory = part(w, "pamet");
        QLineEdit* display = part(w, "displej");
        QCOMPARE(part(w, "desetiny")->text(), QString("      5"));
        QCOMPARE(memory->text(), QString());
        for (const char* key : {"klavesa2", "klavesa+", "klavesa3", "klavesa*", "klavesa4"})
            part<QPushButton>(w, key)->click();
        QCOMPARE(display->text(), QString("4"));
        part<QPushButton>(w, "klavesa=")->click();
        QCOMPARE(memory->text(), shown("20,00000"));
        QCOMPARE(calculatorMemory(), cp(memory->text()));

        // The keyboard: a decimal point, Enter for "=", Esc for "C".
        QTest::keyClicks(w, "1.5*");
        QTest::keyClick(w, Qt::Key_2);
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(memory->text(), shown("3,00000"));
        QTest::keyClicks(w, "7/0");
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(t.dialogs.boxes.size(), std::size_t(1));
        QCOMPARE(t.dialogs.boxes[0].text, std::string("Delit nulou nelze."));
        QCOMPARE(memory->text(), shown("7,00000")); // the dividend stays
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(memory->text(), shown(""));

        // Shown again: everything cleared.
        w->close();
        QCOMPARE(showTool(Tool::Calculator, *t, &caller), w);
        QCOMPARE(memory->text(), QString());
    }

    void calendarMonthChangeAndPickedDate() {
        TestSession t;
        t->platform().setFixedDate(DateTime{2026, 2, 11});
        QWidget caller;
        auto* w = static_cast<Vdate*>(showTool(Tool::Calendar, *t, &caller));
        QCOMPARE(w->windowTitle(), QString(" Kalendar"));
        QCalendarWidget* calendar = w->calendar();
        QCOMPARE(calendar->selectedDate(), QDate(2026, 2, 11));
        auto* view = calendar->findChild<QTableView*>();
        QVERIFY(view);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(calendar->monthShown(), 3);
        QCOMPARE(calendar->selectedDate(), QDate(2026, 3, 11));
        QTest::keyClick(view, Qt::Key_Return); // as a double-click: taken, closed
        QVERIFY(!w->isVisible());
        QCOMPARE(pickedDate(), std::string("11.03.2026"));
    }

    void clockShowsTheTime() {
        TestSession t;
        t->platform().setFixedTime(DateTime{0, 0, 0, 10, 20, 30});
        QWidget caller;
        auto* w = static_cast<VTime*>(showTool(Tool::Clock, *t, &caller));
        QCOMPARE(w->windowTitle(), QString(" Hodiny"));
        QCOMPARE(w->shownTime(), QString("10:20:30"));
        t->platform().setFixedTime(DateTime{0, 0, 0, 10, 20, 31});
        QTRY_COMPARE_WITH_TIMEOUT(w->shownTime(), QString("10:20:31"), 3000);
    }
};

SARW_GUI_TEST(ToolWindowsTest);
#include "ToolWindowsTest.moc"
