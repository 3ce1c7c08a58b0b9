#include "GuiTest.h"

#include "access/AccessFile.h"
#include "access/THesloG.h"
#include "access/THesloP.h"
#include "shell/ProgramEnd.h"
#include "shell/USarCON.h"
#include "start/Startup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

struct Fixture {
    Fixture(std::vector<int>& ends) {
        ends.clear();
        recordProgramEnd(ends);
        createLocalSystemTree(*t);
    }
    TestSession t;
};

QString cell(RightsGrid* g, int row, int column) {
    const QTableWidgetItem* item = g->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

// The login window and the rights table.
class AccessWindowsTest : public QObject {
    Q_OBJECT
    std::vector<int> ends;

private slots:
    void passwordIsEchoedAsStars() {
        Fixture f(ends);
        writeUsers(
            f.t, {{"Zenit", "Zenit", "Zenit"}, {"Jana", "ab", "Sprav"}, {"Jana", "ab", "Obraty"}});
        THesloG w(*f.t);
        QString echo;
        whenModal<THesloG>([&](THesloG* g) {
            // No empty strip on the left: the labels start at the margin, the fields fit.
            int left = g->width();
            for (QWidget* c : g->findChildren<QWidget*>())
                if (c->isVisible() && c->parentWidget() == g) left = std::min(left, c->x());
            QVERIFY(left <= 24);
            QVERIFY(g->passwordField()->geometry().right() < g->width());
            QTest::keyClicks(g->userField(), "  Jana ");
            QTest::keyClick(g->userField(), Qt::Key_Return);
            QTest::keyClicks(g->passwordField(), "abx");
            QTest::keyClick(g->passwordField(), Qt::Key_Backspace);
            echo = g->passwordField()->text();
            QTest::keyClick(g->passwordField(), Qt::Key_Return);
        });
        w.exec();
        QCOMPARE(echo, QString("**"));
        QCOMPARE(f.t->login.user, std::string("Jana"));
        QCOMPARE(f.t->login.status, std::string("Obraty"));
        QCOMPARE(f.t->login.rights, std::string("|Sprav|Obraty|"));
        QVERIFY(ends.empty());
    }

    void escapeEndsProgram() {
        for (bool inPassword : {false, true}) {
            Fixture f(ends);
            THesloG w(*f.t);
            whenModal<THesloG>([&](THesloG* g) {
                QLineEdit* field = inPassword ? g->passwordField() : g->userField();
                if (inPassword) field->setFocus();
                QTest::keyClick(field, Qt::Key_Escape);
            });
            w.exec();
            QCOMPARE(ends, std::vector<int>{kEndNormal});
            QVERIFY(w.endedProgram());
            QVERIFY(f.t.dialogs.boxes.empty()); // no login was checked
        }
    }

    void withoutLoginFlagClosesAtOnce() {
        Fixture f(ends);
        f.t->login.loginFlag = false;
        THesloG w(*f.t);
        QTimer::singleShot(2000, &w, [&w] { w.reject(); }); // only if it failed to close
        w.exec();
        QCOMPARE(f.t->login.status, std::string("::::::::::"));
        QCOMPARE(f.t->login.rights, std::string("::::::::::"));
        QVERIFY(ends.empty());
    }

    void maintenanceKeys() {
        // Not "Zenit": the error and the end.
        {
            Fixture f(ends);
            writeUsers(f.t, {{"Jana", "ab", "Sprav"}});
            THesloG w(*f.t);
            whenModal<THesloG>([&](THesloG* g) {
                QTest::keyClicks(g->userField(), "Jana");
                QTest::keyClick(g->userField(), Qt::Key_Return);
                QTest::keyClicks(g->passwordField(), "ab");
                QTest::keyClick(g->passwordField(), Qt::Key_D,
                                Qt::ControlModifier | Qt::AltModifier);
            });
            w.exec();
            QCOMPARE(ends, std::vector<int>{kEndNormal});
            QVERIFY(f.t.dialogs.saw("Pro tuto akci nemate opravneni !"));
            QVERIFY(f.t.exists(kAccessFileName));
        }
        // "Zenit", Ctrl+Alt+D: the question, then the access system is gone and the program ends.
        {
            Fixture f(ends);
            writeUsers(f.t, {{"Zenit", "Zenit", "Zenit"}});
            f.t.dialogs.answers = {Dialogs::Answer::Yes};
            THesloG w(*f.t);
            whenModal<THesloG>([&](THesloG* g) {
                QTest::keyClicks(g->userField(), "Zenit");
                QTest::keyClick(g->userField(), Qt::Key_Return);
                QTest::keyClicks(g->passwordField(), "Zenit");
                QTest::keyClick(g->passwordField(), Qt::Key_D,
                                Qt::ControlModifier | Qt::AltModifier);
            });
            w.exec();
            QVERIFY(f.t.dialogs.saw("Skutecne chceme zrusit soustavu vygenerovanych pristupu ?"));
            QVERIFY(!f.t.exists(kAccessFileName));
            QCOMPARE(ends, std::vector<int>{kEndNormal});
        }
        // "Zenit", Ctrl+Alt+U: the marker list, Enter deletes the chosen one and ends.
        {
            Fixture f(ends);
            f.t.write("C:\\A_Run\\PristPr\\LSar_Eva.J", "");
            f.t.write("C:\\A_Run\\PristPr\\LSar_Ivo.J", "");
            f.t.write("C:\\A_Run\\PristPr\\Jiny.J", "");
            THesloG w(*f.t);
            QStringList listed;
            bool listFocused = false;
            whenModal<THesloG>([&](THesloG* g) {
                QTest::keyClicks(g->userField(), "Zenit");
                QTest::keyClick(g->userField(), Qt::Key_Return);
                QTest::keyClicks(g->passwordField(), "Zenit");
                QTest::keyClick(g->passwordField(), Qt::Key_U,
                                Qt::ControlModifier | Qt::AltModifier);
                for (int i = 0; i < g->markerList()->count(); ++i)
                    listed << g->markerList()->item(i)->text();
                listFocused = g->markerList()->isVisible() && g->markerList()->hasFocus() &&
                              g->markerList()->width() == 100;
                g->markerList()->setCurrentRow(1);
                QTest::keyClick(g->markerList(), Qt::Key_Return);
            });
            w.exec();
            QCOMPARE(listed, QStringList({"LSar_Eva", "LSar_Ivo"}));
            QVERIFY(listFocused);
            QVERIFY(f.t.exists("C:\\A_Run\\PristPr\\LSar_Eva.J"));
            QVERIFY(!f.t.exists("C:\\A_Run\\PristPr\\LSar_Ivo.J"));
            QCOMPARE(ends, std::vector<int>{kEndNormal});
        }
    }

    void rightsTableEditsAndSaves() {
        Fixture f(ends);
        writeUsers(f.t,
                   {{"Zenit", "Zenit", "Zenit"}, {"Jana", "ab", "Sprav"}, {"Ivo", "cd", "HObr"}});
        f.t->login.user = "Jana";
        f.t->login.status = "Zenit";
        f.t.write("C:\\A_Run\\Uzivatele\\LSar_Jana.J", "");
        THesloP w(*f.t);
        QString rowCount;
        whenModal<THesloP>([&](THesloP* p) {
            RightsGrid* g = p->grid();
            rowCount = QString::number(g->rowCount());
            // Every column is seen whole, without scrolling sideways.
            QVERIFY(g->horizontalScrollBar()->maximum() == 0 || !g->horizontalScrollBar()->isVisible());
            QVERIFY(g->columnViewportPosition(2) + g->columnWidth(2) <= g->viewport()->width());
            QVERIFY(g->columnWidth(2) >= 80);
            QCOMPARE(cell(g, 1, 0), QString("Jana"));
            QCOMPARE(cell(g, 1, 1), QString("ab"));
            // Insert at row 1: an empty row, the others move down.
            g->setCurrentCell(1, 0);
            QTest::keyClick(g, Qt::Key_Insert);
            QCOMPARE(cell(g, 2, 0), QString("Jana"));
            g->setItem(1, 0, new QTableWidgetItem(" Petr "));
            g->setItem(1, 1, new QTableWidgetItem("pp"));
            g->setItem(1, 2, new QTableWidgetItem("Prohl"));
            // Ctrl+Delete on Jana: "Ne" keeps the row, "Ano" removes it.
            g->setCurrentCell(2, 0);
            f.t.dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
            QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(cell(g, 2, 0), QString("Jana"));
            QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(cell(g, 2, 0), QString("Ivo"));
            QCOMPARE(g->rowCount(), THesloP::kRows);
            // Rows after the first one without a name are not stored.
            g->setItem(5, 0, new QTableWidgetItem("Ztraceny"));
            p->findChild<QPushButton*>("Konec")->click();
        });
        w.exec();
        QCOMPARE(rowCount, QString("200"));
        QCOMPARE(f.t.dialogs.count(Kind::Question), 2);
        QCOMPARE(f.t.dialogs.boxes.front().text, std::string("Naozaj chceme riadok zrusit ?"));
        QVERIFY(!f.t.exists("C:\\A_Run\\Uzivatele\\LSar_Jana.J"));
        const std::vector<AccessEntry> expected{
            {"Zenit", "Zenit", "Zenit"}, {"Petr", "pp", "Prohl"}, {"Ivo", "cd", "HObr"}};
        QVERIFY(loadAccessFile(*f.t) == expected);
    }

    void rightsTableUnchangedIsNotWritten() {
        Fixture f(ends);
        writeUsers(f.t, {{"Zenit", "Zenit", "Zenit"}, {"Jana", "ab", "Sprav"}});
        const auto file = f.t.path(kAccessFileName);
        const auto past = std::filesystem::last_write_time(file) - std::chrono::hours(1);
        std::filesystem::last_write_time(file, past);
        f.t->login.user = "Zenit";
        f.t->login.status = "Zenit";
        THesloP w(*f.t);
        whenModal<THesloP>([&](THesloP* p) {
            // Blanks around a cell store the same.
            p->grid()->setItem(1, 0, new QTableWidgetItem(" Jana "));
            p->findChild<QPushButton*>("Konec")->click();
        });
        w.exec();
        QCOMPARE(std::filesystem::last_write_time(file), past);
        whenModal<THesloP>([&](THesloP* p) {
            p->grid()->setItem(1, 1, new QTableWidgetItem("nove"));
            p->findChild<QPushButton*>("Konec")->click();
        });
        w.exec();
        QVERIFY(std::filesystem::last_write_time(file) != past);
        QCOMPARE(loadAccessFile(*f.t)[1].password, std::string("nove"));
    }

    void rightsTableClosesForOthers() {
        Fixture f(ends);
        writeUsers(f.t, {{"Zenit", "Zenit", "Zenit"}, {"Jana", "ab", "Sprav"}});
        const std::string before = f.t.read(kAccessFileName);
        f.t->login.user = "Jana";
        f.t->login.status = "Sprav";
        THesloP w(*f.t);
        QTimer::singleShot(2000, &w, [&w] { w.reject(); }); // only if it failed to close
        w.exec();
        QCOMPARE(w.grid()->item(0, 0), nullptr); // nothing was shown
        QCOMPARE(f.t.read(kAccessFileName), before);
    }
};

SARW_GUI_TEST(AccessWindowsTest);
#include "AccessWindowsTest.moc"
