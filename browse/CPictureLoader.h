#pragma once

#include "platform/picture/CPicture.h"

#include <QSize>
#include <QString>

class QPaintDevice;

// Turns a picture file into a picture object and measures it in pixels of a
// device. Holds nothing; the main frame keeps one for the whole run.
class CPictureLoader
{
public:
    // The picture, its size in pixels of the device (by its logical dpi) and its
    // natural HIMETRIC size; null on failure, and then both sizes are untouched.
    CPicturePtr LoadPicture(const QString& strPath, const QPaintDevice& device, QSize& szPixel,
                            QSize& szHimetric) const;
    // The same against a resolution given per axis.
    CPicturePtr LoadPicture(const QString& strPath, int nDpiX, int nDpiY, QSize& szPixel,
                            QSize& szHimetric) const;
};
