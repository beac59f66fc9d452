#include "admin/ui/RightsTags.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace dedizo {

void applyRightsToWindow(QWidget* window, bool operate, bool print)
{
    if (!window || (operate && print))
        return;
    auto denied = [&](const QObject* o) {
        const int tag = actionTag(o);
        return (tag == TagOperate && !operate) || (tag == TagPrint && !print);
    };
    QList<QAction*> actions = window->findChildren<QAction*>();
    for (QAction* a : window->actions())
        if (!actions.contains(a))
            actions << a;
    for (QAction* a : std::as_const(actions)) {
        if (denied(a)) {
            a->setVisible(false);
            a->setEnabled(false);
        }
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (denied(b)) {
            b->setVisible(false);
            b->setEnabled(false);
        }
    }
}

} // namespace dedizo
