#include "TestCameraFiles.h"

#include <libexif/exif-data.h>
#include <libheif/heif.h>

#include <cstring>
#include <vector>

namespace {

heif_error AppendToBytes(heif_context*, const void* pData, size_t nSize, void* pUser)
{
    static_cast<QByteArray*>(pUser)->append(static_cast<const char*>(pData), qsizetype(nSize));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// "Exif\0\0" and a TIFF block holding DateTimeOriginal.
QByteArray DateExif(const QString& strDate)
{
    ExifData* pData = exif_data_new();
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    ExifEntry* pEntry = exif_entry_new();
    exif_content_add_entry(pData->ifd[EXIF_IFD_EXIF], pEntry);
    exif_entry_initialize(pEntry, EXIF_TAG_DATE_TIME_ORIGINAL);
    const QByteArray date = strDate.toLatin1();
    std::memset(pEntry->data, 0, pEntry->size);
    std::memcpy(pEntry->data, date.constData(), qMin<size_t>(date.size(), pEntry->size - 1));
    exif_entry_unref(pEntry);
    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);
    const QByteArray block(reinterpret_cast<const char*>(pExif), int(nExif));
    free(pExif);
    return block;
}

// A little-endian TIFF built front to back: IFD entries point at values
// appended after all IFDs.
class CTiffWriter
{
public:
    struct SEntry
    {
        quint16 nTag;
        quint16 nType; // 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG
        QByteArray value;
        quint32 nCount;
    };
    static SEntry Short(quint16 nTag, std::vector<quint16> arValues)
    {
        QByteArray value;
        for (quint16 n : arValues)
            value.append(reinterpret_cast<const char*>(&n), 2);
        return {nTag, 3, value, quint32(arValues.size())};
    }
    static SEntry Long(quint16 nTag, quint32 nValue)
    {
        return {nTag, 4, QByteArray(reinterpret_cast<const char*>(&nValue), 4), 1};
    }
    static SEntry Bytes(quint16 nTag, const QByteArray& value)
    {
        return {nTag, 1, value, quint32(value.size())};
    }
    static SEntry Ascii(quint16 nTag, const QByteArray& text)
    {
        return {nTag, 2, text + '\0', quint32(text.size() + 1)};
    }

    // The size of an IFD of n entries.
    static quint32 IfdSize(int nEntries) { return quint32(2 + 12 * nEntries + 4); }

    void AppendIfd(const std::vector<SEntry>& arEntries, quint32 nExtraOffset, QByteArray& extra)
    {
        AppendShort(quint16(arEntries.size()));
        for (const SEntry& entry : arEntries) {
            AppendShort(entry.nTag);
            AppendShort(entry.nType);
            AppendLong(entry.nCount);
            if (entry.value.size() <= 4) {
                m_bytes.append(entry.value.leftJustified(4, '\0', true));
            } else {
                AppendLong(nExtraOffset + quint32(extra.size()));
                extra.append(entry.value);
                if (extra.size() % 2)
                    extra.append('\0');
            }
        }
        AppendLong(0);
    }
    void AppendShort(quint16 n) { m_bytes.append(reinterpret_cast<const char*>(&n), 2); }
    void AppendLong(quint32 n) { m_bytes.append(reinterpret_cast<const char*>(&n), 4); }

    QByteArray m_bytes;
};

} // namespace

