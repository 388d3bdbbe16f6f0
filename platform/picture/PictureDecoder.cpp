#include "platform/picture/PictureDecoder.h"

#include "platform/picture/CMetafilePicture.h"
#include "platform/picture/CRasterPicture.h"
#include "platform/picture/FolderListing.h"
#include "platform/picture/HeifDecoder.h"
#include "platform/picture/Orientation.h"
#include "platform/picture/PictureFormats.h"
#include "platform/picture/PictureLog.h"
#include "platform/picture/PictureMeasure.h"
#include "platform/picture/RawPreview.h"
#include "platform/picture/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cerrno>

namespace {

// Files larger than this are not read whole to look for a metafile.
constexpr qint64 kMaxMetafileBytes = qint64(256) * 1024 * 1024;

// LibRaw reads a raw file from memory; no camera writes one this large.

// Enough of a file's start to tell a HEIF file by its "ftyp" box.
constexpr qint64 kHeifHeadBytes = 64;

// Below 50, Qt's JPEG reader uses the fast IDCT and plain upsampling.
constexpr int kFastJpegQuality = 49;

void SetAllocationLimitOnce()
{
    // Qt refuses any allocation above its limit; ours must not be cut short by it.
    static const bool bDone = [] {
        QImageReader::setAllocationLimit(int(kMaxDecodedPixels * 4 / (1024 * 1024)) + 1);
        return true;
    }();
    Q_UNUSED(bDone);
}

bool FitsEighth(const QSize& sz)
{
    return qint64((sz.width() + 7) / 8) * ((sz.height() + 7) / 8) <= kMaxDecodedPixels;
}

// ICO and CUR files hold several images; the largest shows best.
void JumpToLargestImage(QImageReader& reader)
{
    const int nCount = reader.imageCount();
    int nBest = 0;
    qint64 nBestArea = -1;
    for (int i = 0; i < nCount; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize sz = reader.size();
        const qint64 nArea = qint64(sz.width()) * sz.height();
        if (nArea > nBestArea) {
            nBest = i;
            nBestArea = nArea;
        }
    }
    reader.jumpToImage(nBest);
}

// nOrientation 1 to 8 turns the picture by that EXIF orientation instead of
// its own (a raw file's preview carries the raw file's); 0 keeps its own.
CPicturePtr DecodeRaster(QIODevice* pDevice, const QSize& szBox, EDecodeFit fit,
                         int nOrientation = 0)
{
    SetAllocationLimitOnce();
    QImageReader reader(pDevice);
    reader.setAutoTransform(nOrientation == 0);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return nullptr;
    if (format == "ico" || format == "cur")
        JumpToLargestImage(reader);

    // The header's size is that of the stored image; the picture is the upright one.
    const QSize szStored = reader.size();
    const bool bTurned =
        nOrientation == 0 ? bool(reader.transformation() & QImageIOHandler::TransformationRotate90)
                          : IsQuarterTurn(nOrientation);
    QSize szNatural = bTurned ? szStored.transposed() : szStored;
    if (szNatural.isValid() && !szNatural.isEmpty()) {
        const QSize szDecode = DecodedSize(szNatural, szBox, fit);
        const bool bOverBudget = qint64(szNatural.width()) * szNatural.height() > kMaxDecodedPixels;
        // Only libjpeg reduces while it decodes, and by an eighth at most.
        if (bOverBudget &&
            (!reader.supportsOption(QImageIOHandler::ScaledSize) || !FitsEighth(szNatural))) {
            qCDebug(lcPicture) << "refused: too large to decode" << szNatural;
            return nullptr;
        }
        // Other formats would be decoded whole and then scaled: slower than drawing them scaled.
        if (szDecode != szNatural && reader.supportsOption(QImageIOHandler::ScaledSize))
            reader.setScaledSize(bTurned ? szDecode.transposed() : szDecode);
        // Pictures decoded smaller trade the last bit of accuracy, which the
        // reduction hides, for libjpeg's fast paths.
        if (fit == EDecodeFit::Within || szDecode != szNatural)
            reader.setQuality(kFastJpegQuality);
    }

    QImage image = reader.read();
    if (image.isNull()) {
        qCDebug(lcPicture) << "no picture:" << reader.errorString();
        return nullptr;
    }
    if (nOrientation != 0)
        image = Oriented(image, nOrientation);
    if (!szNatural.isValid() || szNatural.isEmpty())
        szNatural = image.size();
    return std::make_shared<CRasterPicture>(image, HimetricFromPixels(szNatural));
}

CPicturePtr DecodeHeifPicture(const QByteArray& data, const QSize& szBox, EDecodeFit fit)
{
    // Only a thumbnail may stand in for the picture: a fitted display is
    // drawn from the picture itself.
    QSize szNatural;
    const QImage image = DecodeHeif(data, fit == EDecodeFit::Within ? szBox : QSize(), &szNatural);
    if (image.isNull())
        return nullptr;
    return std::make_shared<CRasterPicture>(image, HimetricFromPixels(szNatural));
}

CPicturePtr DecodeRawPicture(const QByteArray& data, const QSize& szBox, EDecodeFit fit)
{
    SRawPreview preview;
    if (!ReadRawPreview(data, preview))
        return nullptr;
    if (!preview.jpeg.isEmpty()) {
        QBuffer buffer(&preview.jpeg);
        if (!buffer.open(QIODevice::ReadOnly))
            return nullptr;
        return DecodeRaster(&buffer, szBox, fit, preview.nOrientation);
    }
    const QImage image = Oriented(preview.bitmap, preview.nOrientation);
    return std::make_shared<CRasterPicture>(image, HimetricFromPixels(image.size()));
}

// The whole file, for the libraries that read from memory; empty when it is
// larger than that or cannot be read.
QByteArray ReadWhole(QFile& file, qint64 nLimit)
{
    if (file.size() > nLimit)
        return QByteArray();
    return file.readAll();
}

bool IsRawByName(const QString& strPath)
{
    return DecoderForExtension(GetExtension(strPath)) == EPictureDecoder::CameraRaw;
}

} // namespace

