#include "GuiTest.h"
#include "PdfText.h"

#include "FramedPictures.h"
#include "PagePdf.h"
#include "PagePictureFiles.h"
#include "RenderFonts.h"
#include "TextPictures.h"

#include "output/PagePictures.h"
#include "output/TVyst.h"
#include "render/TTxIma.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

using namespace sarw;
using namespace sarw::test;

namespace {

const std::string kReport = "C:\\A_Run\\Sestavy\\SInv.Ses";

// Pages in the report layout, "STRANA<p> RADEK<i>"; page `longPage` has `longLines` lines.
std::string report(int pages, int longPage = 0, int longLines = 0) {
    std::string r = "\r\n";
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) r += "\f\r\n";
        const int lines = page == longPage ? longLines : 3;
        for (int i = 1; i <= lines; ++i)
            r += "STRANA" + std::to_string(page) + " RADEK" + std::to_string(i) + "\r\n";
    }
    return r;
}

TextPictures textSource(TestSession& t, const std::string& name) {
    return TextPictures(t.path(name), pictureFont(PrintSettings{}), Qt::black, 80);
}

// Every page drawn, in order.
std::vector<QImage> drawAll(PageSource& source) {
    std::vector<QImage> pages;
    source.forEachPage(1, source.pageCount(), [&](int, int height, const PageSource::Paint& p) {
        pages.push_back(drawPage(source, height, p));
        return true;
    });
    return pages;
}

bool blue(QRgb c) {
    return qBlue(c) > 180 && qRed(c) < 80 && qGreen(c) < 80;
}

// Text: dark and not the frame's colour.
bool dark(QRgb c) {
    return qGray(c) < 128 && !blue(c);
}

bool anyInRow(const QImage& im, int y, int x0, int x1, bool (*test)(QRgb)) {
    for (int x = x0; x < x1; ++x)
        if (test(im.pixel(x, y))) return true;
    return false;
}

bool anyInRect(const QImage& im, const QRect& r, bool (*test)(QRgb)) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        if (anyInRow(im, y, r.left(), r.right() + 1, test)) return true;
    return false;
}

// Runs of rows holding frame colour between the two x positions.
int blueRuns(const QImage& im, int x0, int x1) {
    int runs = 0;
    bool in = false;
    for (int y = 0; y < im.height(); ++y) {
        const bool row = anyInRow(im, y, x0, x1, blue);
        if (row && !in) ++runs;
        in = row;
    }
    return runs;
}

// Whitespace-collapsed, so the PDF text's spacing does not matter.
QString words(const QString& t) {
    return t.simplified();
}

// A framed report: heading, upper text, titles, rows, total, lower text.
ColumnGeometry framedGeometry(int rowsPerPage) {
    ColumnGeometry g;
    g.columns = {{1, 8, 0, false}, {10, 8, 0, false}};
    g.headLines = 2;
    g.headingLines = 1;
    g.titleLines = 1;
    g.lowerLines = 1;
    g.upper = {HeaderLine{}};
    g.lower = {HeaderLine{}};
    g.boldFont = {"Courier New", 10, true};
    g.regularFont = {"Courier New", 10};
    g.rowsPerPage = rowsPerPage;
    return g;
}

std::string framedReport(int rows) {
    std::string r = "\r\nHEADING          STR:    1\r\n\r\nupper\r\nNazev        Cena\r\n\r\n\r\n";
    for (int i = 0; i < rows; ++i) r += "Sroub       12.50\r\n";
    return r + "Celkem    1115.50\r\nlower\r\n";
}

} // namespace

