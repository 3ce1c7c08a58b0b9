#include "GuiTest.h"
#include "PdfText.h"

#include "editors/HelpWindow.h"
#include "editors/TRtfEdit.h"
#include "platform/Platform.h"
#include "rtf/RtfRead.h"
#include "shell/TSar.h"

#include <QAction>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <filesystem>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

QAction* action(QWidget& w, const char* text) {
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == QLatin1String(text)) return a;
    return nullptr;
}

void showFile(TRtfEdit& w, const std::string& name, bool rich) {
    w.params().fileName = name;
    w.params().richMode = rich;
    QVERIFY(w.showText());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void ctrl(QWidget* to, Qt::Key key) {
    QTest::keyClick(to, key, Qt::ControlModifier);
}

} // namespace

// The rich-text and definition editor: read-only until allowed, the save question and the
// atomic save, missing files, rich help texts and their printing, the block keys, and the help
// window of the main window.
class RtfEditorTest : public QObject {
    Q_OBJECT

private slots:
    void definitionFileIsEditedOnlyAfterAllowing() {
        for (bool yes : {true, false}) {
            TestSession t;
            const std::string file = "C:\\LSarW\\DefSoub\\InvP.Def";
            t.write(file, "Soupis \x9e"
                          "eleza\r\n");
            Platform::setReadOnly(t.path(file), true);
            t.dialogs.answers = {yes ? Dialogs::Answer::Yes : Dialogs::Answer::No};
            TRtfEdit w(*t);
            showFile(w, file, false);
            QVERIFY(w.windowTitle().contains(QString::fromStdString(file)));
            QCOMPARE(w.text()->toPlainText(), QString::fromUtf8("Soupis železa\n"));
            QVERIFY(w.text()->isReadOnly());
            QVERIFY(!action(w, "Ulozit")->isEnabled());
            QTest::keyClicks(w.text(), "x");
            QVERIFY(!w.modified());

            ctrl(w.text(), Qt::Key_E); // "Povolit"
            QVERIFY(!w.text()->isReadOnly());
            QVERIFY(action(w, "Zavrit")->isEnabled());
            QTest::keyClicks(w.text(), "Nove ");
            QVERIFY(w.modified());
            QVERIFY(action(w, "Ulozit")->isEnabled());
            w.findChild<QPushButton*>("Konec")->click();
            QVERIFY(!w.isVisible());
            QCOMPARE(t.dialogs.boxes.front().kind, Kind::Question);
            QCOMPARE(t.dialogs.boxes.front().text, file + "\r\rSoubor byl zmenen. Ma byt ulozen ?");
            QCOMPARE(t.read(file), yes ? std::string("Nove Soupis \x9e"
                                                     "eleza\r\n")
                                       : std::string("Soupis \x9e"
                                                     "eleza\r\n"));
            QVERIFY(Platform::isReadOnly(t.path(file)));
            // The parameters are back at their defaults.
            QVERIFY(w.params().richMode && w.params().fileName.empty());
        }
    }

    void missingFileIsShownEmptyAndNotCreated() {
        for (bool rich : {false, true}) {
            TestSession t;
            const std::string file = "C:\\LSarW\\DefSoub\\Neni.Def";
            TRtfEdit w(*t);
            showFile(w, file, rich);
            QVERIFY(w.text()->toPlainText().isEmpty());
            QVERIFY(w.text()->isReadOnly());
            w.findChild<QPushButton*>("Konec")->click();
            QVERIFY(!t.exists(file));
            QVERIFY(t.dialogs.boxes.empty());
        }
    }

