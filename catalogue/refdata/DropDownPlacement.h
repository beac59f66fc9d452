#pragma once

#include <QRect>
#include <QSize>

namespace dedizo {

// Where the drop-down picker goes for a control at `control` (screen
// coordinates) on a desktop whose work area is `workArea`, wanting `size`:
// under the control, kept inside the work area, shown above the control
// when it would pass the bottom and there is more room above, shortened to
// fit, and finally 2 pixels to the left.
QRect DropDownPlacement(const QRect& control, const QRect& workArea, const QSize& size);

} // namespace dedizo