QSize DecodedSize(const QSize& szNatural, const QSize& szBox, EDecodeFit fit)
{
    if (szNatural.isEmpty())
        return szNatural;
    const qint64 nW = szNatural.width();
    const qint64 nH = szNatural.height();
    QSize szDecode = szNatural;
    if (szBox.isValid() && !szBox.isEmpty() && (szBox.width() < nW || szBox.height() < nH)) {
        // Whole-number arithmetic, so that a box of the picture's own shape is met exactly.
        const qint64 nBoxW = szBox.width();
        const qint64 nBoxH = szBox.height();
        const bool bWidthRules = (nBoxW * nH >= nBoxH * nW) == (fit == EDecodeFit::Cover);
        if (bWidthRules && nBoxW < nW) {
            const qint64 nNewH =
                fit == EDecodeFit::Cover ? (nH * nBoxW + nW - 1) / nW : nH * nBoxW / nW;
            szDecode = QSize(int(nBoxW), int(qMax<qint64>(1, nNewH)));
        } else if (!bWidthRules && nBoxH < nH) {
            const qint64 nNewW =
                fit == EDecodeFit::Cover ? (nW * nBoxH + nH - 1) / nH : nW * nBoxH / nH;
            szDecode = QSize(int(qMax<qint64>(1, nNewW)), int(nBoxH));
        }
    }
    // A cover is met by the smallest exact libjpeg reduction that still covers
    // it: decoding at a half is faster than decoding at a third and scaling.
    if (fit == EDecodeFit::Cover && szDecode != szNatural) {
        const QSize szCover = szDecode;
        szDecode = szNatural;
        for (int nShift = 1; nShift <= 3; ++nShift) {
            const int nDivisor = 1 << nShift;
            const QSize szStep(int((nW + nDivisor - 1) / nDivisor),
                               int((nH + nDivisor - 1) / nDivisor));
            if (szStep.width() < szCover.width() || szStep.height() < szCover.height())
                break;
            szDecode = szStep;
        }
    }
    // Halving, as libjpeg reduces, so that its own output fits the limit too.
    while (qint64(szDecode.width()) * szDecode.height() > kMaxDecodedPixels)
        szDecode = QSize((szDecode.width() + 1) / 2, (szDecode.height() + 1) / 2);
    return szDecode;
}

CPicturePtr DecodePictureData(const QByteArray& data, const QSize& szBox, EDecodeFit fit)
{
    if (data.isEmpty())
        return nullptr;
    if (CMetafilePicture::IsMetafile(data))
        return CMetafilePicture::Load(data);
    if (IsHeif(data))
        return DecodeHeifPicture(data, szBox, fit);
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    return DecodeRaster(&buffer, szBox, fit);
}

QString PictureProblem(const QString& strPath)
{
    const QString strNoPicture = NotAPictureText();
    QFile file;
    errno = 0;
    if (!OpenRegularFile(file, strPath)) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QCoreApplication::translate("PictureDecoder", "No such file");
        if (errno == EACCES || errno == EPERM)
            return QCoreApplication::translate("PictureDecoder", "Permission denied");
        return strNoPicture;
    }
    // Raw files are told by name: most of them are TIFF files inside.
    if (IsRawByName(strPath))
        return CanReadRaw(ReadWhole(file, kMaxCameraFileBytes)) ? QString() : strNoPicture;
    if (IsHeif(file.peek(kHeifHeadBytes)))
        return CanReadHeif(ReadWhole(file, kMaxMetafileBytes)) ? QString() : strNoPicture;
    if (CMetafilePicture::IsMetafile(file.peek(4096)))
        return QString();
    QImageReader reader(&file);
    return reader.canRead() ? QString() : strNoPicture;
}

CPicturePtr DecodePicture(const QString& strPath, const QSize& szBox, EDecodeFit fit)
{
    QFile file;
    if (!OpenRegularFile(file, strPath)) {
        qCDebug(lcPicture) << "cannot open as a regular file:" << strPath;
        return nullptr;
    }
    if (IsRawByName(strPath))
        return DecodeRawPicture(ReadWhole(file, kMaxCameraFileBytes), szBox, fit);
    if (file.size() > kMaxMetafileBytes)
        return DecodeRaster(&file, szBox, fit);
    return DecodePictureData(file.readAll(), szBox, fit);
}
