#include "GuiTest.h"

#include "editors/TTextEdit.h"
#include "output/NumRowFont.h"
#include "output/TVyst.h"
#include "period/PeriodFiles.h"
#include "render/TIma.h"
#include "screens/ScrGrid.h"
#include "screens/TCdsScrForm.h"
#include "screens/TCdsScrT.h"
#include "shell/Session.h"
#include "shell/TSar.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "support/DefText.h"
#include "support/ZipEntry.h"
#include "tables/formats/TableFile.h"
#include "tools/VCalcul.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

constexpr const char* kTable = "C:\\Data\\Mat.Cds";
constexpr const char* kDef = "C:\\Data\\Mat.Def";

// A key, a name upper-cased when saved and an amount; `records` records after the first three.
void writeTable(TestSession& t, std::size_t more = 0) {
    t.write(kDef, defText({{4, "Klic"}, {8, "Nazev", "PM", 0, false, "V"}, {8, "Castka", "N2"}}));
    Table table;
    for (auto [name, size] : {std::pair{"Klic", 4}, {"Nazev", 8}, {"Castka", 8}}) {
        FieldInfo f;
        f.name = name;
        f.size = size;
        table.fields.push_back(f);
    }
    table.appendTexts({"0001", "sroub", "    1,00"});
    table.appendTexts({" ABC", "matka", "    2,00"});
    table.appendTexts({"0003", "podlozka", "    3,00"});
    for (std::size_t i = 0; i < more; ++i) table.appendTexts({"9999", "dalsi", "    1,00"});
    std::filesystem::create_directories(t.path(kTable).parent_path());
    std::string error;
    if (!writeTableFile(t.path(kTable), table, TableFormat::Binary, error)) qFatal("not written");
}

Table readBack(TestSession& t) {
    Table table;
    TableFormat format;
    std::string error;
    if (!readTableFile(t.path(kTable), table, format, error)) qFatal("not read");
    return table;
}

void params(TestSession& t, bool edit) {
    t->scr = CdsScrParams{};
    t->scr.TableFile = kTable;
    t->scr.DefFile = kDef;
    t->scr.editAllowed = edit;
}

// A screen on the table, not yet opened.
struct Screen {
    explicit Screen(bool edit, std::size_t more = 0) {
        writeTable(t, more);
        params(t, edit);
    }
    TestSession t;
    TCdsScrForm w{*t};
};

QString cell(TCdsScrForm& w, int row, int column) {
    return w.model().data(w.model().index(row, column), Qt::DisplayRole).toString();
}

// Typed as a user types: the first key opens the cell's editor, which takes the others.
void type(QWidget* grid, const char* text) {
    grid->setFocus();
    for (const char* c = text; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
}

// What the platform opens documents with; a test must not start the desktop's programs.
bool documentOpenerInstalled() {
    return std::filesystem::exists("/usr/bin/xdg-open") ||
           std::filesystem::exists("/usr/local/bin/xdg-open");
}

} // namespace

// The table screen driven by its keys and buttons.
class TableScreenTest : public QObject {
    Q_OBJECT

private slots:
    void keysEditAppendAndWriteBack() {
        Screen screen(true);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ScrGrid* grid = w.grid();
        grid->setFocus();
        QVERIFY(!w.button("vlozit")->isEnabled());
        QTest::keyClick(grid, Qt::Key_Pause);
        QVERIFY(w.button("oprava")->isChecked());
        QVERIFY(w.button("vlozit")->isEnabled());

        // The name of the last record typed, then Enter twice: upper-cased, and at the end of the
        // last record an empty record is appended with the cursor in its first column.
        w.moveTo(2, 1);
        type(grid, "vruta");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(cell(w, 2, 1), QString("VRUTA   "));
        QCOMPARE(grid->currentIndex().column(), 2);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(w.model().rowCount(), 4);
        QCOMPARE(grid->currentIndex().row(), 3);
        QCOMPARE(grid->currentIndex().column(), 0);
        QCOMPARE(w.recordLabel()->text(), QString("Radek:        4"));
        // F9 takes the key of the record above.
        QTest::keyClick(grid, Qt::Key_F9);
        QCOMPARE(cell(w, 3, 0), QString("0003"));
        QCOMPARE(w.columnLabel()->text(), QString("Sloupec:    2"));

        w.accept();
        QVERIFY(t->scr.tableChanged);
        QVERIFY(t->scr.TableFile.empty());
        const Table back = readBack(t);
        QCOMPARE(back.recordCount(), std::size_t(4));
        QCOMPARE(back.text(2, 1), std::string("VRUTA   "));
        QCOMPARE(back.text(3, 0), std::string("0003"));
    }

