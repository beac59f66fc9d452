#pragma once

#include "core/ui/ActionTags.h"

class QWidget;

namespace dedizo {

// Rights tags follow the list windows' convention (core/ui/ActionTags.h):
// the dynamic property "tag" (an int) of a QAction or a QAbstractButton,
// set with setActionTag():
//   TagNone (0, or no property)  always available,
//   TagOperate (1)               changes data: needs the operate right,
//   TagPrint (2)                 prints or exports: needs the print/export right.
// A button that shows a tagged action (QToolButton::setDefaultAction) follows
// the action; a plain button carries its own tag.

// Hides and disables every action and button of `window` (its children and
// its own actions) tagged TagOperate when `operate` is false and tagged
// TagPrint when `print` is false. Nothing is switched back on.
void applyRightsToWindow(QWidget* window, bool operate, bool print);

} // namespace dedizo
