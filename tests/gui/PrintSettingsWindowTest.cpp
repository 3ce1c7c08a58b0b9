#include "GuiTest.h"

#include "output/NumRowFont.h"
#include "output/TNumRow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace sarw;
using namespace sarw::test;

// The print settings window: what is typed is kept within 10-150 rows and stored on closing.
class PrintSettingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void typedRowsAndOrientationAreStored() {
        struct Case {
            const char* typed;
            int orientation;
            int rows;
        };
        const Case cases[] = {{"200", 1, 150}, {"5", 0, 10}, {"66", 1, 66}};
        for (const auto& c : cases) {
            TestSession t;
            t->printSettings.rowsPerPage = 72;
            TNumRow w(*t);
            w.show();
            // The missing file was written from the settings on showing.
            QCOMPARE(w.rowsField()->text(), QStringLiteral("072"));
            w.orientationList()->setCurrentIndex(c.orientation);
            w.rowsField()->selectAll();
            QTest::keyClicks(w.rowsField(), c.typed);
            QTest::keyClick(w.rowsField(), Qt::Key_Return);
            QVERIFY(!w.isVisible());
            PrintSettings stored;
            QVERIFY(decodeNumRowFont(t.read(kNumRowFontFile), stored));
            QCOMPARE(stored.rowsPerPage, c.rows);
            QCOMPARE(stored.orientation, c.orientation);
            QCOMPARE(t->printSettings.rowsPerPage, c.rows);
        }
    }
};

SARW_GUI_TEST(PrintSettingsWindowTest);
#include "PrintSettingsWindowTest.moc"