    void searchFieldAndReadOnlyView() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        w.show();
        QVERIFY(!w.button("oprava")->isEnabled());
        QVERIFY(!w.button("sestava2")->isEnabled());
        QCOMPARE(w.button("sestava2")->toolTip(), QString("Prikaz zatim neni k dispozici."));
        w.button("kalkulacka")->click(); // the tools open beside the screen
        QVERIFY(w.findChild<VCalcul*>() && w.findChild<VCalcul*>()->isVisible());
        QVERIFY(!w.button("textZacatek")->isVisible());
        QTest::keyClicks(w.searchField(), "  ab");
        QTest::keyClick(w.searchField(), Qt::Key_Return);
        QCOMPARE(w.grid()->currentIndex().row(), 1);
        // Not found by key, then by string from the same record: the field holding it.
        w.searchField()->setText("LOZ");
        w.moveTo(0, 0);
        QTest::keyClick(w.searchField(), Qt::Key_Return);
        QCOMPARE(w.grid()->currentIndex().row(), 2);
        QCOMPARE(w.grid()->currentIndex().column(), 1);
        QVERIFY(t.dialogs.saw("LOZ     -Udaj nebyl nalezen !"));
        // Pause does nothing where editing is not allowed; typing changes nothing.
        w.grid()->setFocus();
        QTest::keyClick(w.grid(), Qt::Key_Pause);
        QTest::keyClicks(w.grid(), "x");
        QCOMPARE(cell(w, 2, 1), QString("podlozka"));
        const std::string before = t.read(kTable);
        w.reject();
        QVERIFY(!t->scr.tableChanged);
        QCOMPARE(t.read(kTable), before);
    }

    void groupingDialogRenumbers() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        bool closed = false;
        whenModal<TCdsScrT>([&](TCdsScrT* d) {
            QTableWidget* g = d->grid();
            QCOMPARE(g->item(2, TCdsScrT::Por)->text(), QString("003"));
            d->findChild<QAbstractButton*>("fresh")->click();
            QCOMPARE(g->item(2, TCdsScrT::Por)->text(), QString());
            for (int row : {0, 1, 2}) d->activate(row, TCdsScrT::Por);
            d->activate(2, TCdsScrT::Sum);
            QCOMPARE(g->item(2, TCdsScrT::Sum)->text(), QString("Sum"));
            // Position 2 deleted: 3 becomes 2 and the dialog can be closed.
            g->setCurrentCell(1, TCdsScrT::Por);
            QTest::keyClick(g, Qt::Key_Delete);
            QCOMPARE(g->item(2, TCdsScrT::Por)->text(), QString("002"));
            d->accept();
            closed = !d->isVisible();
        });
        w.button("param")->click();
        QVERIFY(closed);
        QCOMPARE(t->scr.fieldList, (std::vector<int>{1, 3}));
        QVERIFY(t->scr.Sum[2]);
        QVERIFY(!t.dialogs.saw("netvori souvislou radu"));
        w.reject();
    }

    void gapInPositionsKeepsTheDialogOpen() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        bool stayed = false;
        whenModal<TCdsScrT>([&](TCdsScrT* d) {
            d->findChild<QAbstractButton*>("fresh")->click();
            // A gap as a block filled by a caller could leave it.
            w.screen().grouping.rows[0].position = 2;
            d->accept();
            stayed = d->isVisible();
            w.screen().grouping.original();
            d->accept();
        });
        w.button("param")->click();
        QVERIFY(stayed);
        QVERIFY(t.dialogs.saw("Vyber sloupcu netvori souvislou radu !"));
        w.reject();
    }

    void largeTableJumpsToTheEnd() {
        Screen screen(false, 200000);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        w.show();
        QVERIFY(w.screen().heldAsStoredBytes());
        QCOMPARE(w.model().rowCount(), 200003);
        w.grid()->setFocus();
        QTest::keyClick(w.grid(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(w.grid()->currentIndex().row(), 200002);
        QCOMPARE(w.recordLabel()->text(), QString("Radek:   200003"));
        w.reject();
    }

    void sestavaIShowsTheReport() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        bool shown = false;
        whenModal<TVyst>([&](TVyst* v) {
            shown = true;
            v->reject();
        });
        w.button("sestava1")->click();
        QVERIFY(shown); // in the output viewer
        QVERIFY(t.exists("C:\\A_Run\\Sestavy\\SMat.Ses"));
        QVERIFY(t.read("C:\\A_Run\\Sestavy\\SMat.Ses").find("podlozka") != std::string::npos);
        w.reject();
    }

    // "  Word" hands the screen's own report on, not whatever the viewer showed last.
    void wordHandsTheScreensReportOn() {
        if (documentOpenerInstalled()) QSKIP("a document program would be started");
        Screen screen(false);
        auto& [t, w] = screen;
        t->printSettings.fontColour = 0x000080; // maroon, as the settings store it
        QVERIFY(writeNumRowFont(*t));
        QVERIFY(w.openScreen());
        t.dialogs.clear();
        QVERIFY(w.button("word")->isEnabled());
        w.button("word")->click();
        QVERIFY(t.dialogs.saw("Aplikace Microsoft Word neni dostupna !"));
        QCOMPARE(t.dialogs.count(Kind::Warning), 1); // the screen's message is an error box
        QVERIFY(!t.dialogs.saw("nebyl nalezen"));
        int written = 0;
        for (const auto& e : std::filesystem::directory_iterator(t.path("C:\\A_Run\\Work")))
            if (e.path().extension() == ".odt") {
                ++written;
                QCOMPARE(readFile(e.path().string()).substr(0, 2), std::string("PK"));
                // The text in the report font's colour.
                const std::string content = zipEntry(e.path(), "content.xml");
                QVERIFY2(content.find("fo:color=\"#800000\"") != std::string::npos,
                         content.c_str());
            }
        QCOMPARE(written, 1);
        w.reject();
    }

    // "  Excel" writes the table the screen shows as a workbook in the work folder.
    void excelWritesTheWorkbook() {
        if (documentOpenerInstalled()) QSKIP("a spreadsheet program would be started");
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        t.dialogs.clear();
        QVERIFY(w.button("excel")->isEnabled());
        QCOMPARE(w.button("excel")->toolTip(), QString("Prevod tabulky do MS Excel"));
        w.button("excel")->click();
        QVERIFY(t.dialogs.saw("Aplikace Microsoft Excel neni dostupna !"));
        QCOMPARE(t.dialogs.boxes.size(), std::size_t(1));
        const std::string sheet =
            zipEntry(t.path("C:\\A_Run\\Work\\Mat.xlsx"), "xl/worksheets/sheet1.xml");
        QVERIFY(sheet.find("<t>podlozka</t>") != std::string::npos);
        QVERIFY(sheet.find("<v>3</v>") != std::string::npos); // "    3,00" as a number

        // The minimal-width copy the screen then shows is named after the caller's table.
        std::filesystem::remove(t.path("C:\\A_Run\\Work\\Mat.xlsx"));
        w.findChild<QCheckBox*>("minimalni")->click();
        w.button("excel")->click();
        QVERIFY(t.exists("C:\\A_Run\\Work\\Mat.xlsx"));
        QVERIFY(!t.exists("C:\\A_Run\\Work\\CdsScrRW_.xlsx"));
        w.reject();
    }

    void printedGridIsAPage() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        w.show();
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = QString::fromStdString((t.root / "grid.pdf").string());
        printer.setOutputFileName(pdf);
        w.printGrid(printer);
        const std::string bytes = readFile(pdf.toStdString());
        QVERIFY(bytes.rfind("%PDF", 0) == 0);
        QVERIFY(bytes.find("/Type /Page\n") != std::string::npos ||
                bytes.find("/Type /Page\r") != std::string::npos ||
                bytes.find("/Type /Page ") != std::string::npos);
        w.reject();
    }

    void openingStatesEditedFromTheMenu() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::string states = stateFileName(*d.t);
        const std::string before = d.t.read(states);
        // Closed without changes: the state file stays as it was.
        whenModal<TCdsScrForm>([](TCdsScrForm* w) { w->reject(); });
        main->command("DataStavy")->trigger();
        QCOMPARE(d.t.read(states), before);

        QString changedTo;
        whenModal<TCdsScrForm>([&](TCdsScrForm* w) {
            QVERIFY(w->button("oprava")->isEnabled());
            w->button("oprava")->click();
            w->moveTo(0, 6); // the material's name
            type(w->grid(), "zmena");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            changedTo = cell(*w, 0, 6);
            w->accept();
        });
        main->command("DataStavy")->trigger();
        QVERIFY2(changedTo.startsWith("zmena"), qPrintable(changedTo));
        QVERIFY(d.t.read(states) != before);
        QVERIFY(d.t.read(states).find(changedTo.toStdString()) != std::string::npos);
    }

    // "  Sestava III": the framed page pictures drawn at once, in the frame colour.
    void sestavaIIIDrawsTheFramedPages() {
        Screen screen(false);
        auto& [t, w] = screen;
        QVERIFY(w.openScreen());
        bool atOnce = false;
        whenModal<TIma>([&](TIma* v) {
            atOnce = v->generateAtOnce;
            // Closed while drawing: the drawing stops and the window closes.
            v->button("Konec")->click();
        });
        w.button("sestava3")->click();
        QVERIFY(atOnce);

        const SesResult r = w.screen().SestavaIII();
        QVERIFY(r.made());
        TIma v(*t, r.reportFile, r.geometry);
        v.generate();
        QCOMPARE(v.pageCount(), 1);
        const QImage& im = v.shownPicture();
        bool framed = false;
        for (int y = 0; y < im.height() && !framed; ++y)
            framed = QColor(im.pixel(31, y)) == QColor(Qt::blue);
        QVERIFY(framed);
        const std::string picture = v.pictureFile(1);
        QVERIFY(t.exists(picture));
        v.reject();
        QVERIFY(!t.exists(picture));
    }
};

SARW_GUI_TEST(TableScreenTest);
#include "TableScreenTest.moc"
