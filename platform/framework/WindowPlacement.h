#pragma once

#include <QRect>

// A remembered window rectangle brought onto the screen's available area: no
// larger than it, then moved inside it. A placement saved at another scale
// factor or on a larger screen would otherwise come back partly off screen.
QRect PlacementOnScreen(const QRect& rcStored, const QRect& rcAvailable);
