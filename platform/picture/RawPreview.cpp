#include "platform/picture/RawPreview.h"

#include "platform/picture/Orientation.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureLog.h"

#include <libraw/libraw.h>

#include <cstring>
#include <ctime>
#include <memory>

namespace {

// LibRaw's state is hundreds of kilobytes: too much for a worker's stack.
std::unique_ptr<LibRaw> OpenRaw(const QByteArray& data)
{
    if (data.isEmpty())
        return nullptr;
    auto pRaw = std::make_unique<LibRaw>();
    // LibRaw reads the buffer and never writes to it.
    const int nResult = pRaw->open_buffer(const_cast<char*>(data.constData()), size_t(data.size()));
    if (nResult != LIBRAW_SUCCESS) {
        qCDebug(lcPicture) << "raw file cannot be read:" << libraw_strerror(nResult);
        return nullptr;
    }
    return pRaw;
}

} // namespace

bool CanReadRaw(const QByteArray& data)
{
    return OpenRaw(data) != nullptr;
}

bool ReadRawPreview(const QByteArray& data, SRawPreview& preview)
{
    const std::unique_ptr<LibRaw> pRaw = OpenRaw(data);
    if (!pRaw)
        return false;
    const int nResult = pRaw->unpack_thumb();
    if (nResult != LIBRAW_SUCCESS) {
        qCDebug(lcPicture) << "raw file has no preview:" << libraw_strerror(nResult);
        return false;
    }
    const libraw_thumbnail_t& thumbnail = pRaw->imgdata.thumbnail;
    if (!thumbnail.thumb || thumbnail.tlength == 0)
        return false;
    preview.nOrientation = OrientationFromRawFlip(pRaw->imgdata.sizes.flip);
    if (thumbnail.tformat == LIBRAW_THUMBNAIL_JPEG) {
        preview.jpeg = QByteArray(thumbnail.thumb, qsizetype(thumbnail.tlength));
        return true;
    }
    if (thumbnail.tformat != LIBRAW_THUMBNAIL_BITMAP ||
        (thumbnail.tcolors != 1 && thumbnail.tcolors != 3))
        return false;
    const qint64 nWidth = thumbnail.twidth;
    const qint64 nHeight = thumbnail.theight;
    const qint64 nStride = nWidth * thumbnail.tcolors;
    if (nWidth <= 0 || nHeight <= 0 || nWidth * nHeight > kMaxDecodedPixels ||
        nStride * nHeight > qint64(thumbnail.tlength))
        return false;
    const QImage view(reinterpret_cast<const uchar*>(thumbnail.thumb), int(nWidth), int(nHeight),
                      qsizetype(nStride),
                      thumbnail.tcolors == 3 ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
    // A copy: the pixels go with LibRaw.
    preview.bitmap = view.copy();
    return !preview.bitmap.isNull();
}

SRawFacts ReadRawFacts(const QByteArray& data)
{
    SRawFacts facts;
    const std::unique_ptr<LibRaw> pRaw = OpenRaw(data);
    if (!pRaw)
        return facts;
    const libraw_data_t& d = pRaw->imgdata;
    // LibRaw's fixed-size text fields, read no further than their size.
    const auto text = [](const char* sz, std::size_t nSize) {
        return QString::fromUtf8(sz, qsizetype(strnlen(sz, nSize))).trimmed();
    };
    facts.strMake = text(d.idata.make, sizeof d.idata.make);
    facts.strModel = text(d.idata.model, sizeof d.idata.model);
    facts.strLens = text(d.lens.Lens, sizeof d.lens.Lens);
    facts.dExposure = d.other.shutter;
    facts.dAperture = d.other.aperture;
    facts.dIso = d.other.iso_speed;
    facts.dFocalLength = d.other.focal_len;
    if (d.other.timestamp <= 0)
        return facts;
    // LibRaw made the time stamp from the camera's wall clock through the
    // local zone; the same zone gives that clock back.
    const time_t timestamp = d.other.timestamp;
    struct tm local = {};
    if (!localtime_r(&timestamp, &local))
        return facts;
    const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const QTime time(local.tm_hour, local.tm_min, local.tm_sec);
    if (date.isValid() && time.isValid())
        facts.dtCaptured = QDateTime(date, time, Qt::UTC);
    return facts;
}
