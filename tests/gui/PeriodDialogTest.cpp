#include "GuiTest.h"

#include "period/Period.h"
#include "period/TObd.h"
#include "period/TObd12.h"
#include "start/Startup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

void setPeriod(TestSession& t, const char* period) {
    createLocalSystemTree(*t);
    t->period.Period = period;
    QVERIFY(StorePeriod(*t));
    t.dialogs.clear();
}

std::string storedPeriod(TestSession& t) {
    return t.read(periodFileName(*t)).substr(0, 5);
}

void type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

// The period dialog and the from/to dialog, driven by keys and clicks.
class PeriodDialogTest : public QObject {
    Q_OBJECT

private slots:
    void periodDialogStaysInsideTheMainWindow() {
        TestSession t;
        setPeriod(t, "17 05");
        QWidget main;
        main.setGeometry(100, 100, 640, 539);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        TObd dialog(*t, &main);
        // The usual place assumes a wider window.
        dialog.setPlace(main.x() + 390, main.y() + 130);
        QRect shown;
        whenModal<TObd>([&](TObd* w) {
            shown = w->frameGeometry();
            w->reject();
        });
        dialog.exec();
        QVERIFY2(main.frameGeometry().contains(shown), qPrintable(QString("%1,%2 %3x%4")
                     .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())));
    }

    void periodDialog_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("input");  // typed text, or "<" / ">" for the arrows
        QTest::addColumn<QString>("shown");  // the field afterwards
        QTest::addColumn<QString>("stored"); // the period file after Enter / "Potvrd"
        QTest::newRow("back over the year") << "17 01"
                                            << "<"
                                            << "1612"
                                            << "16 12";
        QTest::newRow("forward over the year") << "17 12"
                                               << ">"
                                               << "1801"
                                               << "18 01";
        QTest::newRow("month 13 accepted") << "17 05"
                                           << "1713"
                                           << "1713"
                                           << "17 13";
        QTest::newRow("month 20 accepted") << "17 05"
                                           << "1720"
                                           << "1720"
                                           << "17 20";
        QTest::newRow("month 00 typed") << "17 05"
                                        << "1700"
                                        << "1700"
                                        << "17 00";
    }

    void periodDialog() {
        QFETCH(QString, start);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        TestSession t;
        setPeriod(t, start.toLatin1().constData());
        TObd dialog(*t);
        QString seen;
        whenModal<TObd>([&](TObd* w) {
            QCOMPARE(w->windowTitle(), QString(" Zadej obdobi"));
            QVERIFY(w->fileLabel()->text().endsWith("ObdobiSarW.Txt"));
            if (input == "<" || input == ">") {
                auto* arrow = w->findChild<QToolButton*>(input == "<" ? "ObdMinus" : "ObdPlus");
                QTest::mouseClick(arrow, Qt::LeftButton);
                QVERIFY(w->field()->hasFocus()); // the arrows do not take the focus
            } else {
                type(w->field(), input);
            }
            seen = w->field()->text();
            QTest::mouseClick(w->findChild<QPushButton*>("Potvrd"), Qt::LeftButton);
        });
        dialog.exec();
        QCOMPARE(seen, shown);
        QCOMPARE(QString::fromStdString(storedPeriod(t)), stored);
        QCOMPARE(QString::fromStdString(t->period.Period), stored);
        QVERIFY(t.dialogs.boxes.empty());
    }

    void periodDialogRefuses() {
        for (const char* bad : {"17a5", "175", "1721"}) {
            TestSession t;
            setPeriod(t, "17 05");
            TObd dialog(*t);
            bool stayed = false;
            whenModal<TObd>([&](TObd* w) {
                type(w->field(), bad);
                QTest::keyClick(w->field(), Qt::Key_Return);
                // "Potvrd" does not close on a refused entry either.
                QTest::mouseClick(w->findChild<QPushButton*>("Potvrd"), Qt::LeftButton);
                stayed = w->isVisible() && w->field()->hasFocus();
                type(w->field(), "1706");
                QTest::keyClick(w->field(), Qt::Key_Return);
            });
            dialog.exec();
            QVERIFY2(stayed, bad);
            QVERIFY2(t.dialogs.count(Kind::Warning) >= 1, bad);
            const auto& box = t.dialogs.boxes.front();
            QCOMPARE(box.text, std::string("Chybne zadane obdobie !"));
            QCOMPARE(box.title, "Obdobie: " + std::string(bad));
            QCOMPARE(storedPeriod(t), std::string("17 06"));
        }
    }

    void spanDialogEscapeStillStores() {
        TestSession t;
        TObd12 dialog(*t);
        QString shownFrom, shownTo;
        whenModal<TObd12>([&](TObd12* w) {
            shownFrom = w->fromField()->text();
            shownTo = w->toField()->text();
            type(w->fromField(), "1701");
            QTest::keyClick(w->fromField(), Qt::Key_Return); // on to the second field
            QVERIFY(w->toField()->hasFocus());
            type(w->toField(), "1713"); // month 13 is accepted here
            QTest::keyClick(w->toField(), Qt::Key_Escape);
        });
        dialog.exec();
        QCOMPARE(shownFrom, QString("0201")); // the defaults without a file
        QCOMPARE(shownTo, QString("2012"));
        QVERIFY(dialog.cancelled());
        QCOMPARE(t.read(kPeriodSpanFile).substr(0, 9), std::string("1701-1713"));
        QCOMPARE(t->period.PeriodFrom, std::string("1701"));
        QCOMPARE(t->period.PeriodTo, std::string("1713"));
        QVERIFY(t.dialogs.boxes.empty());
    }

    void spanDialogRefusesMonth14() {
        TestSession t;
        t.write(kPeriodSpanFile, "1601-1612\r\n");
        TObd12 dialog(*t);
        bool keptFocus = false;
        whenModal<TObd12>([&](TObd12* w) {
            QCOMPARE(w->fromField()->text(), QString("1601"));
            type(w->fromField(), "1714");
            QTest::keyClick(w->fromField(), Qt::Key_Tab);
            keptFocus = w->fromField()->hasFocus();
            type(w->fromField(), "1702");
            QTest::keyClick(w->fromField(), Qt::Key_Return);
            QTest::keyClick(w->toField(), Qt::Key_Return);
            QVERIFY(w->nextButton()->hasFocus());
            QTest::mouseClick(w->nextButton(), Qt::LeftButton);
        });
        dialog.exec();
        QVERIFY(keptFocus);
        QCOMPARE(t.dialogs.count(Kind::Warning), 1);
        QCOMPARE(t.dialogs.boxes.front().text, std::string("Chybne zadane obdobi !"));
        QCOMPARE(t.dialogs.boxes.front().title, std::string("Obdobi: 1714"));
        QVERIFY(!dialog.cancelled());
        QCOMPARE(t.read(kPeriodSpanFile).substr(0, 9), std::string("1702-1612"));
    }
};

SARW_GUI_TEST(PeriodDialogTest);
#include "PeriodDialogTest.moc"
