#pragma once

#include <QAction>
#include <QWidget>

namespace dedizo {

// Every action of a window carries a tag that the rights decide on:
// 0 = always available, 1 = changes data (needs the operate right),
// 2 = prints or exports (needs the print right). Kept as the dynamic
// property "tag" on the QAction (or on a button without an action).
enum ActionTag
{
    TagNone = 0,
    TagOperate = 1,
    TagPrint = 2
};

inline void setActionTag(QObject* actionOrButton, int tag)
{
    actionOrButton->setProperty("tag", tag);
}

inline int actionTag(const QObject* actionOrButton)
{
    return actionOrButton->property("tag").toInt();
}

} // namespace dedizo
