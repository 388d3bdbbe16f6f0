#include "platform/picture/PictureInfo.h"

#include "platform/picture/FolderListing.h"
#include "platform/picture/HeifDecoder.h"
#include "platform/picture/PictureFormats.h"
#include "platform/picture/RawPreview.h"
#include "platform/picture/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

#include <libexif/exif-data.h>

#include <cmath>
#include <memory>

namespace {

// The context these texts are translated in.
struct PictureInfo
{
    Q_DECLARE_TR_FUNCTIONS(PictureInfo)
};

using ExifDataPtr = std::unique_ptr<ExifData, decltype(&exif_data_unref)>;

// One decimal, without a trailing ".0".
QString ShortNumber(double dValue)
{
    QString strText = QString::number(dValue, 'f', 1);
    if (strText.endsWith(QLatin1String(".0")))
        strText.chop(2);
    return strText;
}

// An entry of the IFD, or null when it is missing or not of the format and
// count the tag is read with: a damaged block must not be read past its end.
const ExifEntry* Entry(ExifData* pData, ExifIfd ifd, ExifTag tag, ExifFormat format,
                       unsigned long nComponents)
{
    const ExifEntry* pEntry = exif_content_get_entry(pData->ifd[ifd], tag);
    if (!pEntry || !pEntry->data || pEntry->format != format || pEntry->components < nComponents ||
        pEntry->size < exif_format_get_size(format) * nComponents)
        return nullptr;
    return pEntry;
}

QString AsciiValue(ExifData* pData, ExifIfd ifd, ExifTag tag)
{
    const ExifEntry* pEntry = Entry(pData, ifd, tag, EXIF_FORMAT_ASCII, 1);
    if (!pEntry)
        return QString();
    const auto* szText = reinterpret_cast<const char*>(pEntry->data);
    return QString::fromUtf8(szText, qstrnlen(szText, pEntry->size)).trimmed();
}

std::optional<int> ShortValue(ExifData* pData, ExifIfd ifd, ExifTag tag)
{
    const ExifEntry* pEntry = Entry(pData, ifd, tag, EXIF_FORMAT_SHORT, 1);
    if (!pEntry)
        return std::nullopt;
    return int(exif_get_short(pEntry->data, exif_data_get_byte_order(pData)));
}

bool RationalValues(ExifData* pData, ExifIfd ifd, ExifTag tag, SRational* arValues,
                    unsigned long nCount)
{
    const ExifEntry* pEntry = Entry(pData, ifd, tag, EXIF_FORMAT_RATIONAL, nCount);
    if (!pEntry)
        return false;
    const ExifByteOrder order = exif_data_get_byte_order(pData);
    for (unsigned long i = 0; i < nCount; ++i) {
        const ExifRational value = exif_get_rational(pEntry->data + 8 * i, order);
        arValues[i] = SRational{value.numerator, value.denominator};
    }
    return true;
}

QString RationalText(ExifData* pData, ExifIfd ifd, ExifTag tag, QString (*format)(SRational))
{
    SRational value;
    return RationalValues(pData, ifd, tag, &value, 1) ? format(value) : QString();
}

std::optional<double> Coordinate(ExifData* pData, ExifTag tag, ExifTag refTag)
{
    SRational arDms[3];
    const QString strRef = AsciiValue(pData, EXIF_IFD_GPS, refTag);
    if (strRef.isEmpty() || !RationalValues(pData, EXIF_IFD_GPS, tag, arDms, 3))
        return std::nullopt;
    return DegreesFromExif(arDms, strRef.at(0).toLatin1());
}

// "2006:12:07 14:03:22" as the wall clock it is.
QDateTime ExifDateTime(const QString& strText)
{
    const QDateTime dateTime =
        QDateTime::fromString(strText.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    return dateTime.isValid() ? QDateTime(dateTime.date(), dateTime.time(), Qt::UTC) : QDateTime();
}

void ReadCameraData(ExifData* pData, SPictureInfo& info)
{
    info.strMake = AsciiValue(pData, EXIF_IFD_0, EXIF_TAG_MAKE);
    info.strModel = AsciiValue(pData, EXIF_IFD_0, EXIF_TAG_MODEL);
    info.strLens = AsciiValue(pData, EXIF_IFD_EXIF, EXIF_TAG_LENS_MODEL);
    info.strExposure = RationalText(pData, EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, ExposureText);
    info.strAperture = RationalText(pData, EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, ApertureText);
    info.strFocalLength =
        RationalText(pData, EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, FocalLengthText);
    if (const auto nIso = ShortValue(pData, EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS))
        info.strIso = QString::number(*nIso);
    if (const auto nFlash = ShortValue(pData, EXIF_IFD_EXIF, EXIF_TAG_FLASH))
        info.strFlash = FlashText(*nFlash);
    if (const auto nOrientation = ShortValue(pData, EXIF_IFD_0, EXIF_TAG_ORIENTATION))
        info.strOrientation = OrientationText(*nOrientation);
    info.dtCaptured = ExifDateTime(AsciiValue(pData, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL));
    // libexif names the GPS tags as plain numbers.
    info.dLatitude =
        Coordinate(pData, ExifTag(EXIF_TAG_GPS_LATITUDE), ExifTag(EXIF_TAG_GPS_LATITUDE_REF));
    info.dLongitude =
        Coordinate(pData, ExifTag(EXIF_TAG_GPS_LONGITUDE), ExifTag(EXIF_TAG_GPS_LONGITUDE_REF));
    if (!info.dLatitude || !info.dLongitude) {
        info.dLatitude.reset();
        info.dLongitude.reset();
    }
}

QString ColourText(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return PictureInfo::tr("Black and white, 1 bit a pixel");
    case QImage::Format_Indexed8:
        return PictureInfo::tr("Palette, 8 bits a pixel");
    case QImage::Format_Grayscale8:
        return PictureInfo::tr("Greyscale, 8 bits a pixel");
    case QImage::Format_Grayscale16:
        return PictureInfo::tr("Greyscale, 16 bits a pixel");
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
        return PictureInfo::tr("RGB, 24 bits a pixel");
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBA8888:
        return PictureInfo::tr("RGB with transparency, 32 bits a pixel");
    case QImage::Format_RGBX64:
        return PictureInfo::tr("RGB, 48 bits a pixel");
    case QImage::Format_RGBA64:
        return PictureInfo::tr("RGB with transparency, 64 bits a pixel");
    default:
        return QString();
    }
}

} // namespace

