#include "TestPictures.h"

#include <QBuffer>
#include <QImage>

#include <libexif/exif-data.h>

#include <cstring>

QByteArray EncodePicture(const char* szFormat, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, szFormat);
    return bytes;
}

QByteArray MakeJpeg(const QString& strExifDate)
{
    const QByteArray jpeg = EncodePicture("JPG");
    if (strExifDate.isEmpty())
        return jpeg;

    ExifData* pData = exif_data_new();
    exif_data_set_option(pData, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_data_type(pData, EXIF_DATA_TYPE_COMPRESSED);
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    exif_data_fix(pData);
    ExifEntry* pEntry = exif_entry_new();
    exif_content_add_entry(pData->ifd[EXIF_IFD_EXIF], pEntry);
    exif_entry_initialize(pEntry, EXIF_TAG_DATE_TIME_ORIGINAL);
    const QByteArray date = strExifDate.toLatin1();
    std::memset(pEntry->data, 0, pEntry->size);
    std::memcpy(pEntry->data, date.constData(), qMin<size_t>(date.size(), pEntry->size - 1));
    exif_entry_unref(pEntry);
    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);

    // An APP1 segment right after the start-of-image marker.
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nExif + 2) >> 8)).append(char((nExif + 2) & 0xFF));
    app1.append(reinterpret_cast<const char*>(pExif), nExif);
    free(pExif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}
