#include "GuiTest.h"

#include "shell/SarWProgram.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace sarw;

// Qt's own texts: the context menu of a text field speaks Czech.
class QtCzechTest : public QObject {
    Q_OBJECT

private slots:
    void contextMenuOfATextField() {
        QVERIFY(installCzechQtTexts(*qApp));
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts << a->text().remove(QLatin1Char('&')).section('\t', 0, 0);
        QVERIFY2(!texts.isEmpty(), "no context menu");
        for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
            QVERIFY2(!texts.contains(QString::fromLatin1(english)), qPrintable(texts.join(", ")));
    }
};

SARW_GUI_TEST(QtCzechTest);
#include "QtCzechTest.moc"