bool SPictureInfo::HasCameraData() const
{
    return !strMake.isEmpty() || !strModel.isEmpty() || !strLens.isEmpty() ||
           !strExposure.isEmpty() || !strAperture.isEmpty() || !strIso.isEmpty() ||
           !strFocalLength.isEmpty() || !strFlash.isEmpty() || !strOrientation.isEmpty() ||
           dtCaptured.isValid() || dLatitude.has_value();
}

namespace {

// A raw file's own tags, through LibRaw, in the words of EXIF values.
void ReadRawCameraData(const QByteArray& data, SPictureInfo& info)
{
    const SRawFacts facts = ReadRawFacts(data);
    // Rationals of a millionth are finer than any camera's values.
    const auto rational = [](double d) {
        return SRational{quint32(std::lround(d * 1e6)), 1000000};
    };
    info.strMake = facts.strMake;
    info.strModel = facts.strModel;
    info.strLens = facts.strLens;
    info.dtCaptured = facts.dtCaptured;
    if (facts.dExposure > 0)
        info.strExposure = ExposureText(rational(facts.dExposure));
    if (facts.dAperture > 0)
        info.strAperture = ApertureText(rational(facts.dAperture));
    if (facts.dIso > 0)
        info.strIso = QString::number(std::lround(facts.dIso));
    if (facts.dFocalLength > 0)
        info.strFocalLength = FocalLengthText(rational(facts.dFocalLength));
}

} // namespace

SPictureInfo ReadPictureInfo(const QString& strPath)
{
    SPictureInfo info;
    info.strPath = strPath;
    const QFileInfo fileInfo(strPath);
    // Only regular files: a pipe or device would block the readers below.
    if (!fileInfo.isFile())
        return info;
    info.nFileSize = fileInfo.size();
    info.dtModified = fileInfo.lastModified();

    QImageReader reader(strPath);
    info.strFormat = QString::fromLatin1(reader.format()).toUpper();
    if (info.strFormat.isEmpty())
        info.strFormat = GetExtension(strPath).toUpper();
    // A reader that could not take the header still names a default format.
    if (reader.size().isValid())
        info.strColour = ColourText(reader.imageFormat());

    const EPictureDecoder eDecoder = DecoderForExtension(GetExtension(strPath));
    if (eDecoder == EPictureDecoder::CameraRaw) {
        ReadRawCameraData(ReadRegularFile(strPath, kMaxCameraFileBytes), info);
        return info;
    }
    ExifDataPtr pData(nullptr, &exif_data_unref);
    if (eDecoder == EPictureDecoder::Heif) {
        const QByteArray exif = HeifExif(ReadRegularFile(strPath, kMaxCameraFileBytes));
        if (!exif.isEmpty())
            pData.reset(exif_data_new_from_data(
                reinterpret_cast<const unsigned char*>(exif.constData()), unsigned(exif.size())));
    } else {
        pData.reset(exif_data_new_from_file(QFile::encodeName(strPath).constData()));
    }
    if (!pData)
        return info;
    ReadCameraData(pData.get(), info);
    if (const auto nSpace = ShortValue(pData.get(), EXIF_IFD_EXIF, EXIF_TAG_COLOR_SPACE)) {
        if (*nSpace == 1 && !info.strColour.isEmpty())
            info.strColour += QStringLiteral(" (sRGB)");
    }
    return info;
}

