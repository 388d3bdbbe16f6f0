#include "platform/picture/CThumbnailSource.h"

#include "platform/picture/CRasterPicture.h"
#include "platform/picture/Orientation.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/RegularFile.h"
#include "platform/picture/ThumbnailCache.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <libexif/exif-data.h>

#include <memory>

namespace {

// The EXIF block sits in the first 64 KB segment of a JPEG.
constexpr qint64 kJpegHeadBytes = 128 * 1024;

bool CoversCell(const QSize& szImage, const QSize& szCell)
{
    return szImage.width() >= szCell.width() || szImage.height() >= szCell.height();
}

// A picture without pixels of its own (a metafile) drawn at the box's scale.
QImage Rendered(const CPicture& picture, const QSize& szBox)
{
    const QSize szHimetric = picture.GetHimetricSize();
    if (szHimetric.isEmpty())
        return QImage();
    const QSize szImage = szHimetric.scaled(szBox, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image(szImage, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect rcDest(QPoint(0, 0), szImage);
    picture.Render(painter, rcDest,
                   QRect(0, szHimetric.height(), szHimetric.width(), -szHimetric.height()), rcDest);
    return image;
}

} // namespace

QImage ReadExifThumbnail(const QByteArray& jpegHead)
{
    std::unique_ptr<ExifData, decltype(&exif_data_unref)> pData(
        exif_data_new_from_data(reinterpret_cast<const unsigned char*>(jpegHead.constData()),
                                unsigned(jpegHead.size())),
        &exif_data_unref);
    if (!pData || !pData->data || pData->size == 0)
        return QImage();
    const QImage thumbnail = QImage::fromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(pData->data), int(pData->size)));
    if (thumbnail.isNull())
        return QImage();
    int nOrientation = 1;
    const ExifEntry* pEntry = exif_content_get_entry(pData->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (pEntry && pEntry->format == EXIF_FORMAT_SHORT && pEntry->size >= 2)
        nOrientation = exif_get_short(pEntry->data, exif_data_get_byte_order(pData.get()));
    return Oriented(thumbnail, nOrientation);
}

CThumbnailSource::CThumbnailSource(bool bWriteCache)
    : m_bWriteCache(bWriteCache)
{
}

QImage CThumbnailSource::Thumbnail(const QString& strPath, const QSize& szCell) const
{
    if (szCell.isEmpty())
        return QImage();
    QFile file;
    if (!OpenRegularFile(file, strPath))
        return QImage();
    const QByteArray head = file.read(kJpegHeadBytes);
    file.close();
    if (head.startsWith("\xFF\xD8")) {
        const QImage exif = ReadExifThumbnail(head);
        if (!exif.isNull() && CoversCell(exif.size(), szCell))
            return exif;
    }

    const int nSide = ThumbnailCacheSide(szCell);
    if (nSide > 0) {
        const QImage cached = ReadCachedThumbnail(strPath, nSide);
        if (!cached.isNull())
            return cached;
    }

    // Decoded for the cache's size, so that the entry serves file managers too.
    const QSize szBox = nSide > 0 ? QSize(nSide, nSide) : szCell;
    const CPicturePtr pPicture = DecodePicture(strPath, szBox, EDecodeFit::Within);
    if (!pPicture)
        return QImage();
    const auto* pRaster = dynamic_cast<const CRasterPicture*>(pPicture.get());
    QImage image = pRaster ? pRaster->GetImage() : Rendered(*pPicture, szBox);
    if (pRaster && (image.width() > szBox.width() || image.height() > szBox.height()))
        image = image.scaled(szBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // A cache that cannot be written costs nothing but the attempt.
    if (m_bWriteCache && nSide > 0 && !image.isNull())
        WriteCachedThumbnail(strPath, nSide, image);
    return image;
}
