#include "platform/picture/PictureInfo.h"

#include "common/TestCameraFiles.h"
#include "common/TestExifJpeg.h"
#include "common/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPictureInfo : public QObject
{
    Q_OBJECT
private slots:
    void valueTexts_data();
    void valueTexts();
    void readsFile_data();
    void readsFile();
};

namespace {

SRational R(quint32 nNumerator, quint32 nDenominator)
{
    return SRational{nNumerator, nDenominator};
}

// Degrees from EXIF's degrees, minutes and seconds, to seven decimals.
QString Degrees(SRational d, SRational m, SRational s, char cRef)
{
    const SRational arDms[3] = {d, m, s};
    const std::optional<double> dDegrees = DegreesFromExif(arDms, cRef);
    return dDegrees ? QString::number(*dDegrees, 'f', 7) : QStringLiteral("none");
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
    QTest::newRow("exposure /0") << ExposureText(R(1, 0)) << "";
    QTest::newRow("aperture 2.8") << ApertureText(R(28, 10)) << "f/2.8";
    QTest::newRow("aperture 8") << ApertureText(R(80, 10)) << "f/8";
    QTest::newRow("focal 50") << FocalLengthText(R(50, 1)) << "50 mm";
    QTest::newRow("flash none") << FlashText(0) << "Did not fire";
    QTest::newRow("flash auto fired") << FlashText(0x19) << "Fired, auto mode";
    QTest::newRow("flash off") << FlashText(0x10) << "Did not fire, switched off";
    QTest::newRow("orientation 1") << OrientationText(1) << "Normal";
    QTest::newRow("orientation 6") << OrientationText(6) << "Rotated 90\u00b0 clockwise";
    QTest::newRow("orientation 9") << OrientationText(9) << "";
    QTest::newRow("pixels") << PixelSizeText(QSize(4000, 3000)) << "4000 x 3000";
    QTest::newRow("bytes") << FileSizeText(1023) << "1023 bytes";
    QTest::newRow("kilobytes") << FileSizeText(12800) << "12.5 KB";
    QTest::newRow("megabytes") << FileSizeText(4089446) << "3.9 MB";
    QTest::newRow("just under a megabyte") << FileSizeText(1048575) << "1.0 MB";
    QTest::newRow("gigabytes") << FileSizeText(1288490189) << "1.2 GB";
    QTest::newRow("no file") << FileSizeText(-1) << "";
    QTest::newRow("north") << Degrees(R(48, 1), R(51, 1), R(3013, 100), 'N') << "48.8583694";
    QTest::newRow("east") << Degrees(R(2, 1), R(17, 1), R(4061, 100), 'E') << "2.2946139";
    QTest::newRow("south") << Degrees(R(33, 1), R(51, 1), R(2424, 100), 'S') << "-33.8567333";
    QTest::newRow("west, minutes with a fraction")
        << Degrees(R(70, 1), R(3075, 100), R(0, 1), 'W') << "-70.5125000";
    QTest::newRow("zero denominator") << Degrees(R(48, 1), R(51, 0), R(0, 1), 'N') << "none";
    QTest::newRow("unknown reference") << Degrees(R(48, 1), R(51, 1), R(0, 1), 'X') << "none";
    QTest::newRow("position") << PositionText(-33.8567333, 2.2946139)
                              << "33.856733\u00b0 S, 2.294614\u00b0 E";
    QTest::newRow("map") << PositionMapUrl(-33.8567333, 2.2946139).toString()
                         << "https://www.openstreetmap.org/"
                            "?mlat=-33.856733&mlon=2.294614#map=16/-33.856733/2.294614";
    QTest::newRow("date") << DateTimeText(QDateTime(QDate(2006, 12, 7), QTime(14, 3, 22)))
                          << "12/07/2006 14:03:22";
}

void TestPictureInfo::valueTexts()
{
    QFETCH(QString, strText);
    QFETCH(QString, strExpected);
    QCOMPARE(strText, strExpected);
}

void TestPictureInfo::readsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("strName");
    QTest::addColumn<QString>("strExpected");
    // Format, colour, make, model, lens, exposure, aperture, ISO, focal
    // length, flash, orientation, capture date, position.
    QTest::newRow("camera JPEG")
        << MakeExifCameraJpeg() << "picture.jpg"
        << "JPEG|RGB, 24 bits a pixel (sRGB)|Tarnwick Optics|TW-100|TW 24-70mm F2.8|1/250 s|"
           "f/2.8|400|50 mm|Fired, auto mode|Rotated 90\u00b0 clockwise|12/07/2006 14:03:22|"
           "33.856733\u00b0 S, 70.500000\u00b0 W";
    QTest::newRow("JPEG without EXIF") << EncodePicture("JPG") << "picture.jpg"
                                       << "JPEG|RGB, 24 bits a pixel|||||||||||";
    QTest::newRow("BMP") << EncodePicture("BMP") << "picture.bmp"
                         << "BMP|RGB, 24 bits a pixel|||||||||||";
    // Cut off inside the first entry of the EXIF block: marker, length,
    // "Exif", the TIFF header, the entry count and 8 of the entry's 12 bytes.
    QTest::newRow("damaged") << MakeExifCameraJpeg().left(30) << "picture.jpg"
                             << "JPEG||||||||||||";
    // The camera's data of a phone's HEIC and of a raw file, as of a JPEG.
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QTest::newRow("HEIC") << MakeHeic(image, 1, QStringLiteral("2006:12:07 14:03:22"))
                          << "phone.heic"
                          << "HEIC|||||||||||12/07/2006 14:03:22|";
    QTest::newRow("raw")
        << MakeDng(EncodeImage(image, "JPG"), image.size(), QSize(32, 32), 1,
                   QStringLiteral("2006:12:07 14:03:22"))
        << "camera.dng"
        << "TIFF|RGB, 24 bits a pixel|Testmaker|Bench One||||||||12/07/2006 14:03:22|";
}

void TestPictureInfo::readsFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, strName);
    QFETCH(QString, strExpected);
    QTemporaryDir dir;
    const QString strPath = dir.filePath(strName);
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
    QCOMPARE(arRead.join(QLatin1Char('|')), strExpected);
    // Camera data: anything after the format and the colours.
    QCOMPARE(info.HasCameraData(), !arRead.mid(2).join(QString()).isEmpty());

    const SPictureInfo missing = ReadPictureInfo(dir.filePath(QStringLiteral("gone.jpg")));
    QCOMPARE(missing.nFileSize, qint64(-1));
    QVERIFY(missing.strFormat.isEmpty());
}

QTEST_GUILESS_MAIN(TestPictureInfo)
#include "TestPictureInfo.moc"
