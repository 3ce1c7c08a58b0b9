#include "GuiTest.h"

#include "codebooks/TCdsCis.h"
#include "documents/DocumentCheck.h"
#include "documents/DocumentStore.h"
#include "documents/TSarDokl.h"
#include "documents/TurnoverFile.h"
#include "period/PeriodFiles.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/TSar.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace sarw;
using namespace sarw::test;
using Kind = ScriptedDialogs::Kind;

namespace {

constexpr const char* kMaterial = "1120100001";

// Keys as a user gives them: to whatever has the focus (the grid, or its cell editor).
void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClick(w, k, m);
    QCoreApplication::processEvents();
}

void type(const QString& text) {
    for (QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        QVERIFY(w);
        QTest::keyClick(w, c.toLatin1());
    }
    QCoreApplication::processEvents();
}

// The grid the focus is in, and its cursor as the form counts (item column 2 is grid column 0).
struct Cursor {
    bool items = false;
    int row = 0;
    int column = 0;
};

Cursor cursor(TSarDokl* w) {
    QTest::qWait(20);
    Cursor c;
    QWidget* f = QApplication::focusWidget();
    c.items = f && (f == w->itemsGrid() || w->itemsGrid()->isAncestorOf(f));
    const QModelIndex at =
        c.items ? w->itemsGrid()->currentIndex() : w->headerGrid()->currentIndex();
    c.row = at.row() + 1;
    c.column = at.column() + (c.items ? 2 : 1);
    return c;
}

// The stored records of the document with this number.
std::vector<std::vector<std::string>> storedOf(DemoDisk& d, const std::string& number) {
    std::vector<std::vector<std::string>> out;
    TurnoverFile t;
    if (!t.load(*d.t, turnoverFileName(*d.t))) return out;
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec) {
        const std::string_view* c = t.cells(rec);
        if (c[5] != number) continue;
        out.emplace_back(c, c + t.fieldCount());
    }
    return out;
}

// Opens "Obraty" on the demo disk and runs act in the form.
void inForm(TSar& main, const std::function<void(TSarDokl*)>& act) {
    whenModal<TSarDokl>([&](TSarDokl* w) { act(w); });
    main.command("DataObraty")->trigger();
}

} // namespace

