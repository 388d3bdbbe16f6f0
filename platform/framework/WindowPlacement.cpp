#include "platform/framework/WindowPlacement.h"

#include <algorithm>

QRect PlacementOnScreen(const QRect& rcStored, const QRect& rcAvailable)
{
    if (rcAvailable.isEmpty())
        return rcStored;
    QRect rc(rcStored.topLeft(), rcStored.size().boundedTo(rcAvailable.size()));
    rc.moveLeft(std::clamp(rc.left(), rcAvailable.left(), rcAvailable.right() - rc.width() + 1));
    rc.moveTop(std::clamp(rc.top(), rcAvailable.top(), rcAvailable.bottom() - rc.height() + 1));
    return rc;
}
