#pragma once

#include <QImage>

// The image turned upright by an EXIF orientation (1 to 8; any other value
// leaves it as it is), as Qt turns a JPEG: mirror or flip first, then a
// quarter or half turn.
QImage Oriented(const QImage& image, int nOrientation);

// Whether the EXIF orientation turns the picture by a quarter, so that the
// upright picture's width is the stored height.
inline bool IsQuarterTurn(int nOrientation)
{
    return nOrientation >= 5 && nOrientation <= 8;
}

// LibRaw's orientation (its sizes.flip: bit 2 transposes, bits 1 and 0 flip
// rows and columns) as the EXIF orientation that means the same turn.
int OrientationFromRawFlip(int nFlip);
