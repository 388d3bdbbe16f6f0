#pragma once

#include "platform/picture/CPicture.h"

#include <QImage>

// A decoded JPG, BMP, GIF, ICO or CUR (or PNG, WebP, TIFF, HEIF, or a raw
// file's preview). The image may have been decoded smaller than the file's
// pixels (a fitted display, a very large file, a thumbnail); the natural
// HIMETRIC size is always that of the whole picture.
class CRasterPicture : public CPicture
{
public:
    CRasterPicture(const QImage& image, const QSize& szHimetric);

    const QImage& GetImage() const { return m_image; }

    void Render(QPainter& painter, const QRect& rcDest, const QRect& rcSrcHimetric,
                const QRect& rcBounds) const override;

private:
    QImage m_image;
};
