#pragma once

#include <QRect>
#include <QString>

// Where a status-bar progress bar goes over the message pane: right of the
// message (estimated at 5.5 pixels per byte of its 8-bit text, not measured),
// up to 5 pixels short of the pane's right edge, rows 2 to 16. A message too
// long for the pane leaves a bar of no width.
QRect StatusProgressRect(const QString& strText, int nPaneRight);
