#include "platform/picture/Orientation.h"

#include <QTransform>

QImage Oriented(const QImage& image, int nOrientation)
{
    const bool bMirror = nOrientation == 2 || nOrientation == 7;
    const bool bFlip = nOrientation == 4 || nOrientation == 5;
    int nDegrees = 0;
    if (nOrientation == 3)
        nDegrees = 180;
    else if (nOrientation >= 5 && nOrientation <= 7)
        nDegrees = 90;
    else if (nOrientation == 8)
        nDegrees = 270;
    QImage result = (bMirror || bFlip) ? image.mirrored(bMirror, bFlip) : image;
    if (nDegrees != 0)
        result = result.transformed(QTransform().rotate(nDegrees));
    return result;
}

int OrientationFromRawFlip(int nFlip)
{
    // The inverse of dcraw's own table, "50132467"[orientation & 7].
    static const int arOrientation[8] = {1, 2, 4, 3, 5, 8, 6, 7};
    return nFlip >= 0 && nFlip < 8 ? arOrientation[nFlip] : 1;
}