class PagePicturesTest : public QObject {
    Q_OBJECT

private slots:
    void textPageHasItsMarginsAndLines() {
        TestSession t;
        t.write("C:\\R.Ses", report(2, 2, 300));
        TextPictures source = textSource(t, "C:\\R.Ses");
        QVERIFY(source.prepare());
        QCOMPARE(source.pageCount(), 2);
        const std::vector<QImage> pages = drawAll(source);
        QCOMPARE(pages.size(), std::size_t(2));
        const int lh = source.lineHeight();
        const QImage& first = pages[0];
        QCOMPARE(first.width(), source.pictureWidth());
        QCOMPARE(first.height(), textPageHeight(4, lh));
        // Nothing in the margins; the second line (the first is empty) at 31 + lh + 2.
        QVERIFY(!anyInRect(first, QRect(0, 0, first.width(), 31), dark));
        QVERIFY(!anyInRect(first, QRect(0, 0, 30, first.height()), dark));
        QVERIFY(!anyInRect(first, QRect(0, 31, first.width(), lh), dark));
        QVERIFY(anyInRect(first, QRect(31, 31 + lh + 2, first.width() - 31, lh), dark));
        // A page of 300 lines is drawn whole: its last line is there.
        const QImage& longPage = pages[1];
        QCOMPARE(longPage.height(), textPageHeight(300, lh));
        QVERIFY(
            anyInRect(longPage, QRect(31, 31 + 299 * (lh + 2), longPage.width() - 31, lh), dark));
        QVERIFY(!anyInRect(longPage, QRect(0, longPage.height() - 60, longPage.width(), 60), dark));
    }

    void framedPageHasItsFrameAndColumnLines() {
        TestSession t;
        t.write("C:\\S.Ses", framedReport(3));
        for (bool frames : {true, false}) {
            FramedPictures source(t.path("C:\\S.Ses"), framedGeometry(40), {false, true}, frames);
            QVERIFY(source.prepare());
            const FramedColumns& c = source.columns();
            const QImage page = drawAll(source).at(0);
            QCOMPARE(page.width(), c.pictureWidth);
            const int middle = page.height() / 2;
            // Vertical lines at the table's left edge, between the columns and right of it.
            QCOMPARE(blue(page.pixel(c.left[0], middle)), frames);
            QCOMPARE(blue(page.pixel(c.right[0], middle)), frames);
            QCOMPARE(blue(page.pixel(c.right[1] + 2, middle)), frames);
            QVERIFY(!blue(page.pixel(c.right[0] + 3, middle)));
            // With frames the top, the title line and a line under each of the four rows (the
            // last lies on the bottom line); without them only the title line and the bottom.
            QCOMPARE(blueRuns(page, c.left[0] + 5, c.right[0] - 3), frames ? 6 : 2);
        }
        // The numeric column is right-aligned, the text column left-aligned: a body band.
        FramedPictures source(t.path("C:\\S.Ses"), framedGeometry(40), {false, true}, true);
        QVERIFY(source.prepare());
        const FramedColumns& c = source.columns();
        const QImage page = drawAll(source).at(0);
        int rightmost = 0, leftmost = page.width();
        for (int y = page.height() / 2 - 6; y < page.height() / 2 + 6; ++y)
            for (int x = c.left[1] + 2; x < c.right[1] - 1; ++x)
                if (dark(page.pixel(x, y))) rightmost = std::max(rightmost, x);
        for (int y = page.height() / 2 - 6; y < page.height() / 2 + 6; ++y)
            for (int x = c.left[0] + 2; x < c.right[0] - 1; ++x)
                if (dark(page.pixel(x, y))) leftmost = std::min(leftmost, x);
        QVERIFY2(rightmost >= c.right[1] - 5, qPrintable(QString::number(rightmost)));
        QVERIFY2(leftmost <= c.left[0] + 6, qPrintable(QString::number(leftmost)));
    }

    void framedPageTallerThanNominalIsDrawnWhole() {
        TestSession t;
        t.write("C:\\S.Ses", framedReport(60));
        FramedPictures source(t.path("C:\\S.Ses"), framedGeometry(10), {false, true}, true);
        std::vector<int> told;
        source.tallPage = [&](int page) { told.push_back(page); };
        QVERIFY(source.prepare());
        const QImage page = drawAll(source).at(0);
        QCOMPARE(told, std::vector<int>{1});
        QVERIFY(page.height() > source.nominalHeight());
        // The lower text under the bottom line is there.
        QVERIFY(anyInRect(page, QRect(31, page.height() - 60, 100, 28), dark));
    }

