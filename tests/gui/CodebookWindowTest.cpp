#include "GuiTest.h"

#include "codebooks/CodebookTestUtil.h"
#include "codebooks/TCdsCis.h"
#include "codebooks/UCdsCIS.h"
#include "shell/TSar.h"
#include "start/Startup.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace sarw;
using namespace sarw::test;
using Strings = std::vector<std::string>;

namespace {

constexpr const char* kFile = "D:\\LSarW\\Cisel\\Zkus.Cds";

void writeFixture(TestSession& t) {
    createLocalTrees(*t);
    makePath(*t, "D:\\LSarW\\Cisel");
    if (!writeCodebook(t, kFile, {{"Kod", 4}, {"Nazev", 8}},
                       {{"100", "Plech"},
                        {"115", "Drat"},
                        {"120", "Sroub"},
                        {"121", "Matice"},
                        {"200", "Hrebik"}}))
        qFatal("no fixture");
    t->cis.CisFileName = kFile;
    t->cis.setFirstKeys(1);
}

// The window shown on the fixture in the given editing mode.
std::unique_ptr<TCdsCis> openWindow(DemoDisk& d, char editMode) {
    writeFixture(d.t);
    d.t->cis.CisEditMode = editMode;
    auto w = std::make_unique<TCdsCis>(*d.t);
    if (!w->openCodebook()) qFatal("the codebook window did not open");
    w->show();
    return w;
}

QModelIndex at(TCdsCis& w, int row, int column) {
    return w.grid()->model()->index(row, column);
}

} // namespace

// The codebook window driven by keys, on a codebook of its own beside the demo's.
class CodebookWindowTest : public QObject {
    Q_OBJECT

private slots:
    void typingDigitsFindsTheKeyAndEnterChoosesIt() {
        DemoDisk d;
        auto window = openWindow(d, 'N');
        TCdsCis& w = *window;
        QVERIFY(!w.button("Editace")->isEnabled());
        QVERIFY(!w.button("Setrideni")->isEnabled());
        QVERIFY(w.grid()->columnWidth(1) >= 8 * 8);
        // Every value is seen whole in its column.
        const QAbstractItemModel* m = w.grid()->model();
        const QFontMetrics fm(w.grid()->font());
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c) {
                const QString v = m->index(r, c).data().toString().trimmed();
                QVERIFY2(fm.horizontalAdvance(v) + 6 <= w.grid()->columnWidth(c), qPrintable(v));
            }
        QTest::keyClick(w.grid(), Qt::Key_1);
        QTest::keyClick(w.grid(), Qt::Key_2);
        QCOMPARE(w.grid()->currentIndex().row(), 2);
        QCOMPARE(w.searchField()->text(), QString("12"));
        QTest::keyClick(w.grid(), Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(d.t->cis.CisChosen, 'A');
        QCOMPARE(d.t->cis.CisValues[0], std::string("120"));
    }

