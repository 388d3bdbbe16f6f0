#include "browse/CPictureLoader.h"

#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureMeasure.h"

#include <QPaintDevice>

CPicturePtr CPictureLoader::LoadPicture(const QString& strPath, const QPaintDevice& device,
                                        QSize& szPixel, QSize& szHimetric) const
{
    return LoadPicture(strPath, device.logicalDpiX(), device.logicalDpiY(), szPixel, szHimetric);
}

CPicturePtr CPictureLoader::LoadPicture(const QString& strPath, int nDpiX, int nDpiY,
                                        QSize& szPixel, QSize& szHimetric) const
{
    CPicturePtr pPicture = DecodePicture(strPath);
    if (!pPicture)
        return nullptr;
    szHimetric = pPicture->GetHimetricSize();
    szPixel = PixelsFromHimetric(szHimetric, nDpiX, nDpiY);
    return pPicture;
}
