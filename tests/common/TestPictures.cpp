#include "TestPictures.h"

#include <QBuffer>
#include <QFile>
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

namespace {

// An empty EXIF block as cameras write it: Intel byte order, the mandatory tags.
ExifData* NewExifData()
{
    ExifData* pData = exif_data_new();
    exif_data_set_option(pData, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_data_type(pData, EXIF_DATA_TYPE_COMPRESSED);
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    exif_data_fix(pData);
    return pData;
}

// Writes the EXIF block as an APP1 segment right after the start-of-image
// marker, and frees the block.
QByteArray InsertExif(const QByteArray& jpeg, ExifData* pData)
{
    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);

    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nExif + 2) >> 8)).append(char((nExif + 2) & 0xFF));
    app1.append(reinterpret_cast<const char*>(pExif), nExif);
    free(pExif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

} // namespace

QByteArray MakeJpeg(const QString& strExifDate)
{
    const QByteArray jpeg = EncodePicture("JPG");
    if (strExifDate.isEmpty())
        return jpeg;

    ExifData* pData = NewExifData();
    ExifEntry* pEntry = exif_entry_new();
    exif_content_add_entry(pData->ifd[EXIF_IFD_EXIF], pEntry);
    exif_entry_initialize(pEntry, EXIF_TAG_DATE_TIME_ORIGINAL);
    const QByteArray date = strExifDate.toLatin1();
    std::memset(pEntry->data, 0, pEntry->size);
    std::memcpy(pEntry->data, date.constData(), qMin<size_t>(date.size(), pEntry->size - 1));
    exif_entry_unref(pEntry);
    return InsertExif(jpeg, pData);
}

QByteArray EncodeImage(const QImage& image, const char* szFormat, int nQuality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, szFormat, nQuality);
    return bytes;
}

namespace {

void AppendWord(QByteArray& bytes, int nValue)
{
    bytes.append(char(nValue & 0xFF)).append(char((nValue >> 8) & 0xFF));
}

void AppendDword(QByteArray& bytes, quint32 nValue)
{
    AppendWord(bytes, int(nValue & 0xFFFF));
    AppendWord(bytes, int(nValue >> 16));
}

quint32 ReadDword(const QByteArray& bytes, int nOffset)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + nOffset;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

// LZW with 8-bit literals only, cleared before the code width would grow:
// larger than real GIF data, but every decoder reads it.
QByteArray GifImageData(const QList<int>& arIndices)
{
    QByteArray codes;
    quint32 nBits = 0;
    int nBitCount = 0;
    auto emitCode = [&](int nCode) {
        nBits |= quint32(nCode) << nBitCount;
        nBitCount += 9;
        while (nBitCount >= 8) {
            codes.append(char(nBits & 0xFF));
            nBits >>= 8;
            nBitCount -= 8;
        }
    };
    for (int i = 0; i < arIndices.size(); ++i) {
        if (i % 250 == 0)
            emitCode(256);
        emitCode(arIndices[i]);
    }
    emitCode(257);
    if (nBitCount > 0)
        codes.append(char(nBits & 0xFF));

    QByteArray data(1, char(8));
    for (int i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        data.append(char(block.size())).append(block);
    }
    return data.append(char(0));
}

} // namespace