class DocumentFormTest : public QObject {
    Q_OBJECT

private slots:
    // A receipt typed with the keyboard alone: Enter through the header, the material with its
    // codebook texts, F9 for the row above, the value of price x quantity, closing with the save.
    void typingAReceipt() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        std::string number;
        Cursor afterHeader, afterMaterial, afterF9;
        QString value, sums;
        bool closed = false;
        inForm(*main, [&](TSarDokl* w) {
            DocumentForm& f = w->form();
            number = f.doc.head(6);
            QCOMPARE(f.doc.head(7), std::string("100"));
            QCOMPARE(cursor(w).column, 1);
            for (int c = 1; c <= 13; ++c) key(Qt::Key_Return);
            afterHeader = cursor(w);
            type(kMaterial);
            key(Qt::Key_Return);
            afterMaterial = cursor(w);
            // Price and quantity: Tab to the price, Enter on to the quantity.
            for (int k = 6; k < 9; ++k) key(Qt::Key_Tab);
            type("12,5");
            key(Qt::Key_Return);
            key(Qt::Key_Tab);
            type("4");
            key(Qt::Key_Return);
            value = QString::fromStdString(f.doc.item(1, 12));
            // Row 2 takes the material of row 1 by F9.
            w->goItem(2, 2);
            key(Qt::Key_F9);
            afterF9 = cursor(w);
            sums = w->sumsLabel()->text();
            w->button("  Konec")->click();
            closed = !w->isVisible();
        });
        QCOMPARE(afterHeader.items, true);
        QCOMPARE(afterHeader.row, 1);
        QCOMPARE(afterHeader.column, 2);
        QCOMPARE(afterMaterial.column, 6);
        QCOMPARE(value, QString("          50,00"));
        QCOMPARE(afterF9.row, 2);
        QCOMPARE(afterF9.column, 6);
        QCOMPARE(sums, QString("Mnozstvi:  4,000      EUR:  50,00"));
        QVERIFY(closed);
        const auto stored = storedOf(d, number);
        QCOMPARE(stored.size(), size_t(2));
        QCOMPARE(trimRight(stored[0][14]), std::string(kMaterial));
        QVERIFY(trimRight(stored[0][15]).starts_with("Plech")); // from the material codebook
        QCOMPARE(trimRight(stored[1][14]), std::string(kMaterial));
        QCOMPARE(stored[0][24], std::string("          50,00"));
    }

    // A material the codebook does not know: the red info line, the cursor stays on the cell,
    // and the window does not close until it is corrected; Escape leaves without saving.
    void aRefusedCellKeepsTheFocus() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        std::string number;
        Cursor after, afterTab;
        QString info;
        bool stayedOpen = false, closedByEscape = false;
        QPalette infoColour;
        inForm(*main, [&](TSarDokl* w) {
            number = w->form().doc.head(6);
            w->goItem(1, 2);
            type("9999999999");
            key(Qt::Key_Return);
            after = cursor(w);
            info = w->infoLine()->text();
            infoColour = w->infoLine()->palette();
            key(Qt::Key_Tab);
            afterTab = cursor(w);
            w->button("  Konec")->click();
            stayedOpen = w->isVisible();
            d.t.dialogs.answers = {Dialogs::Answer::Yes};
            key(Qt::Key_Escape);
            closedByEscape = !w->isVisible();
        });
        QVERIFY(after.items);
        QCOMPARE(after.row, 1);
        QCOMPARE(after.column, 2);
        QCOMPARE(afterTab.column, 2);
        QVERIFY(info.endsWith(QString::fromLatin1(kItemFailed)));
        QCOMPARE(infoColour.color(QPalette::Text), QColor(Qt::red));
        QVERIFY(stayedOpen);
        QVERIFY(closedByEscape);
        QVERIFY(d.t.dialogs.saw("Skutecne chceme uzavrit okno ?"));
        QVERIFY(storedOf(d, number).empty());
    }

    // Ctrl+F1 on the material offers the material codebook; the choice fills the row and the
    // cursor goes to the item's codes.
    void pickListOfTheMaterial() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        std::string material, text;
        Cursor after;
        inForm(*main, [&](TSarDokl* w) {
            w->goItem(1, 2);
            whenModal<TCdsCis>([](TCdsCis* c) { QTest::keyClick(c->grid(), Qt::Key_Return); });
            key(Qt::Key_F1, Qt::ControlModifier);
            // Where the focus lands after the pick list closes is the platform's: the cursor.
            after.column = w->itemsGrid()->currentIndex().column() + 2;
            material = w->form().doc.item(1, 2);
            text = w->form().doc.item(1, 3);
            d.t.dialogs.answers = {Dialogs::Answer::Yes};
            w->reject();
        });
        QVERIFY(!isBlank(material));
        QVERIFY(!isBlank(text));
        QCOMPARE(after.column, 7);
    }

    // The number of a stored document typed into a new document with items: saving asks before
    // replacing it, and "Ne" writes nothing and keeps the document modified.
    void theOverwriteQuestion() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        d.t.dialogs.clear();
        std::string existing;
        size_t before = 0;
        bool modified = false;
        inForm(*main, [&](TSarDokl* w) {
            DocumentForm& f = w->form();
            existing = zeroPadInt(textToInt(f.doc.head(6)) - 1, 5);
            before = storedOf(d, existing).size();
            w->goItem(1, 2);
            type(kMaterial);
            key(Qt::Key_Return);
            key(Qt::Key_Tab, Qt::ControlModifier);
            w->goHeader(6);
            type(QString::fromStdString(existing));
            key(Qt::Key_Return);
            d.t.dialogs.answers = {Dialogs::Answer::No};
            w->button("Ulozeni dokladu")->click();
            modified = f.DocModified;
            d.t.dialogs.answers = {Dialogs::Answer::Yes};
            w->reject();
        });
        QVERIFY(before > 0);
        QVERIFY(d.t.dialogs.saw(kOverwriteQuestion));
        QVERIFY(modified);
        QCOMPARE(storedOf(d, existing).size(), before);
    }
};

SARW_GUI_TEST(DocumentFormTest);
#include "DocumentFormTest.moc"