QByteArray MakeHeic(const QImage& image, int nOrientation, const QString& strExifDate, int nQuality)
{
    heif_context* pContext = heif_context_alloc();
    heif_encoder* pEncoder = nullptr;
    QByteArray bytes;
    if (heif_context_get_encoder_for_format(pContext, heif_compression_HEVC, &pEncoder).code ==
        heif_error_Ok) {
        heif_encoder_set_lossy_quality(pEncoder, nQuality);
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        heif_image* pImage = nullptr;
        heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                          heif_chroma_interleaved_RGB, &pImage);
        heif_image_add_plane(pImage, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
        int nStride = 0;
        uint8_t* pPlane = heif_image_get_plane(pImage, heif_channel_interleaved, &nStride);
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(pPlane + y * nStride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
        heif_encoding_options* pOptions = heif_encoding_options_alloc();
        pOptions->image_orientation = heif_orientation(nOrientation);
        heif_image_handle* pHandle = nullptr;
        if (heif_context_encode_image(pContext, pImage, pEncoder, pOptions, &pHandle).code ==
            heif_error_Ok) {
            if (!strExifDate.isEmpty()) {
                const QByteArray exif = DateExif(strExifDate);
                heif_context_add_exif_metadata(pContext, pHandle, exif.constData(),
                                               int(exif.size()));
            }
            heif_writer writer{1, &AppendToBytes};
            heif_context_write(pContext, &writer, &bytes);
            heif_image_handle_release(pHandle);
        }
        heif_encoding_options_free(pOptions);
        heif_image_release(pImage);
        heif_encoder_release(pEncoder);
    }
    heif_context_free(pContext);
    return bytes;
}

QByteArray MakeDng(const QByteArray& previewJpeg, QSize szPreview, QSize szSensor, int nOrientation,
                   const QString& strDate)
{
    using W = CTiffWriter;
    const QByteArray date =
        strDate.isEmpty() ? QByteArray("2000:01:01 00:00:00") : strDate.toLatin1();
    std::vector<W::SEntry> arPreview = {
        W::Long(254, 1),
        W::Long(256, quint32(szPreview.width())),
        W::Long(257, quint32(szPreview.height())),
        W::Short(258, {8, 8, 8}),
        W::Short(259, {7}),
        W::Short(262, {6}),
        W::Ascii(271, "Testmaker"),
        W::Ascii(272, "Bench One"),
        W::Long(273, 0), // preview offset, set below
        W::Short(274, {quint16(nOrientation)}),
        W::Short(277, {3}),
        W::Long(278, quint32(szPreview.height())),
        W::Long(279, quint32(previewJpeg.size())),
        W::Ascii(306, date),
        W::Long(330, 0), // sensor IFD offset, set below
        W::Bytes(50706, QByteArray("\x01\x04\x00\x00", 4)),
        W::Ascii(50708, "Testmaker Bench One"),
    };
    const quint32 nSensorBytes = quint32(szSensor.width()) * quint32(szSensor.height()) * 2;
    std::vector<W::SEntry> arSensor = {
        W::Long(254, 0),
        W::Long(256, quint32(szSensor.width())),
        W::Long(257, quint32(szSensor.height())),
        W::Short(258, {16}),
        W::Short(259, {1}),
        W::Short(262, {32803}),
        W::Long(273, 0), // sensor data offset, set below
        W::Short(277, {1}),
        W::Long(278, quint32(szSensor.height())),
        W::Long(279, nSensorBytes),
        W::Short(33421, {2, 2}),
        W::Bytes(33422, QByteArray("\x00\x01\x01\x02", 4)),
        W::Long(50717, 65535),
    };
    const quint32 nSensorIfd = 8 + W::IfdSize(int(arPreview.size()));
    const quint32 nExtra = nSensorIfd + W::IfdSize(int(arSensor.size()));
    // The out-of-line values: the date, names and bit depths, under 200 bytes.
    const quint32 nPreviewData = nExtra + 256;
    const quint32 nSensorData = nPreviewData + quint32((previewJpeg.size() + 1) / 2 * 2);
    arPreview[8] = W::Long(273, nPreviewData);
    arPreview[14] = W::Long(330, nSensorIfd);
    arSensor[6] = W::Long(273, nSensorData);

    W writer;
    writer.m_bytes = QByteArray("II\x2A\x00\x08\x00\x00\x00", 8);
    QByteArray extra;
    writer.AppendIfd(arPreview, nExtra, extra);
    writer.AppendIfd(arSensor, nExtra, extra);
    QByteArray file = writer.m_bytes + extra.leftJustified(256, '\0');
    file += previewJpeg;
    if (file.size() % 2)
        file.append('\0');
    // A mid-grey sensor: LibRaw reads no more than that it is there.
    file += QByteArray(qsizetype(nSensorBytes), '\x40');
    return file;
}