QString ExposureText(SRational exposure)
{
    if (exposure.nDenominator == 0)
        return QString();
    const double dSeconds = double(exposure.nNumerator) / exposure.nDenominator;
    if (dSeconds > 0 && dSeconds < 1) {
        const double dFraction = 1 / dSeconds;
        if (std::abs(dFraction - std::round(dFraction)) < 0.05)
            return QStringLiteral("1/%1 s").arg(std::lround(dFraction));
    }
    return ShortNumber(dSeconds) + QStringLiteral(" s");
}

QString ApertureText(SRational fNumber)
{
    if (fNumber.nDenominator == 0)
        return QString();
    return QStringLiteral("f/") + ShortNumber(double(fNumber.nNumerator) / fNumber.nDenominator);
}

QString FocalLengthText(SRational focalLength)
{
    if (focalLength.nDenominator == 0)
        return QString();
    return ShortNumber(double(focalLength.nNumerator) / focalLength.nDenominator) +
           QStringLiteral(" mm");
}

QString FlashText(int nFlash)
{
    QString strText = (nFlash & 1) ? PictureInfo::tr("Fired") : PictureInfo::tr("Did not fire");
    switch ((nFlash >> 3) & 3) {
    case 1:
        strText += PictureInfo::tr(", compulsory");
        break;
    case 2:
        strText += PictureInfo::tr(", switched off");
        break;
    case 3:
        strText += PictureInfo::tr(", auto mode");
        break;
    default:
        break;
    }
    return strText;
}

QString OrientationText(int nOrientation)
{
    static const char* const arTexts[] = {
        QT_TRANSLATE_NOOP("PictureInfo", "Normal"),
        QT_TRANSLATE_NOOP("PictureInfo", "Mirrored horizontally"),
        QT_TRANSLATE_NOOP("PictureInfo", "Rotated 180\u00b0"),
        QT_TRANSLATE_NOOP("PictureInfo", "Mirrored vertically"),
        QT_TRANSLATE_NOOP("PictureInfo", "Mirrored horizontally, rotated 270\u00b0 clockwise"),
        QT_TRANSLATE_NOOP("PictureInfo", "Rotated 90\u00b0 clockwise"),
        QT_TRANSLATE_NOOP("PictureInfo", "Mirrored horizontally, rotated 90\u00b0 clockwise"),
        QT_TRANSLATE_NOOP("PictureInfo", "Rotated 270\u00b0 clockwise"),
    };
    if (nOrientation < 1 || nOrientation > 8)
        return QString();
    return PictureInfo::tr(arTexts[nOrientation - 1]);
}

std::optional<double> DegreesFromExif(const SRational arDms[3], char cRef)
{
    double dDegrees = 0;
    double dUnit = 1;
    for (int i = 0; i < 3; ++i) {
        if (arDms[i].nDenominator == 0)
            return std::nullopt;
        dDegrees += double(arDms[i].nNumerator) / arDms[i].nDenominator / dUnit;
        dUnit *= 60;
    }
    switch (cRef) {
    case 'N':
    case 'E':
        return dDegrees;
    case 'S':
    case 'W':
        return -dDegrees;
    default:
        return std::nullopt;
    }
}

QString PositionText(double dLatitude, double dLongitude)
{
    return QStringLiteral("%1\u00b0 %2, %3\u00b0 %4")
        .arg(QString::number(std::abs(dLatitude), 'f', 6),
             dLatitude < 0 ? QStringLiteral("S") : QStringLiteral("N"),
             QString::number(std::abs(dLongitude), 'f', 6),
             dLongitude < 0 ? QStringLiteral("W") : QStringLiteral("E"));
}

QUrl PositionMapUrl(double dLatitude, double dLongitude)
{
    const QString strLat = QString::number(dLatitude, 'f', 6);
    const QString strLon = QString::number(dLongitude, 'f', 6);
    return QUrl(QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=16/%1/%2")
                    .arg(strLat, strLon));
}

QString PixelSizeText(const QSize& szPixels)
{
    if (szPixels.isEmpty())
        return QString();
    return QStringLiteral("%1 x %2").arg(szPixels.width()).arg(szPixels.height());
}

QString FileSizeText(qint64 nBytes)
{
    if (nBytes < 0)
        return QString();
    if (nBytes < 1024)
        return PictureInfo::tr("%1 bytes").arg(nBytes);
    static const char* const arUnits[] = {"KB", "MB", "GB", "TB"};
    double dValue = double(nBytes) / 1024;
    int nUnit = 0;
    // Rounded before the unit is chosen, so 1023.96 KB reads "1.0 MB", not "1024.0 KB".
    while (nUnit < 3 && std::round(dValue * 10) >= 1024 * 10) {
        dValue /= 1024;
        ++nUnit;
    }
    return QStringLiteral("%1 %2").arg(QString::number(dValue, 'f', 1),
                                       QLatin1String(arUnits[nUnit]));
}

QString DateTimeText(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return QString();
    return dateTime.toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
}
