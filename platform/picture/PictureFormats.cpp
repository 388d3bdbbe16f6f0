#include "platform/picture/PictureFormats.h"

#include <QLatin1String>
#include <iterator>

namespace {

struct SPictureFormat
{
    QLatin1String strExtension;
    EPictureDecoder decoder;
    bool bClassic;
};

constexpr SPictureFormat arFormats[] = {
    {QLatin1String("jpg"), EPictureDecoder::Raster, true},
    {QLatin1String("bmp"), EPictureDecoder::Raster, true},
    {QLatin1String("gif"), EPictureDecoder::Raster, true},
    {QLatin1String("ico"), EPictureDecoder::Raster, true},
    {QLatin1String("cur"), EPictureDecoder::Raster, true},
    {QLatin1String("wmf"), EPictureDecoder::Metafile, true},
    {QLatin1String("emf"), EPictureDecoder::Metafile, true},
    {QLatin1String("jpeg"), EPictureDecoder::Raster, false},
    {QLatin1String("jpe"), EPictureDecoder::Raster, false},
    {QLatin1String("jfif"), EPictureDecoder::Raster, false},
    {QLatin1String("png"), EPictureDecoder::Raster, false},
    {QLatin1String("webp"), EPictureDecoder::Raster, false},
    {QLatin1String("tif"), EPictureDecoder::Raster, false},
    {QLatin1String("tiff"), EPictureDecoder::Raster, false},
    {QLatin1String("heic"), EPictureDecoder::Heif, false},
    {QLatin1String("heif"), EPictureDecoder::Heif, false},
    {QLatin1String("dng"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("cr2"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("cr3"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("nef"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("arw"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("orf"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("rw2"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("raf"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("pef"), EPictureDecoder::CameraRaw, false},
    {QLatin1String("srw"), EPictureDecoder::CameraRaw, false},
};

const SPictureFormat* FindFormat(const QString& strExtension)
{
    for (const SPictureFormat& format : arFormats) {
        if (strExtension.compare(format.strExtension, Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}

} // namespace

EPictureDecoder DecoderForExtension(const QString& strExtension)
{
    const SPictureFormat* pFormat = FindFormat(strExtension);
    return pFormat ? pFormat->decoder : EPictureDecoder::None;
}

bool IsListedExtension(const QString& strExtension, bool bAllFormats)
{
    const SPictureFormat* pFormat = FindFormat(strExtension);
    return pFormat && (pFormat->bClassic || bAllFormats);
}

QStringList PictureExtensions(bool bAllFormats)
{
    QStringList arExtensions;
    for (const SPictureFormat& format : arFormats) {
        if (format.bClassic || bAllFormats)
            arExtensions.append(format.strExtension);
    }
    return arExtensions;
}