    // F9 on the first row writes an empty value; Enter at the end appends an empty row; closing
    // writes the codebook sorted and without that row.
    void editsAreWrittenSortedWithoutTheBlankRow() {
        DemoDisk d;
        auto window = openWindow(d, 'A');
        TCdsCis& w = *window;
        QVERIFY(!w.button("insert")->isEnabled());
        QTest::mouseClick(w.button("Editace"), Qt::LeftButton);
        QVERIFY(w.editor().editing());
        QVERIFY(w.button("insert")->isEnabled());

        w.grid()->setCurrentIndex(at(w, 0, 1));
        QTest::keyClick(w.grid(), Qt::Key_F9);
        QCOMPARE(w.grid()->model()->data(at(w, 0, 1)).toString(), QString());
        QCOMPARE(w.grid()->currentIndex(), at(w, 1, 0));

        QVERIFY(w.grid()->model()->setData(at(w, 1, 0), "099", Qt::EditRole));
        w.grid()->setCurrentIndex(at(w, 4, 1));
        QTest::keyClick(w.grid(), Qt::Key_Return);
        QCOMPARE(w.grid()->model()->rowCount(), 6);
        QCOMPARE(w.grid()->currentIndex(), at(w, 5, 0));

        // A typed cell: Enter commits it and moves on as in the grid.
        w.grid()->setCurrentIndex(at(w, 2, 1));
        QTest::keyClick(w.grid(), Qt::Key_X);
        auto* cell = w.grid()->findChild<QLineEdit*>();
        QVERIFY(cell && cell->isVisible());
        QTest::keyClicks(cell, "yz");
        QTest::keyClick(cell, Qt::Key_Return);
        QTRY_COMPARE(w.grid()->currentIndex(), at(w, 3, 0));
        QCOMPARE(w.grid()->model()->data(at(w, 2, 1)).toString(), QString("xyz"));

        QTest::keyClick(w.grid(), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(rowsOf(d.t, kFile),
                 (Strings{"099|Drat", "100|", "120|xyz", "121|Matice", "200|Hrebik"}));
    }

    void clipboardAndEmptying() {
        DemoDisk d;
        auto window = openWindow(d, 'A');
        TCdsCis& w = *window;
        d.t.dialogs.clear();
        QTest::keyClick(w.grid(), Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(d.t.dialogs.boxes.size(), size_t(1));
        QVERIFY(d.t.dialogs.saw("lze zrusit pouze v rezimu editace"));

        QTest::mouseClick(w.button("Editace"), Qt::LeftButton);
        w.grid()->setCurrentIndex(at(w, 0, 1));
        QTest::keyClick(w.grid(), Qt::Key_C, Qt::ControlModifier);
        w.grid()->setCurrentIndex(at(w, 3, 1));
        QTest::keyClick(w.grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.grid()->model()->data(at(w, 3, 1)).toString(), QString("Plech"));

        d.t.dialogs.answers = {Dialogs::Answer::Yes};
        QTest::keyClick(w.grid(), Qt::Key_Delete, Qt::AltModifier);
        QCOMPARE(w.grid()->model()->rowCount(), 0);
        w.reject();
        QCOMPARE(rowsOf(d.t, kFile), Strings{});
    }

    // The pick list of a document column: the codebook in view mode, a row chosen by keys.
    void pickListOfADocumentColumn() {
        DemoDisk d;
        writeFixture(d.t);
        d.t->def.clear();
        d.t->def.fields.resize(3);
        d.t->def.headCount = 1;
        d.t->def.field(3).jmSCis = kFile;
        GCisel(*d.t);
        d.t->cis.CisEditMode = 'N';
        whenModal<TCdsCis>([](TCdsCis* w) {
            QTest::keyClick(w->grid(), Qt::Key_2);
            QTest::keyClick(w->grid(), Qt::Key_Return);
        });
        VCisel(*d.t, 2, 2, nullptr);
        QCOMPARE(d.t->cis.CisChosen, 'A');
        QCOMPARE(d.t->cis.CisValues[1], std::string("Hrebik"));
        VCisel(*d.t, 2, 1, nullptr);
        QCOMPARE(d.t->cis.CisChosen, 'N');
    }

    // Each command of the menu "Ciselniky" opens its codebook; the area check lets Zenit edit.
    void menuCommandsOpenTheirCodebooks() {
        DemoDisk d;
        auto main = startMain(d, "Zenit", "Zenit");
        const std::vector<std::pair<const char*, const char*>> commands = {
            {"ACinn", "Cinn.Cds"}, {"AKonta", "Konta.Cds"}, {"AMS", "MatSk.Cds"}, {"AMJ", "MJ.Cds"},
            {"ADP", "DP.Cds"},     {"AMater", "Mater.Cds"}, {"AUcto", "Ucto.Cds"}};
        for (const auto& [handler, file] : commands) {
            QString title;
            bool editable = false;
            int rows = -1;
            whenModal<TCdsCis>([&](TCdsCis* w) {
                title = w->windowTitle();
                editable = w->button("Editace")->isEnabled();
                rows = w->grid()->model()->rowCount();
                w->reject();
            });
            QAction* a = main->command(handler);
            QVERIFY2(a && a->isEnabled(), handler);
            a->trigger();
            QVERIFY2(title.startsWith("   Ciselnik          Jmeno:   "), handler);
            QVERIFY2(title.endsWith(file), qPrintable(title));
            QVERIFY2(editable, handler);
            QVERIFY2(rows > 0, handler);
        }
        QCOMPARE(d.t->cis.CisKeyCount, 2);
    }
};

SARW_GUI_TEST(CodebookWindowTest);
#include "CodebookWindowTest.moc"
