#include "platform/picture/PictureInfo.h"

#include "common/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <libexif/exif-data.h>

#include <cstring>

class TestPictureInfo : public QObject
{
    Q_OBJECT
private slots:
    void valueTexts_data();
    void valueTexts();
    void degrees_data();
    void degrees();
    void positionAndMap();
    void readsFile_data();
    void readsFile();
};

namespace {

// Adds an entry of the given format and count to the block; its data is
// zeroed for the caller to fill.
unsigned char* AddEntry(ExifData* pData, ExifIfd ifd, ExifTag tag, ExifFormat format,
                        unsigned long nComponents)
{
    ExifEntry* pEntry = exif_entry_new();
    pEntry->tag = tag;
    pEntry->format = format;
    pEntry->components = nComponents;
    pEntry->size = exif_format_get_size(format) * nComponents;
    pEntry->data = static_cast<unsigned char*>(calloc(1, pEntry->size));
    exif_content_add_entry(pData->ifd[ifd], pEntry);
    exif_entry_unref(pEntry);
    return pEntry->data;
}

void AddAscii(ExifData* pData, ExifIfd ifd, ExifTag tag, const char* szText)
{
    std::memcpy(AddEntry(pData, ifd, tag, EXIF_FORMAT_ASCII, std::strlen(szText) + 1), szText,
                std::strlen(szText));
}

void AddShort(ExifData* pData, ExifIfd ifd, ExifTag tag, int nValue)
{
    exif_set_short(AddEntry(pData, ifd, tag, EXIF_FORMAT_SHORT, 1), EXIF_BYTE_ORDER_INTEL,
                   ExifShort(nValue));
}

void AddRationals(ExifData* pData, ExifIfd ifd, ExifTag tag, std::initializer_list<int> arValues)
{
    unsigned char* pBytes = AddEntry(pData, ifd, tag, EXIF_FORMAT_RATIONAL, arValues.size() / 2);
    const int* p = arValues.begin();
    for (size_t i = 0; i < arValues.size() / 2; ++i, p += 2)
        exif_set_rational(pBytes + 8 * i, EXIF_BYTE_ORDER_INTEL,
                          ExifRational{ExifLong(p[0]), ExifLong(p[1])});
}

// A 64 x 48 JPEG whose EXIF block holds a camera's usual tags and a GPS
// position south and west of the equator and the prime meridian.
QByteArray CameraJpeg()
{
    ExifData* pData = exif_data_new();
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    AddAscii(pData, EXIF_IFD_0, EXIF_TAG_MAKE, "Tarnwick Optics");
    AddAscii(pData, EXIF_IFD_0, EXIF_TAG_MODEL, "TW-100");
    AddShort(pData, EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6);
    AddAscii(pData, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, "2006:12:07 14:03:22");
    AddAscii(pData, EXIF_IFD_EXIF, EXIF_TAG_LENS_MODEL, "TW 24-70mm F2.8");
    AddRationals(pData, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, {1, 250});
    AddRationals(pData, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, {28, 10});
    AddRationals(pData, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, {50, 1});
    AddShort(pData, EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, 400);
    AddShort(pData, EXIF_IFD_EXIF, EXIF_TAG_FLASH, 0x19);
    AddShort(pData, EXIF_IFD_EXIF, EXIF_TAG_COLOR_SPACE, 1);
    AddAscii(pData, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE_REF), "S");
    AddRationals(pData, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE), {33, 1, 51, 1, 2424, 100});
    AddAscii(pData, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LONGITUDE_REF), "W");
    AddRationals(pData, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LONGITUDE), {70, 1, 30, 1, 0, 1});

    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);
    const QByteArray jpeg = EncodePicture("JPG", QSize(64, 48));
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nExif + 2) >> 8)).append(char((nExif + 2) & 0xFF));
    app1.append(reinterpret_cast<const char*>(pExif), int(nExif));
    free(pExif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

SRational R(quint32 nNumerator, quint32 nDenominator)
{
    return SRational{nNumerator, nDenominator};
}

} // namespace

