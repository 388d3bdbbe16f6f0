#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QUrl>

#include <optional>

// What is known of a picture file: the file itself, what its header says, and
// the camera's data from its EXIF block. A value that could not be read is
// left empty (a size of -1, an invalid date, an empty text).
struct SPictureInfo
{
    QString strPath;
    qint64 nFileSize = -1;
    QDateTime dtModified;

    QString strFormat; // "JPEG", "BMP"...
    QString strColour; // "RGB, 24 bits a pixel (sRGB)"

    QString strMake;
    QString strModel;
    QString strLens;
    QString strExposure;
    QString strAperture;
    QString strIso;
    QString strFocalLength;
    QString strFlash;
    QString strOrientation;
    // The camera's wall clock (Qt::UTC, no zone), as the database keeps it.
    QDateTime dtCaptured;
    std::optional<double> dLatitude;
    std::optional<double> dLongitude;

    bool HasCameraData() const;
};

// Reads the file's size and date, its header and its EXIF block (through
// libexif). A file that is missing, damaged or without EXIF gives what could
// be read. Reads headers only; never decodes the picture.
SPictureInfo ReadPictureInfo(const QString& strPath);

// An EXIF rational as stored: unsigned numerator and denominator.
struct SRational
{
    quint32 nNumerator = 0;
    quint32 nDenominator = 0;
};

// "1/250 s" below one second (when it is a whole fraction), "0.3 s", "2 s",
// "1.5 s"; empty for a zero denominator.
QString ExposureText(SRational exposure);
// "f/2.8", "f/8"; empty for a zero denominator.
QString ApertureText(SRational fNumber);
// "50 mm", "4.5 mm"; empty for a zero denominator.
QString FocalLengthText(SRational focalLength);
// The EXIF Flash value: "Fired" or "Did not fire", with the mode when given
// ("Fired, auto mode").
QString FlashText(int nFlash);
// The EXIF orientation 1 to 8 as a person reads it; empty for any other value.
QString OrientationText(int nOrientation);
// Decimal degrees of a GPS latitude or longitude (degrees, minutes, seconds)
// with its reference: south and west are negative. Nothing for a zero
// denominator or a reference other than N, S, E or W.
std::optional<double> DegreesFromExif(const SRational arDms[3], char cRef);
// "48.858369° N, 2.294614° E": six decimals, the hemisphere by letter.
QString PositionText(double dLatitude, double dLongitude);
// The position on the map site, centred and zoomed to a street.
QUrl PositionMapUrl(double dLatitude, double dLongitude);

// "4000 x 3000"; empty for an empty size.
QString PixelSizeText(const QSize& szPixels);
// "512 bytes", "12.5 KB", "3.9 MB", "1.2 GB" (binary units, one decimal);
// empty for a negative size.
QString FileSizeText(qint64 nBytes);
// "12/07/2006 14:03:22", month first as the program writes dates; empty for
// an invalid date.
QString DateTimeText(const QDateTime& dateTime);
