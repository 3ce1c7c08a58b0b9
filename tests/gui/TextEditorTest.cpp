#include "GuiTest.h"
#include "PdfText.h"

#include "editors/TTextEdit.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;
namespace fs = std::filesystem;

namespace {

const std::string kFile = "C:\\Data\\Pozn.Txt";
const std::string kQuestion = kFile + "\r\rSoubor byl zmenen. Ma byt ulozen ?";

// Opens the file editable, appends a line with diacritics and closes the window with "Konec".
void editAndClose(TTextEdit& w) {
    QVERIFY(w.openFile(kFile, true));
    w.show();
    w.text()->moveCursor(QTextCursor::End);
    w.text()->insertPlainText(QString::fromUtf8("Žluťoučký kůň\n"));
    w.findChild<QPushButton*>("Konec")->click();
}

} // namespace

// The text file editor: its save question, the atomic save that keeps the file's attributes,
// a missing name, printing with form feeds.
class TextEditorTest : public QObject {
    Q_OBJECT

private slots:
    void changedTextIsOfferedForSaving() {
        for (bool yes : {true, false}) {
            TestSession t;
            t.write(kFile, "P\xf8" "ed\r\n");
            Platform::setReadOnly(t.path(kFile), true);
            t.dialogs.answers = {yes ? Dialogs::Answer::Yes : Dialogs::Answer::No};
            TTextEdit w(*t);
            editAndClose(w);
            QVERIFY(!w.isVisible());
            QCOMPARE(t.dialogs.boxes.front().text, kQuestion);
            QCOMPARE(t.dialogs.boxes.front().kind, Kind::Question);
            // Windows-1250 on disk; the window showed the letters.
            QCOMPARE(t.read(kFile), yes ? std::string("P\xf8" "ed\r\n\x8elu\x9dou\xe8k\xfd k\xf9\xf2\r\n")
                                        : std::string("P\xf8" "ed\r\n"));
            QVERIFY(Platform::isReadOnly(t.path(kFile)));
            QCOMPARE(t.dialogs.saw("Soubor byl ulozen."), yes);
            int files = 0;
            for ([[maybe_unused]] const auto& e : fs::directory_iterator(t.path("C:\\Data"))) ++files;
            QCOMPARE(files, 1); // no temporary left beside it
        }
    }

    void failedSaveKeepsTheWindowOpen() {
        TestSession t;
        t.dialogs.answers = {Dialogs::Answer::Yes};
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile, true));
        // A folder takes the file's name only after opening: the save cannot replace it.
        fs::create_directories(t.path(kFile));
        w.show();
        w.text()->insertPlainText("text\n");
        w.findChild<QPushButton*>("Konec")->click();
        QVERIFY(t.dialogs.saw("Soubor nelze ulozit"));
        QVERIFY(w.isVisible());
        QVERIFY(w.modified());
        w.text()->document()->setModified(false);
        w.close();
    }

    void missingFileIsNotCreatedByLooking() {
        TestSession t;
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile, true));
        QVERIFY(w.windowTitle().contains(QString::fromStdString(kFile)));
        QVERIFY(w.text()->toPlainText().isEmpty());
        w.show();
        w.findChild<QPushButton*>("Konec")->click();
        QVERIFY(!t.exists(kFile));
        QVERIFY(t.dialogs.boxes.empty());
    }

    void searchAndInsertMode() {
        TestSession t;
        t.write(kFile, "prvni\r\nDruhy \xc8" "erveny\r\ntreti \xe8" "erveny\r\n");
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile, true));
        w.show();
        QVERIFY(w.find(QString::fromUtf8("ČERVENÝ").left(6), true));
        QCOMPARE(w.text()->textCursor().selectedText(), QString::fromUtf8("Červen"));
        QVERIFY(w.find(QString::fromUtf8("červen"), false));
        QCOMPARE(w.text()->textCursor().blockNumber(), 2);
        QVERIFY(!w.find("chybi", false));
        QVERIFY(t.dialogs.saw("Retezec nenalezen !"));
        QVERIFY(w.status()->text().contains("Rad:        3"));
        QVERIFY(w.status()->text().endsWith("Vkladani"));
        QTest::keyClick(w.text(), Qt::Key_Insert);
        QVERIFY(w.status()->text().endsWith("Prepisovani"));
        w.close();
    }

    void lineKeys() {
        TestSession t;
        t.write(kFile, "prvni\r\ndruhy radek\r\ntreti\r\n");
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        w.show();
        QTextCursor c = w.text()->textCursor();
        c.setPosition(8); // "dr|uhy"
        w.text()->setTextCursor(c);
        QTest::keyClick(w.text(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(!w.modified(), "nothing changes in a read-only text");
        w.allowEditing(true);
        QTest::keyClick(w.text(), Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(w.text(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.text()->toPlainText(), QStringLiteral("prvni\ndr\ntreti\n"));
        QTest::keyClick(w.text(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.text()->toPlainText(), QStringLiteral("prvni\ntreti\n"));
        // Ctrl+K Ctrl+B marks, Ctrl+K Ctrl+K selects from the mark to the caret.
        w.text()->moveCursor(QTextCursor::Start);
        QTest::keyClick(w.text(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(w.text(), Qt::Key_B, Qt::ControlModifier);
        w.text()->moveCursor(QTextCursor::EndOfLine);
        QTest::keyClick(w.text(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(w.text(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(w.text()->textCursor().selectedText(), QStringLiteral("prvni"));
        w.text()->document()->setModified(false);
        w.close();
    }

    void printingBreaksPagesAtFormFeeds() {
        TestSession t;
        t.write(kFile, "prvni strana\r\n\f\r\ndruha strana\r\n\f\r\n");
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        const auto pdf = t.root / "text.pdf";
        w.printer().setOutputFormat(QPrinter::PdfFormat);
        w.printer().setOutputFileName(QString::fromStdString(pdf.string()));
        QVERIFY(w.printText());
        // The form-feed line is not printed; as the last line it opens no further page.
        QCOMPARE(pdfPages(pdf), 2);
        const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
        QVERIFY(pages[0].contains("prvni strana"));
        QVERIFY(pages[1].contains("druha strana"));
    }
};

SARW_GUI_TEST(TextEditorTest);
#include "TextEditorTest.moc"