void TestPictureInfo::valueTexts_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strExpected");
    QTest::newRow("exposure 1/250") << ExposureText(R(1, 250)) << "1/250 s";
    QTest::newRow("exposure 10/2500") << ExposureText(R(10, 2500)) << "1/250 s";
    QTest::newRow("exposure 3/10") << ExposureText(R(3, 10)) << "0.3 s";
    QTest::newRow("exposure 2") << ExposureText(R(2, 1)) << "2 s";
    QTest::newRow("exposure 15/10") << ExposureText(R(15, 10)) << "1.5 s";
    QTest::newRow("exposure /0") << ExposureText(R(1, 0)) << "";
    QTest::newRow("aperture 2.8") << ApertureText(R(28, 10)) << "f/2.8";
    QTest::newRow("aperture 8") << ApertureText(R(80, 10)) << "f/8";
    QTest::newRow("aperture /0") << ApertureText(R(28, 0)) << "";
    QTest::newRow("focal 50") << FocalLengthText(R(50, 1)) << "50 mm";
    QTest::newRow("focal 4.5") << FocalLengthText(R(45, 10)) << "4.5 mm";
    QTest::newRow("flash none") << FlashText(0) << "Did not fire";
    QTest::newRow("flash fired") << FlashText(1) << "Fired";
    QTest::newRow("flash auto fired") << FlashText(0x19) << "Fired, auto mode";
    QTest::newRow("flash off") << FlashText(0x10) << "Did not fire, switched off";
    QTest::newRow("orientation 1") << OrientationText(1) << "Normal";
    QTest::newRow("orientation 6") << OrientationText(6) << "Rotated 90\u00b0 clockwise";
    QTest::newRow("orientation 8") << OrientationText(8) << "Rotated 270\u00b0 clockwise";
    QTest::newRow("orientation 9") << OrientationText(9) << "";
    QTest::newRow("pixels") << PixelSizeText(QSize(4000, 3000)) << "4000 x 3000";
    QTest::newRow("pixels none") << PixelSizeText(QSize()) << "";
    QTest::newRow("bytes") << FileSizeText(1023) << "1023 bytes";
    QTest::newRow("kilobytes") << FileSizeText(12800) << "12.5 KB";
    QTest::newRow("megabytes") << FileSizeText(4089446) << "3.9 MB";
    QTest::newRow("just under a megabyte") << FileSizeText(1048575) << "1.0 MB";
    QTest::newRow("gigabytes") << FileSizeText(1288490189) << "1.2 GB";
    QTest::newRow("no file") << FileSizeText(-1) << "";
    QTest::newRow("date") << DateTimeText(QDateTime(QDate(2006, 12, 7), QTime(14, 3, 22)))
                          << "12/07/2006 14:03:22";
}

void TestPictureInfo::valueTexts()
{
    QFETCH(QString, strText);
    QFETCH(QString, strExpected);
    QCOMPARE(strText, strExpected);
}

void TestPictureInfo::degrees_data()
{
    QTest::addColumn<QList<int>>("arDms"); // numerator, denominator three times
    QTest::addColumn<char>("cRef");
    QTest::addColumn<double>("dExpected"); // NaN: none
    QTest::newRow("north") << QList<int>{48, 1, 51, 1, 3013, 100} << 'N' << 48.8583694;
    QTest::newRow("east") << QList<int>{2, 1, 17, 1, 4061, 100} << 'E' << 2.2946139;
    QTest::newRow("south") << QList<int>{33, 1, 51, 1, 2424, 100} << 'S' << -33.8567333;
    QTest::newRow("west, minutes as a fraction")
        << QList<int>{70, 1, 3075, 100, 0, 1} << 'W' << -70.5125;
    QTest::newRow("zero denominator") << QList<int>{48, 1, 51, 0, 0, 1} << 'N' << qQNaN();
    QTest::newRow("unknown reference") << QList<int>{48, 1, 51, 1, 0, 1} << 'X' << qQNaN();
}