QByteArray MakeGif(const QList<QImage>& arFrames)
{
    QList<QRgb> arPalette;
    QList<QList<int>> arFrameIndices;
    for (const QImage& frame : arFrames) {
        const QImage image = frame.convertToFormat(QImage::Format_RGB32);
        QList<int> arIndices;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb rgb = image.pixel(x, y);
                int nIndex = int(arPalette.indexOf(rgb));
                if (nIndex < 0) {
                    nIndex = int(arPalette.size());
                    arPalette.append(rgb);
                }
                arIndices.append(nIndex);
            }
        }
        arFrameIndices.append(arIndices);
    }
    arPalette.resize(256);

    const QSize size = arFrames.value(0).size();
    QByteArray gif("GIF89a");
    AppendWord(gif, size.width());
    AppendWord(gif, size.height());
    gif.append(char(0xF7)).append(char(0)).append(char(0));
    for (QRgb rgb : std::as_const(arPalette))
        gif.append(char(qRed(rgb))).append(char(qGreen(rgb))).append(char(qBlue(rgb)));
    for (int i = 0; i < arFrames.size(); ++i) {
        // Graphic control: 10/100 s a frame, each frame replacing the last.
        gif.append("\x21\xF9\x04\x04\x0A\x00\x00\x00", 8);
        gif.append(char(0x2C));
        AppendWord(gif, 0);
        AppendWord(gif, 0);
        AppendWord(gif, arFrames[i].width());
        AppendWord(gif, arFrames[i].height());
        gif.append(char(0));
        gif.append(GifImageData(arFrameIndices[i]));
    }
    return gif.append(char(0x3B));
}

QByteArray MakeIcon(const QList<QImage>& arImages, bool bCursor)
{
    // Qt writes single-image icons; their entries and data are gathered into one directory.
    QByteArray header;
    AppendWord(header, 0);
    AppendWord(header, bCursor ? 2 : 1);
    AppendWord(header, int(arImages.size()));
    QByteArray data;
    const int nDataStart = 6 + 16 * int(arImages.size());
    for (const QImage& image : arImages) {
        const QByteArray single = EncodeImage(image.convertToFormat(QImage::Format_ARGB32), "ICO");
        QByteArray entry = single.mid(6, 16);
        const quint32 nOffset = ReadDword(single, 6 + 12);
        const quint32 nLength = ReadDword(single, 6 + 8);
        if (bCursor) {
            entry.replace(4, 4, QByteArray(4, '\0')); // hot spot at the top-left corner
        }
        QByteArray offset;
        AppendDword(offset, quint32(nDataStart + data.size()));
        entry.replace(12, 4, offset);
        header.append(entry);
        data.append(single.mid(int(nOffset), int(nLength)));
    }
    return header + data;
}

QByteArray MakeCameraJpeg(const QImage& image, int nQuality, int nOrientation,
                          const QByteArray& thumbnailJpeg)
{
    const QByteArray jpeg = EncodeImage(image, "JPG", nQuality);

    ExifData* pData = NewExifData();
    if (nOrientation > 0) {
        ExifEntry* pEntry = exif_entry_new();
        exif_content_add_entry(pData->ifd[EXIF_IFD_0], pEntry);
        exif_entry_initialize(pEntry, EXIF_TAG_ORIENTATION);
        exif_set_short(pEntry->data, EXIF_BYTE_ORDER_INTEL, ExifShort(nOrientation));
        exif_entry_unref(pEntry);
    }
    if (!thumbnailJpeg.isEmpty()) {
        pData->data = static_cast<unsigned char*>(malloc(size_t(thumbnailJpeg.size())));
        std::memcpy(pData->data, thumbnailJpeg.constData(), size_t(thumbnailJpeg.size()));
        pData->size = unsigned(thumbnailJpeg.size());
    }
    return InsertExif(jpeg, pData);
}

QImage MakeMarkedImage(QSize size, QPoint ptCorner, int nSide)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = ptCorner.y(); y < ptCorner.y() + nSide && y < size.height(); ++y) {
        for (int x = ptCorner.x(); x < ptCorner.x() + nSide && x < size.width(); ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    }
    return image;
}

QColor FolderColour(int i)
{
    return QColor(QColor::fromHsv((i * 37) % 360, 200, 200).rgb());
}

QString WriteColourFolder(const QString& strFolder, int nCount, QSize size)
{
    for (int i = 0; i < nCount; ++i) {
        QFile file(strFolder + QStringLiteral("/%1.bmp").arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(EncodePicture("BMP", size, FolderColour(i)));
    }
    return strFolder;
}
