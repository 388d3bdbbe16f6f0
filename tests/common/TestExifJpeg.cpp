#include "TestExifJpeg.h"

#include "TestPictures.h"

#include <libexif/exif-data.h>

#include <cstring>

namespace {

// Entry data in Intel byte order.
QByteArray Ascii(const char* szText)
{
    return QByteArray(szText, int(std::strlen(szText)) + 1);
}
QByteArray Numbers(std::initializer_list<quint32> arValues, int nBytes)
{
    QByteArray data;
    for (quint32 nValue : arValues) {
        for (int i = 0; i < nBytes; ++i)
            data.append(char(nValue >> (8 * i)));
    }
    return data;
}

struct SEntry
{
    ExifIfd ifd;
    int nTag;
    ExifFormat format;
    QByteArray data;
};

} // namespace

QByteArray MakeExifCameraJpeg()
{
    const SEntry arEntries[] = {
        {EXIF_IFD_0, EXIF_TAG_MAKE, EXIF_FORMAT_ASCII, Ascii("Tarnwick Optics")},
        {EXIF_IFD_0, EXIF_TAG_MODEL, EXIF_FORMAT_ASCII, Ascii("TW-100")},
        {EXIF_IFD_0, EXIF_TAG_ORIENTATION, EXIF_FORMAT_SHORT, Numbers({6}, 2)},
        {EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, EXIF_FORMAT_ASCII,
         Ascii("2006:12:07 14:03:22")},
        {EXIF_IFD_EXIF, EXIF_TAG_LENS_MODEL, EXIF_FORMAT_ASCII, Ascii("TW 24-70mm F2.8")},
        {EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, EXIF_FORMAT_RATIONAL, Numbers({1, 250}, 4)},
        {EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, EXIF_FORMAT_RATIONAL, Numbers({28, 10}, 4)},
        {EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, EXIF_FORMAT_RATIONAL, Numbers({50, 1}, 4)},
        {EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, EXIF_FORMAT_SHORT, Numbers({400}, 2)},
        {EXIF_IFD_EXIF, EXIF_TAG_FLASH, EXIF_FORMAT_SHORT, Numbers({0x19}, 2)},
        {EXIF_IFD_EXIF, EXIF_TAG_COLOR_SPACE, EXIF_FORMAT_SHORT, Numbers({1}, 2)},
        {EXIF_IFD_GPS, EXIF_TAG_GPS_LATITUDE_REF, EXIF_FORMAT_ASCII, Ascii("S")},
        {EXIF_IFD_GPS, EXIF_TAG_GPS_LATITUDE, EXIF_FORMAT_RATIONAL,
         Numbers({33, 1, 51, 1, 2424, 100}, 4)},
        {EXIF_IFD_GPS, EXIF_TAG_GPS_LONGITUDE_REF, EXIF_FORMAT_ASCII, Ascii("W")},
        {EXIF_IFD_GPS, EXIF_TAG_GPS_LONGITUDE, EXIF_FORMAT_RATIONAL,
         Numbers({70, 1, 30, 1, 0, 1}, 4)},
    };
    ExifData* pData = exif_data_new();
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    for (const SEntry& entry : arEntries) {
        ExifEntry* pEntry = exif_entry_new();
        pEntry->tag = ExifTag(entry.nTag);
        pEntry->format = entry.format;
        pEntry->size = unsigned(entry.data.size());
        pEntry->components = pEntry->size / exif_format_get_size(entry.format);
        pEntry->data = static_cast<unsigned char*>(malloc(pEntry->size));
        std::memcpy(pEntry->data, entry.data.constData(), pEntry->size);
        exif_content_add_entry(pData->ifd[entry.ifd], pEntry);
        exif_entry_unref(pEntry);
    }
    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);
    // The block as an APP1 segment right after the start-of-image marker.
    const QByteArray jpeg = EncodePicture("JPG", QSize(64, 48));
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char((nExif + 2) >> 8) +
                            char((nExif + 2) & 0xFF) +
                            QByteArray(reinterpret_cast<const char*>(pExif), int(nExif));
    free(pExif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}