void TestPictureInfo::degrees()
{
    QFETCH(QList<int>, arDms);
    QFETCH(char, cRef);
    QFETCH(double, dExpected);
    const SRational arValues[3] = {R(arDms[0], arDms[1]), R(arDms[2], arDms[3]),
                                   R(arDms[4], arDms[5])};
    const std::optional<double> dDegrees = DegreesFromExif(arValues, cRef);
    QCOMPARE(dDegrees.has_value(), !qIsNaN(dExpected));
    if (dDegrees)
        QVERIFY2(qAbs(*dDegrees - dExpected) < 1e-7, qPrintable(QString::number(*dDegrees)));
}

void TestPictureInfo::positionAndMap()
{
    QCOMPARE(PositionText(-33.8567333, 2.2946139),
             QStringLiteral("33.856733\u00b0 S, 2.294614\u00b0 E"));
    QCOMPARE(PositionMapUrl(-33.8567333, 2.2946139).toString(),
             QStringLiteral("https://www.openstreetmap.org/"
                            "?mlat=-33.856733&mlon=2.294614#map=16/-33.856733/2.294614"));
}

void TestPictureInfo::readsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("arExpected");
    // Format, colour, make, model, lens, exposure, aperture, ISO, focal
    // length, flash, orientation, capture date, position.
    QTest::newRow("camera JPEG") << CameraJpeg()
                                 << QStringList{"JPEG",
                                                "RGB, 24 bits a pixel (sRGB)",
                                                "Tarnwick Optics",
                                                "TW-100",
                                                "TW 24-70mm F2.8",
                                                "1/250 s",
                                                "f/2.8",
                                                "400",
                                                "50 mm",
                                                "Fired, auto mode",
                                                "Rotated 90\u00b0 clockwise",
                                                "12/07/2006 14:03:22",
                                                "33.856733\u00b0 S, 70.500000\u00b0 W"};
    const QStringList arNoCamera = {"", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("JPEG without EXIF")
        << EncodePicture("JPG") << QStringList{"JPEG", "RGB, 24 bits a pixel"} + arNoCamera;
    QTest::newRow("BMP") << EncodePicture("BMP")
                         << QStringList{"BMP", "RGB, 24 bits a pixel"} + arNoCamera;
    // Cut off inside the first entry of the EXIF block: marker, length,
    // "Exif", the TIFF header, the entry count and 8 of the entry's 12 bytes.
    QTest::newRow("damaged") << CameraJpeg().left(30) << QStringList{"JPEG", ""} + arNoCamera;
}

void TestPictureInfo::readsFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, arExpected);
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("picture.jpg"));
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const SPictureInfo info = ReadPictureInfo(strPath);
    QCOMPARE(info.nFileSize, qint64(bytes.size()));
    QVERIFY(info.dtModified.isValid());
    const QString strPosition =
        info.dLatitude ? PositionText(*info.dLatitude, *info.dLongitude) : QString();
    const QStringList arRead = {
        info.strFormat,      info.strColour,   info.strMake,        info.strModel,
        info.strLens,        info.strExposure, info.strAperture,    info.strIso,
        info.strFocalLength, info.strFlash,    info.strOrientation, DateTimeText(info.dtCaptured),
        strPosition};
    QCOMPARE(arRead, arExpected);
    QCOMPARE(info.HasCameraData(), !arExpected.at(2).isEmpty());

    const SPictureInfo missing = ReadPictureInfo(dir.filePath(QStringLiteral("gone.jpg")));
    QCOMPARE(missing.nFileSize, qint64(-1));
    QVERIFY(missing.strFormat.isEmpty());
}

QTEST_GUILESS_MAIN(TestPictureInfo)
#include "TestPictureInfo.moc"
