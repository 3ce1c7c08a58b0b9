#include "GuiTest.h"
#include "PdfText.h"

#include "output/ReportFile.h"
#include "output/ReportViewer.h"
#include "output/TVyst.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

const std::string kReport = "C:\\A_Run\\Sestavy\\SInv.Ses";

// Five pages in the report layout; page 3 is longer than any sheet.
std::string fivePages() {
    std::string r = "\r\n";
    for (int page = 1; page <= 5; ++page) {
        if (page > 1) r += "\f\r\n";
        const int lines = page == 3 ? 100 : 3;
        for (int i = 1; i <= lines; ++i)
            r += "STRANA" + std::to_string(page) + " RADEK" + std::to_string(i) + "\r\n";
    }
    return r;
}

std::filesystem::path printToPdf(TestSession& t, TVyst& v, const char* name) {
    const auto pdf = t.root / name;
    v.printer().setOutputFormat(QPrinter::PdfFormat);
    v.printer().setOutputFileName(QString::fromStdString(pdf.string()));
    return pdf;
}

void type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

// The output viewer printing to PDF: page ranges, the column mask, a report too wide.
class ReportViewerTest : public QObject {
    Q_OBJECT

private slots:
    void printsThePageRange() {
        struct Case {
            const char *from, *to;
            int sheets;
            QStringList shown, absent;
        };
        const Case cases[] = {
            // Page 3 goes on over a second sheet.
            {"1", "5", 6, {"STRANA1 RADEK1", "STRANA3 RADEK100", "STRANA5 RADEK3"}, {}},
            {"2", "2", 1, {"STRANA2 RADEK3"}, {"STRANA1", "STRANA3"}},
            {"4", "9", 2, {"STRANA4 RADEK1", "STRANA5 RADEK3"}, {"STRANA3"}},
        };
        for (const auto& c : cases) {
            TestSession t;
            t.write(kReport, fivePages());
            TVyst v(*t);
            v.open(kReport);
            QCOMPARE(v.field("From")->text(), QStringLiteral("  001"));
            QCOMPARE(v.field("To")->text(), QStringLiteral("  005"));
            type(v.field("From"), c.from);
            type(v.field("To"), c.to);
            const auto pdf = printToPdf(t, v, "range.pdf");
            QVERIFY(v.printGraphic());
            QCOMPARE(pdfPages(pdf), c.sheets);
            const QString text = pdfText(pdf);
            for (const QString& s : c.shown) QVERIFY2(text.contains(s), qPrintable(s));
            for (const QString& s : c.absent) QVERIFY2(!text.contains(s), qPrintable(s));
            QVERIFY(t.dialogs.boxes.empty());
        }
    }

    void eachReportIsOfferedWhole() {
        TestSession t;
        t.write(kReport, fivePages());
        t.write("C:\\A_Run\\Sestavy\\SOne.Ses", "jedna\r\n");
        TVyst v(*t);
        v.open(kReport);
        type(v.field("From"), "3");
        type(v.field("To"), "3");
        v.open("C:\\A_Run\\Sestavy\\SOne.Ses");
        QCOMPARE(v.field("From")->text(), QStringLiteral("  001"));
        QCOMPARE(v.field("To")->text(), QStringLiteral("  001"));
        const auto pdf = printToPdf(t, v, "one.pdf");
        QVERIFY(v.printGraphic());
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(pdfText(pdf).contains("jedna"));
    }

    void printsTheMaskedCopyUntilZpet() {
        TestSession t;
        t.write(kReport, "\r\nabcdefghijklmnopqrstuvwxyz\r\n\f\r\n0123456789ABCDEFGHIJ\r\n");
        TVyst v(*t);
        v.open(kReport);
        type(v.field("Mask"), "5/10 20/25");
        v.button("Upravit")->click();
        QVERIFY(t.exists(maskedCopyName(kReport)));
        auto pdf = printToPdf(t, v, "mask.pdf");
        QVERIFY(v.printGraphic());
        QCOMPARE(pdfPages(pdf), 2);
        QString text = pdfText(pdf);
        QVERIFY(text.contains("efghijtuvwxy"));
        QVERIFY(text.contains("456789J"));
        QVERIFY(!text.contains("abcd"));

        v.button("Zpet")->click();
        QVERIFY(!t.exists(maskedCopyName(kReport)));
        pdf = printToPdf(t, v, "whole.pdf");
        QVERIFY(v.printGraphic());
        QVERIFY(pdfText(pdf).contains("abcdefghijklmnopqrstuvwxyz"));

        // Closing the viewer removes the masked copy too.
        v.button("Upravit")->click();
        QVERIFY(t.exists(maskedCopyName(kReport)));
        v.button("Konec")->click();
        QVERIFY(!t.exists(maskedCopyName(kReport)));
    }

    void refusesWhatCannotBePrinted() {
        TestSession t;
        t.write(kReport, std::string(600, 'W') + "\r\n");
        TVyst v(*t);
        v.open(kReport);
        auto pdf = printToPdf(t, v, "wide.pdf");
        QVERIFY(!v.printGraphic());
        QVERIFY(t.dialogs.saw(kReportTooWide));
        QVERIFY(!std::filesystem::exists(pdf));

        t.dialogs.clear();
        v.open("C:\\A_Run\\Sestavy\\SNone.Ses");
        QVERIFY(!v.printGraphic());
        QVERIFY(t.dialogs.saw("nebyl nalezen"));

        // Without a program for documents the word processor is said to be missing; the
        // OpenDocument copy is written all the same.
        if (!std::filesystem::exists("/usr/bin/xdg-open") &&
            !std::filesystem::exists("/usr/local/bin/xdg-open")) {
            t.dialogs.clear();
            t.write(kReport, "\r\nP\xf8" "ehled\r\n");
            v.open(kReport);
            v.button("Word")->click();
            QVERIFY(t.dialogs.saw("Aplikace Microsoft Word neni dostupna !"));
            QCOMPARE(t.read(wordFileName(kReport)).substr(0, 2), std::string("PK"));
        }

        QVERIFY(v.button("Grafika")->isEnabled());
        QCOMPARE(v.button("Grafika")->toolTip(), QStringLiteral("Prevod do grafickeho rezimu"));
    }
};

SARW_GUI_TEST(ReportViewerTest);
#include "ReportViewerTest.moc"
