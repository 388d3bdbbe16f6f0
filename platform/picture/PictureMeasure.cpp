#include "platform/picture/PictureMeasure.h"

#include <cstdint>

namespace {

int HimetricFromPixelCount(int nPixels)
{
    return int((int64_t(nPixels) * 2540 + 48) / 96);
}

// Overflow must wrap, not be undefined: multiply in unsigned 32 bits.
int PixelCountFromHimetric(int nHimetric, int nDpi)
{
    const auto nProduct = int32_t(uint32_t(nHimetric) * uint32_t(nDpi) + 1270u);
    return nProduct / 2540;
}

} // namespace

QSize HimetricFromPixels(const QSize& szPixels)
{
    return QSize(HimetricFromPixelCount(szPixels.width()),
                 HimetricFromPixelCount(szPixels.height()));
}

QSize PixelsFromHimetric(const QSize& szHimetric, int nDpiX, int nDpiY)
{
    return QSize(PixelCountFromHimetric(szHimetric.width(), nDpiX),
                 PixelCountFromHimetric(szHimetric.height(), nDpiY));
}
