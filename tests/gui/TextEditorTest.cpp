#include "GuiTest.h"
#include "PdfText.h"

#include "editors/OtherFormats.h"
#include "editors/TTextEdit.h"
#include "editors/TextPanes.h"
#include "platform/Platform.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <filesystem>
#include <stdexcept>

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

QAction* action(TTextEdit& w, const char* text) {
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == QLatin1String(text)) return a;
    return nullptr;
}

// The caret as line and column from 0.
std::pair<int, int> caretAt(TTextEdit& w) {
    const QTextCursor c = w.text()->textCursor();
    return {c.blockNumber(), c.positionInBlock()};
}

void placeCaret(TTextEdit& w, int line, int column) {
    QTextCursor c(w.text()->document()->findBlockByNumber(line));
    c.setPosition(c.position() + column);
    w.text()->setTextCursor(c);
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

    void callParametersAreTakenAndPutBack() {
        TestSession t;
        t.write(kFile, "prvni radek\r\ndruhy\r\n");
        TTextEdit w(*t);
        w.params().fileName = kFile;
        w.params().openAllowed = true;
        w.params().editable = true;
        w.params().fixedColumn = 3;
        w.params().copyOnClose = true;
        w.params().twoPanesAllowed = false;
        QVERIFY(w.showText());
        w.show();
        QVERIFY(action(w, "Otevrit")->isEnabled());
        QVERIFY(!action(w, "Zavrit")->isEnabled());
        QVERIFY(!w.text()->isReadOnly());
        QVERIFY(w.panes().toggle()->isHidden());
        QCOMPARE(caretAt(w), std::make_pair(0, 3)); // at the fixed column of line 1
        // Select "druh" and close: the selection goes to the clipboard, the caret is the result.
        placeCaret(w, 1, 0);
        for (int i = 0; i < 4; ++i) QTest::keyClick(w.text(), Qt::Key_Right, Qt::ShiftModifier);
        QGuiApplication::clipboard()->setText("stary obsah");
        w.findChild<QPushButton*>("Konec")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("druh"));
        QCOMPARE(w.caret().line, 2);
        QCOMPARE(w.caret().column, 5);
        // Every parameter is back at its default.
        const TextEditParams& p = w.params();
        const TextEditParams defaults;
        QVERIFY(p.fileName.empty() && !p.openAllowed && !p.editable && !p.copyOnClose);
        QCOMPARE(p.fixedColumn, 0);
        QVERIFY(p.twoPanesAllowed && p.enterNewLines);
        QCOMPARE(p.filter, defaults.filter);

        // Shown again with the defaults: a given file cannot be swapped, the text is read-only,
        // and closing copies nothing.
        w.params().fileName = kFile;
        QVERIFY(w.showText());
        QVERIFY(!action(w, "Otevrit")->isEnabled());
        QVERIFY(w.text()->isReadOnly());
        QVERIFY(!w.panes().toggle()->isHidden());
        // A read-only text has a caret the keys move; nothing is typed.
        w.show();
        QTest::keyClick(w.text(), Qt::Key_Right);
        QTest::keyClicks(w.text(), "x");
        QCOMPARE(caretAt(w), std::make_pair(0, 1));
        QVERIFY(w.status()->text().contains("Sloup:    2"));
        QVERIFY(!w.modified());
        QGuiApplication::clipboard()->setText("stary obsah");
        w.show();
        w.text()->selectAll();
        w.close();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("stary obsah"));
    }

    void enterWithoutNewLinesKeepsTheFixedColumn() {
        TestSession t;
        t.write(kFile, "AAA 123456\r\nBBB 1234\r\n\r\nCCC 12345\r\n");
        TTextEdit w(*t);
        w.params().fileName = kFile;
        w.params().editable = true;
        w.params().enterNewLines = false;
        w.params().fixedColumn = 4;
        QVERIFY(w.showText());
        w.show();
        const QString before = w.text()->toPlainText();
        QTest::keyClick(w.text(), Qt::Key_End);
        QTest::keyClick(w.text(), Qt::Key_Return);
        QCOMPARE(caretAt(w), std::make_pair(1, 4));
        QTest::keyClick(w.text(), Qt::Key_Return); // the next line is empty: it stays
        QCOMPARE(caretAt(w), std::make_pair(1, 4));
        QCOMPARE(w.text()->toPlainText(), before);
        // Home, Left and Backspace go no further left than the fixed column.
        QTest::keyClick(w.text(), Qt::Key_End);
        QTest::keyClick(w.text(), Qt::Key_Home);
        QCOMPARE(caretAt(w), std::make_pair(1, 4));
        QTest::keyClick(w.text(), Qt::Key_Left);
        QTest::keyClick(w.text(), Qt::Key_Backspace);
        QCOMPARE(caretAt(w), std::make_pair(1, 4));
        QCOMPARE(w.text()->toPlainText(), before);
        // Typing still works right of it; Down passes over the empty line.
        QTest::keyClicks(w.text(), "9");
        QCOMPARE(w.text()->document()->findBlockByNumber(1).text(), QStringLiteral("BBB 91234"));
        QTest::keyClick(w.text(), Qt::Key_Down);
        QCOMPARE(caretAt(w).first, 1);
        w.text()->document()->setModified(false);
        w.close();
    }

    void verticalMovesKeepTheRememberedColumn() {
        TestSession t;
        t.write(kFile, "0123456789 dlouhy\r\nkratky\r\n0123456789 dlouhy\r\n");
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile, true));
        w.show();
        for (int i = 0; i < 12; ++i) QTest::keyClick(w.text(), Qt::Key_Right);
        QTest::keyClick(w.text(), Qt::Key_Down);
        QCOMPARE(caretAt(w), std::make_pair(1, 6)); // the end of the shorter line
        QTest::keyClick(w.text(), Qt::Key_Down);
        QCOMPARE(caretAt(w), std::make_pair(2, 12));
        QTest::keyClick(w.text(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(caretAt(w), std::make_pair(0, 12));
        // A click sets the column that Up and Down keep.
        placeCaret(w, 2, 3);
        const QPoint at = w.text()->cursorRect().center();
        placeCaret(w, 0, 0);
        QTest::mouseClick(w.text()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(caretAt(w), std::make_pair(2, 3));
        QTest::keyClick(w.text(), Qt::Key_Up);
        QTest::keyClick(w.text(), Qt::Key_Up);
        QCOMPARE(caretAt(w), std::make_pair(0, 3));
        w.close();
    }

    void twoPanesShowTheColumnsLeftOfTheCaret() {
        TestSession t;
        std::string text;
        for (int i = 1; i <= 200; ++i) text += "Radek " + std::to_string(i) + " a dalsi text\r\n";
        t.write(kFile, text);
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TextPanes& p = w.panes();
        QVERIFY(p.left()->isHidden() && p.sync()->isHidden());
        placeCaret(w, 0, 5);
        p.toggle()->click();
        const int charWidth = QFontMetrics(w.text()->font()).horizontalAdvance(QLatin1Char('W'));
        QVERIFY(p.left()->isVisible() && p.sync()->isVisible());
        QCOMPARE(p.left()->width(), 5 * charWidth + 28);
        QCOMPARE(p.left()->toPlainText(), w.text()->toPlainText());
        QCOMPARE(p.left()->palette().color(QPalette::Text), QColor(Qt::blue));
        QVERIFY(p.left()->isReadOnly());
        p.wider()->click();
        QCOMPARE(p.left()->width(), 6 * charWidth + 28);
        p.narrower()->click();
        p.narrower()->click();
        QCOMPARE(p.left()->width(), 4 * charWidth + 28);
        // The right pane goes down; the button, or a key in the left pane, brings the left along.
        w.text()->setFocus();
        for (int i = 0; i < 150; ++i) QTest::keyClick(w.text(), Qt::Key_Down);
        QCOMPARE(p.left()->textCursor().blockNumber(), 0);
        p.sync()->click();
        QCOMPARE(p.left()->textCursor().blockNumber(), 150);
        QCOMPARE(p.left()->verticalScrollBar()->value(), w.text()->verticalScrollBar()->value());
        for (int i = 0; i < 20; ++i) QTest::keyClick(w.text(), Qt::Key_Up);
        QTest::keyClick(p.left(), Qt::Key_A);
        QCOMPARE(p.left()->textCursor().blockNumber(), 130);
        QCOMPARE(p.left()->toPlainText(), w.text()->toPlainText());
        p.toggle()->click();
        QVERIFY(p.left()->isHidden() && p.sync()->isHidden());
        w.close();
    }

    void wrapSwitchKeepsTheFirstVisibleLine() {
        TestSession t;
        std::string text;
        for (int i = 0; i < 200; ++i) text += std::string(300, char('a' + i % 26)) + "\r\n";
        t.write(kFile, text);
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.text()->verticalScrollBar()->setValue(50);
        placeCaret(w, 60, 0);
        const auto firstVisible = [&] { return w.text()->cursorForPosition({0, 0}).blockNumber(); };
        QCOMPARE(firstVisible(), 50);
        for (bool wrapped : {true, false}) {
            QTest::keyClick(w.text(), Qt::Key_F2);
            QCOMPARE(w.text()->lineWrapMode() == QPlainTextEdit::WidgetWidth, wrapped);
            QCOMPARE(action(w, "Zalomeni textu")->isChecked(), wrapped);
            QCOMPARE(firstVisible(), 50);
            QCOMPARE(caretAt(w), std::make_pair(60, 0));
        }
        // Wrapped, Down goes to the next line on the screen, within the same long line.
        QTest::keyClick(w.text(), Qt::Key_F2);
        QTest::keyClick(w.text(), Qt::Key_Down);
        QCOMPARE(caretAt(w).first, 60);
        QVERIFY(caretAt(w).second > 0);
        w.close();
    }

    void savedInOtherFormats() {
        TestSession t;
        t.write(kFile, "\x8elu\x9dou\xe8k\xfd k\xf9\xf2\r\ndruhy <radek>\r\n");
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        const auto format = [](const char* menu) -> const OtherFormat& {
            for (const OtherFormat& f : otherFormats())
                if (QLatin1String(f.menu) == QLatin1String(menu)) return f;
            throw std::runtime_error(menu);
        };
        const std::string dir = "C:\\Data\\";
        QVERIFY(w.saveInFormat(format("Windows Txt"), dir + "W.Txt"));
        QCOMPARE(t.read(dir + "W.Txt"), t.read(kFile));
        QVERIFY(w.saveInFormat(format("Dos Txt"), dir + "D.Txt"));
        QCOMPARE(t.read(dir + "D.Txt").substr(0, 4), std::string("\xa6lu\x9c"));
        QVERIFY(w.saveInFormat(format("Rtf"), dir + "R.Rtf"));
        QVERIFY(t.read(dir + "R.Rtf").starts_with("{\\rtf1\\ansi\\ansicpg1250"));
        QVERIFY(w.saveInFormat(format("Doc"), dir + "Pozn.Doc"));
        QCOMPARE(t.read(dir + "Pozn.Doc"), t.read(dir + "R.Rtf"));
        QVERIFY(w.saveInFormat(format("Xml"), dir + "X.Xml"));
        QVERIFY(t.read(dir + "X.Xml").find("druhy &lt;radek&gt;") != std::string::npos);
        QVERIFY(w.saveInFormat(format("Html"), dir + "H.Html"));
        const QString html = QString::fromUtf8(t.read(dir + "H.Html"));
        QVERIFY(html.contains(QString::fromUtf8("Žluťoučký kůň")));
        QVERIFY(html.contains(QStringLiteral("druhy &lt;radek&gt;")));
        QVERIFY(w.saveInFormat(format("Pdf"), dir + "P.Pdf"));
        QCOMPARE(pdfPages(t.path(dir + "P.Pdf")), 1);
        QVERIFY(pdfText(t.path(dir + "P.Pdf")).contains(QString::fromUtf8("Žluťoučký kůň")));
        // The word processor's copy in the work directory.
        QVERIFY(t.read("C:\\A_Run\\Work\\Pozn.Doc").starts_with("{\\rtf1"));

        QVERIFY(!w.saveInFormat(format("Xps"), dir + "S.Xps"));
        QVERIFY(t.dialogs.saw("Format Xps nelze vytvorit !"));
        QVERIFY(!t.exists(dir + "S.Xps"));
        // A target that cannot be replaced keeps its old contents, and that is told.
        Platform::setReadOnly(t.path(dir + "R.Rtf"), true);
        const std::string old = t.read(dir + "R.Rtf");
        t.write(kFile, "jiny\r\n");
        QVERIFY(w.openFile(kFile));
        QVERIFY(!w.saveInFormat(format("Rtf"), dir + "R.Rtf"));
        QCOMPARE(t.read(dir + "R.Rtf"), old);
        QVERIFY(t.dialogs.saw("Soubor se nepodarilo ulozit"));
        for (const OtherFormat& f : otherFormats()) QVERIFY(action(w, f.menu));
    }

    void insertLabelSwitchesTheMode() {
        TestSession t;
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        w.show();
        auto* label = w.findChild<QLabel*>("InsertLabel");
        QCOMPARE(label->text(), QStringLiteral("Insert - Vkladat/Prepisovat"));
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY2(w.status()->text().endsWith("Vkladani"), "a read-only text has no mode to switch");
        w.allowEditing(true);
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(w.status()->text().endsWith("Prepisovani"));
        QTest::keyClicks(w.text(), "ab");
        QTest::keyClick(w.text(), Qt::Key_Home);
        QTest::keyClicks(w.text(), "X");
        QCOMPARE(w.text()->toPlainText(), QStringLiteral("Xb"));
        w.text()->document()->setModified(false);
        w.close();
    }

    void calculatorOpensBesideTheText() {
        TestSession t;
        TTextEdit w(*t);
        QVERIFY(w.openFile(kFile));
        w.show();
        QAction* calculator = nullptr;
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == "Kalkulacka") calculator = a;
        QVERIFY(calculator && calculator->isEnabled());
        calculator->trigger();
        QWidget* shown = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "VCalcul" && top->isVisible()) shown = top;
        QVERIFY(shown);
        shown->close();
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
