// Decoding speed of the formats All Picture Formats adds, each beside a JPEG
// of the same 12-megapixel picture: a camera raw file shown by its embedded
// full-size preview, and a HEIC from libheif's own encoder. Prints one
// "name value unit" line per figure.
//
// raw_preview_ms is what the raw file costs on top of its preview: reading
// the file and taking the embedded JPEG out through LibRaw. raw_show_ms is
// that and the preview's decode, as a picture window shows the file.
#include "BenchCommon.h"

#include "common/TestCameraFiles.h"
#include "common/TestPictures.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/RawPreview.h"
#include "platform/picture/RegularFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 5;

double MedianMs(const std::function<bool()>& run)
{
    std::vector<double> arMs;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run())
            return -1;
        arMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(arMs.begin(), arMs.end());
    return arMs[arMs.size() / 2];
}

double DecodeMs(const QString& strPath, const QSize& szBox = QSize())
{
    return MedianMs([&] { return DecodePicture(strPath, szBox) != nullptr; });
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    const QImage image = CameraLikeImage(7);
    const QByteArray jpeg = EncodeImage(image, "JPG", 90);
    const QString strJpeg = dir.filePath(QStringLiteral("IMG_0001.jpg"));
    // A 12-megapixel sensor, 16 bits a pixel, behind the camera's full-size preview.
    const QString strRaw = dir.filePath(QStringLiteral("IMG_0001.dng"));
    const QString strHeic = dir.filePath(QStringLiteral("IMG_0001.heic"));
    const QByteArray raw = MakeDng(jpeg, image.size(), image.size());
    const QByteArray heic = MakeHeic(image);
    if (raw.isEmpty() || heic.isEmpty())
        return 1;
    WriteBenchFile(strJpeg, jpeg);
    WriteBenchFile(strRaw, raw);
    WriteBenchFile(strHeic, heic);
    PrintFigure("bench_raw_mb", QFile(strRaw).size() / (1024.0 * 1024.0), "MB");
    PrintFigure("bench_heic_mb", QFile(strHeic).size() / (1024.0 * 1024.0), "MB");

    const double dJpeg = DecodeMs(strJpeg);
    const double dRawPreview = MedianMs([&] {
        QFile file;
        SRawPreview preview;
        return OpenRegularFile(file, strRaw) && ReadRawPreview(file.readAll(), preview) &&
               !preview.jpeg.isEmpty();
    });
    const double dRaw = DecodeMs(strRaw);
    const double dHeic = DecodeMs(strHeic);
    const QSize szWindow(1280, 960);
    const double dJpegFitted = DecodeMs(strJpeg, szWindow);
    const double dRawFitted = DecodeMs(strRaw, szWindow);

    PrintFigure("jpeg_12mp_ms", dJpeg, "ms");
    PrintFigure("raw_preview_ms", dRawPreview, "ms");
    PrintFigure("raw_preview_ratio", dJpeg > 0 ? dRawPreview / dJpeg : -1, "x");
    PrintFigure("raw_show_ms", dRaw, "ms");
    PrintFigure("jpeg_12mp_fitted_ms", dJpegFitted, "ms");
    PrintFigure("raw_show_fitted_ms", dRawFitted, "ms");
    PrintFigure("heic_12mp_ms", dHeic, "ms");
    PrintFigure("heic_12mp_ratio", dJpeg > 0 ? dHeic / dJpeg : -1, "x");
    return 0;
}
