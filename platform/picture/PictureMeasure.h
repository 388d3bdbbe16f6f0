#pragma once

#include <QSize>

// A raster picture's natural size in HIMETRIC: its pixels on a 96-dpi screen,
// rounded to the nearest unit.
QSize HimetricFromPixels(const QSize& szPixels);

// The pixel size of a HIMETRIC size on a device of the given resolution:
// (himetric x dpi + 1270) / 2540 per axis, in 32-bit signed arithmetic that
// wraps like the original's and truncates toward zero.
QSize PixelsFromHimetric(const QSize& szHimetric, int nDpiX, int nDpiY);