    void pdfOfARangeHasThePagesText() {
        TestSession t;
        t.write("C:\\R.Ses", report(5, 4, 200));
        TextPictures source = textSource(t, "C:\\R.Ses");
        QVERIFY(source.prepare());
        for (bool landscape : {false, true}) {
            const auto pdf = t.root / (landscape ? "wide.pdf" : "tall.pdf");
            PdfRequest request;
            request.from = 2;
            request.to = 4;
            request.landscape = landscape;
            QCOMPARE(writePagesPdf(source, pdf, request), std::string());
            QCOMPARE(pdfPages(pdf), 3);
            const QSizeF size = pdfPageSize(pdf);
            QCOMPARE(qRound(size.width()), landscape ? 842 : 595);
            QCOMPARE(qRound(size.height()), landscape ? 595 : 842);
            const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
            QVERIFY(pages.size() >= 3);
            for (int p = 0; p < 3; ++p) {
                const int page = p + 2;
                const int lines = page == 4 ? 200 : 3;
                QString expected;
                for (int i = 1; i <= lines; ++i)
                    expected += QString("STRANA%1 RADEK%2 ").arg(page).arg(i);
                // The long page is scaled to fit, never cut: its last line is there.
                QCOMPARE(words(pages[p]), words(expected));
            }
        }
    }

    void failedPdfWriteIsTold() {
        TestSession t;
        t.write("C:\\R.Ses", report(1));
        TextPictures source = textSource(t, "C:\\R.Ses");
        QVERIFY(source.prepare());
        const std::string fault = writePagesPdf(source, t.root / "none" / "x.pdf", PdfRequest());
        QVERIFY(fault.starts_with("Soubor PDF se nepodarilo zapsat:"));
    }

    // "Grafika" of the output viewer: pages, navigation, a PDF of a range, a retouched page.
    void viewerFromTheOutputViewer() {
        TestSession t;
        t.write(kReport, report(5));
        TVyst v(*t);
        v.open(kReport);
        QVERIFY(v.button("Grafika")->isEnabled());
        bool ran = false;
        std::string firstPicture;
        whenModal<TTxIma>([&](TTxIma* w) {
            w->button("GenerSes")->click();
            QCOMPARE(w->pageCount(), 5);
            QCOMPARE(w->currentPage(), 1);
            QCOMPARE(w->field("Str2")->text(), QString("0005"));
            w->button("Nasledujici")->click();
            QCOMPARE(w->currentPage(), 2);
            w->button("Posledni")->click();
            QCOMPARE(w->currentPage(), 5);
            QCOMPARE(w->field("Str1")->text(), QString("0005"));
            w->button("Predchazejici")->click();
            QCOMPARE(w->currentPage(), 4);
            w->field("Str1")->setText("3");
            w->button("ZobrStr1")->click();
            QCOMPARE(w->currentPage(), 3);
            QCOMPARE(w->field("Str1")->text(), QString("0003"));
            w->field("Str1")->setText("9");
            w->button("ZobrStr1")->click();
            QVERIFY(t.dialogs.saw("Zvolena strana je mimo rozsah !"));
            QCOMPARE(w->currentPage(), 3);

            // Page 3 retouched: shown and put into the PDF as it now is.
            const auto file = t.path(w->pictureFile(3));
            QImage retouched(file.c_str());
            retouched.fill(Qt::red);
            QVERIFY(retouched.save(file.c_str()));
            w->pictureChanged(3);
            QCOMPARE(w->shownPicture().pixel(5, 5), QColor(Qt::red).rgb());

            w->field("Str1")->setText("0002");
            w->field("Str2")->setText("0004");
            const auto pdf = t.root / "range.pdf";
            QVERIFY(w->writePdf(pdf.string()));
            QCOMPARE(pdfPages(pdf), 3);
            const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
            QVERIFY(pages.at(0).contains("STRANA2 RADEK3"));
            QVERIFY(!pages.at(1).contains("STRANA3"));
            QVERIFY(pages.at(2).contains("STRANA4 RADEK1"));
            firstPicture = w->pictureFile(1);
            ran = true;
            w->button("Konec")->click();
        });
        v.button("Grafika")->click();
        QVERIFY(ran);
        // Closing deletes the pictures.
        QVERIFY(!t.exists(firstPicture));
    }

    void emptyReportMakesNoPages() {
        TestSession t;
        t.write(kReport, "");
        TTxIma w(*t, kReport, pictureFont(PrintSettings{}));
        w.generate();
        QCOMPARE(w.pageCount(), 0);
        QVERIFY(t.dialogs.saw("Sestava je prazdna !"));
    }
};

SARW_GUI_TEST(PagePicturesTest);
#include "PagePicturesTest.moc"
