#include "catalogue/refdata/DropDownPlacement.h"

#include <algorithm>

namespace dedizo {

QRect DropDownPlacement(const QRect& control, const QRect& workArea, const QSize& size)
{
    // Edges as exclusive coordinates: right = x + width, bottom = y + height.
    const int controlTop = control.y();
    const int controlBottom = control.y() + control.height();
    const int areaLeft = workArea.x();
    const int areaTop = workArea.y();
    const int areaRight = workArea.x() + workArea.width();
    const int areaBottom = workArea.y() + workArea.height();

    int width = size.width();
    int height = size.height();
    int left = control.x();
    int top = controlBottom + 1;

    if (workArea.width() < width)
        width = workArea.width();
    if (left + width > areaRight)
        left = areaRight - width;
    if (left < areaLeft)
        left = areaLeft;
    if (top + height > areaBottom && controlTop - areaTop > areaBottom - controlBottom)
        top = controlTop - height;
    if (top < areaTop) {
        height -= areaTop - top;
        top = areaTop;
    }
    if (top + height > areaBottom)
        height = areaBottom - top;
    return QRect(left - 2, top, width, std::max(height, 0));
}

} // namespace dedizo