    void richTextKeepsItsFormatsWhenSavedAndPrintsAsLines() {
        TestSession t;
        const std::string file = "C:\\Dokum\\Pomoc.Rtf";
        t.write(file, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                      "\\pard\\qc{\\f0\\fs32\\b Nadpis}\\par\\pard{\\f1\\i K\\'f9\\'f2}\\par}");
        TRtfEdit w(*t);
        showFile(w, file, true);
        QTextDocument* doc = w.text()->document();
        QCOMPARE(doc->blockCount(), 2);
        const QTextBlock head = doc->firstBlock();
        QCOMPARE(head.text(), QString("Nadpis"));
        QVERIFY(head.blockFormat().alignment() & Qt::AlignHCenter);
        const QTextCharFormat bold = head.begin().fragment().charFormat();
        QCOMPARE(bold.fontWeight(), int(QFont::Bold));
        QCOMPARE(bold.fontPointSize(), 16.0);
        QCOMPARE(bold.fontFamilies().toStringList().first(), QString("Arial"));
        QVERIFY(head.next().begin().fragment().charFormat().fontItalic());

        const std::string before = t.read(file);
        ctrl(w.text(), Qt::Key_E);
        w.text()->moveCursor(QTextCursor::End);
        QTest::keyClicks(w.text(), "!");
        QVERIFY(w.save());
        QVERIFY(t.dialogs.saw("Soubor byl ulozen."));
        rtf::RichText expected = rtf::readRtf(before);
        expected.paragraphs[1].runs.back().text += "!";
        QCOMPARE(rtf::readRtf(t.read(file)) == expected, true);

        const auto pdf = t.root / "lines.pdf";
        w.printer().setOutputFormat(QPrinter::PdfFormat);
        w.printer().setOutputFileName(QString::fromStdString(pdf.string()));
        QVERIFY(w.printLines());
        const QString printed = pdfText(pdf);
        QVERIFY2(printed.contains("Nadpis") && printed.contains(QString::fromUtf8("Kůň!")),
                 qPrintable(printed));
    }

    void blockMovesToEndWhereTheCaretWas() {
        TestSession t;
        TRtfEdit w(*t);
        showFile(w, {}, true); // the unnamed text
        ctrl(w.text(), Qt::Key_E);
        QTest::keyClicks(w.text(), "abcXYZdef");
        QTextCursor c = w.text()->textCursor();
        c.setPosition(3);
        w.text()->setTextCursor(c);
        ctrl(w.text(), Qt::Key_K);
        ctrl(w.text(), Qt::Key_B);
        c.setPosition(6);
        w.text()->setTextCursor(c);
        ctrl(w.text(), Qt::Key_K);
        ctrl(w.text(), Qt::Key_K);
        QCOMPARE(w.text()->textCursor().selectedText(), QString("XYZ"));
        c.setPosition(8);
        w.text()->setTextCursor(c);
        ctrl(w.text(), Qt::Key_K);
        ctrl(w.text(), Qt::Key_M);
        QCOMPARE(w.text()->toPlainText(), QString("abcdeXYZf"));
        QCOMPARE(w.text()->textCursor().selectionEnd(), 8);
        // Ctrl+Y deletes the line; not in a read-only text.
        ctrl(w.text(), Qt::Key_Y);
        QVERIFY(w.text()->toPlainText().isEmpty());
        w.text()->document()->setModified(false);
        w.close();
    }

    void helpTextFromTheToolbarOnceAtATime() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        main->toolButton("Napoveda")->click();
        TRtfEdit* help = main->helpWindow().window();
        QVERIFY(help && help->isVisible());
        QVERIFY(!help->isModal());
        QVERIFY(help->rich());
        QVERIFY(help->windowTitle().contains("D:\\LSarW\\Dokum\\Sar.Rtf"));
        QVERIFY(help->text()->toPlainText().contains(QString::fromUtf8("Nabídka Servis")));
        QVERIFY(help->text()->isReadOnly());
        QVERIFY(d.t.dialogs.boxes.empty());

        main->toolButton("Napoveda")->click();
        QCOMPARE(d.t.dialogs.boxes.size(), size_t(1));
        QCOMPARE(d.t.dialogs.boxes[0].text,
                 std::string("Uzavrete predeslou napovedu, a akci opakujte."));
        QCOMPARE(d.t.dialogs.boxes[0].title, std::string("Napovedu nelze otevrit !"));

        help->findChild<QPushButton*>("Konec")->click();
        QVERIFY(!help->isVisible());
        d.t.dialogs.clear();
        main->toolButton("Napoveda")->click();
        help = main->helpWindow().window();
        QVERIFY(help && help->isVisible());
        QVERIFY(d.t.dialogs.boxes.empty());
        help->close();

        // Without the separate RTF editor the command opens this window on no file.
        QString title;
        bool openEnabled = false;
        whenModal<TRtfEdit>([&](TRtfEdit* w) {
            title = w->windowTitle();
            openEnabled = action(*w, "Otevrit")->isEnabled();
            w->accept();
        });
        main->command("EditRt")->trigger();
        QVERIFY(title.contains(TRtfEdit::kNoName));
        QVERIFY(openEnabled);
        QVERIFY(!d.t.dialogs.saw("nebyl nalezen"));
    }
};

SARW_GUI_TEST(RtfEditorTest);
#include "RtfEditorTest.moc"
