#include "shell/MenuHints.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>

namespace sarw {

namespace {

class HintBeside : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu || e->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(e);
        QAction* a = menu->actionAt(help->pos());
        if (!a || a->toolTip().isEmpty() || a->toolTip() == QString(a->text()).remove('&')) {
            QToolTip::hideText();
            return true;
        }
        const QRect item = menu->actionGeometry(a);
        QToolTip::showText(menu->mapToGlobal(QPoint(menu->width() + 2, item.top())), a->toolTip(),
                           menu, item);
        return true;
    }
};

void watch(QMenu* menu, HintBeside* hints) {
    menu->installEventFilter(hints);
    for (QAction* a : menu->actions())
        if (a->menu()) watch(a->menu(), hints);
}

} // namespace

void showMenuHintsBeside(QMenuBar* bar) {
    auto* hints = new HintBeside(bar);
    for (QAction* a : bar->actions())
        if (a->menu()) watch(a->menu(), hints);
}

} // namespace sarw
