#pragma once

#include <QObject>

class QWidget;

namespace dedizo {

// Rights tags of a window's actions and buttons.
//
// Convention: the dynamic property "tag" (an int) of a QAction or a
// QAbstractButton, set with setRightsTag():
//   0 (or no property)  always available,
//   1 (kOperateTag)     changes data: needs the operate right,
//   2 (kPrintTag)       prints or exports: needs the print/export right.
// A button that shows a tagged action (QToolButton::setDefaultAction) follows
// the action; a plain button carries its own tag.
inline constexpr int kOperateTag = 1;
inline constexpr int kPrintTag = 2;
inline constexpr char kRightsTagProperty[] = "tag";

void setRightsTag(QObject* actionOrButton, int tag);
int rightsTag(const QObject* actionOrButton);

// Hides and disables every action and button of `window` (its children and
// its own actions) tagged 1 when `operate` is false and tagged 2 when
// `print` is false. Nothing is switched back on.
void applyRightsToWindow(QWidget* window, bool operate, bool print);

} // namespace dedizo
