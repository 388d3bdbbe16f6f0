#include "db/CaptureTime.h"

#include "platform/picture/FolderListing.h"
#include "platform/picture/HeifDecoder.h"
#include "platform/picture/PictureFormats.h"
#include "platform/picture/RawPreview.h"
#include "platform/picture/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <libexif/exif-data.h>

namespace {

// The camera's capture time (DateTimeOriginal, "2006:12:07 14:03:22") as the
// wall clock it is, or an invalid QDateTime when the block has none; takes
// the block. Read through no zone, so an hour that a daylight-saving change
// skips or repeats here is kept as the camera showed it.
QDateTime ExifCaptureTime(ExifData* pData)
{
    QDateTime dateTime;
    if (!pData)
        return dateTime;
    if (ExifEntry* pEntry =
            exif_content_get_entry(pData->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL)) {
        char szValue[64] = {};
        exif_entry_get_value(pEntry, szValue, sizeof(szValue));
        const QStringList arParts = QString::fromLatin1(szValue).split(u' ', Qt::SkipEmptyParts);
        if (arParts.size() == 2) {
            const QDate date = QDate::fromString(arParts[0], QStringLiteral("yyyy:MM:dd"));
            const QTime time = QTime::fromString(arParts[1], QStringLiteral("HH:mm:ss"));
            if (date.isValid() && time.isValid())
                dateTime = QDateTime(date, time, Qt::UTC);
        }
    }
    exif_data_unref(pData);
    return dateTime;
}

bool IsJpeg(const QString& strExtension)
{
    return strExtension.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jpe"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jfif"), Qt::CaseInsensitive) == 0;
}

} // namespace

QDateTime CaptureTime(const QString& strPath, const QString& strExtension)
{
    // HEIF and raw files are read whole by their libraries; no camera writes one this large.
    switch (DecoderForExtension(strExtension)) {
    case EPictureDecoder::Raster:
        if (!IsJpeg(strExtension))
            return QDateTime();
        return ExifCaptureTime(exif_data_new_from_file(QFile::encodeName(strPath).constData()));
    case EPictureDecoder::Heif: {
        const QByteArray exif = HeifExif(ReadRegularFile(strPath, kMaxCameraFileBytes));
        if (exif.isEmpty())
            return QDateTime();
        return ExifCaptureTime(exif_data_new_from_data(
            reinterpret_cast<const unsigned char*>(exif.constData()), unsigned(exif.size())));
    }
    case EPictureDecoder::CameraRaw:
        return ReadRawFacts(ReadRegularFile(strPath, kMaxCameraFileBytes)).dtCaptured;
    default:
        return QDateTime();
    }
}

QDateTime PictureDate(const QFileInfo& fileInfo, const QByteArray& head, bool bHeadWhole)
{
    const QString strExtension = GetExtension(fileInfo.fileName());
    QDateTime date;
    // The block is in an APP1 segment near the start: read once, for the
    // fingerprint too.
    if (!head.isEmpty() && DecoderForExtension(strExtension) == EPictureDecoder::Raster &&
        IsJpeg(strExtension)) {
        date = ExifCaptureTime(exif_data_new_from_data(
            reinterpret_cast<const unsigned char*>(head.constData()), unsigned(head.size())));
        if (!date.isValid() && !bHeadWhole)
            date = CaptureTime(fileInfo.filePath(), strExtension);
    } else {
        date = CaptureTime(fileInfo.filePath(), strExtension);
    }
    if (!date.isValid()) {
        const QDateTime modified = fileInfo.lastModified();
        date = QDateTime(modified.date(), modified.time(), Qt::UTC);
    }
    const QTime time = date.time();
    // Stored to the second: a date read back compares equal.
    return QDateTime(date.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}
