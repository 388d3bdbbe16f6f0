// Decoding speed on camera-sized JPEGs: full, fitted and thumbnail decodes, and
// metafiles drawn at window size. Prints one "name value" line per figure.
// The slowest metafile is sought in the folder given as the first argument or
// in ORVALA_METAFILE_BENCH_DIR (a fuzzing corpus, say), else among generated ones;
// --metafiles-only skips the JPEG figures (for profiling the player).
#include "BenchCommon.h"

#include "common/TestMetafiles.h"
#include "common/TestPictures.h"
#include "platform/picture/CThumbnailSource.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/ThumbnailCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kPictures = 3;
constexpr int kRepeats = 3;

double MedianMs(const std::function<void()>& run, int nRepeats = kRepeats)
{
    std::vector<double> arMs;
    for (int i = 0; i < nRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        arMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(arMs.begin(), arMs.end());
    return arMs[arMs.size() / 2];
}

// The median over the pictures of each picture's median time.
double MedianOver(const QStringList& arPaths, const std::function<void(const QString&)>& run)
{
    std::vector<double> arMs;
    for (const QString& strPath : arPaths)
        arMs.push_back(MedianMs([&] { run(strPath); }));
    std::sort(arMs.begin(), arMs.end());
    return arMs[arMs.size() / 2];
}

QByteArray FiveThousandRecordEmf()
{
    using namespace TestMetafiles;
    CTestEmf emf(1280, 960);
    QRandomGenerator generator(5);
    // Header and end of file make two records; these make the other 4,998.
    for (int i = 0; i < 4998 / 3; ++i) {
        const int x = int(generator.bounded(1200));
        const int y = int(generator.bounded(900));
        emf.Add(U_EMRMOVETOEX_set(point32_set(x, y)));
        emf.Add(U_EMRLINETO_set(point32_set(x + 60, y + 40)));
        if (i % 2 == 0)
            emf.Add(U_EMRRECTANGLE_set(Rect(x, y, x + 50, y + 30)));
        else
            emf.Add(U_EMRELLIPSE_set(Rect(x, y, x + 50, y + 30)));
    }
    return emf.Finish();
}

void Print(const char* szName, double dValue, const char* szUnit = nullptr)
{
    if (szUnit)
        std::printf("%s %.2f %s\n", szName, dValue, szUnit);
    else
        std::printf("%s %.2f\n", szName, dValue);
    std::fflush(stdout);
}

// Milliseconds to draw a metafile as the browser does: a thumbnail, then the window.
double DrawBothSizesMs(const QByteArray& file)
{
    const CPicturePtr picture = DecodePictureData(file);
    if (!picture)
        return 0;
    QElapsedTimer timer;
    timer.start();
    for (const QSize& sz : {QSize(160, 120), QSize(1280, 960)}) {
        QImage target(sz, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::white);
        QPainter painter(&target);
        const QSize szHimetric = picture->GetHimetricSize();
        picture->Render(painter, target.rect(),
                        QRect(0, szHimetric.height(), szHimetric.width(), -szHimetric.height()),
                        target.rect());
    }
    return timer.nsecsElapsed() / 1e6;
}

// The metafiles to time: every file of the folder, or the generated ones.
QList<std::pair<QString, QByteArray>> MetafileSet(const QString& strDir)
{
    QList<std::pair<QString, QByteArray>> arFiles;
    if (strDir.isEmpty()) {
        arFiles.append({QStringLiteral("clip-path"), TestMetafiles::ClipPathEmf(2886)});
        arFiles.append({QStringLiteral("5000-records"), FiveThousandRecordEmf()});
        return arFiles;
    }
    const QDir dir(strDir);
    for (const QString& strName : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(strName));
        if (file.open(QIODevice::ReadOnly))
            arFiles.append({strName, file.readAll()});
    }
    return arFiles;
}

void BenchMetafiles(const QString& strDir)
{
    double dSlowest = 0;
    QString strSlowest;
    const auto arFiles = MetafileSet(strDir);
    for (const auto& [strName, bytes] : arFiles) {
        const double dMs = DrawBothSizesMs(bytes);
        if (dMs >= dSlowest) {
            dSlowest = dMs;
            strSlowest = strName;
        }
    }
    std::printf("# slowest metafile: %s\n", qPrintable(strSlowest));
    Print("metafile_count", double(arFiles.size()), "files");
    Print("metafile_slowest_ms", dSlowest, "ms");
    if (strDir.isEmpty())
        Print("metafile_clip_path_ms", DrawBothSizesMs(TestMetafiles::ClipPathEmf(2886)), "ms");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QStringList arArgs = app.arguments().mid(1);
    const bool bMetafilesOnly = arArgs.removeAll(QStringLiteral("--metafiles-only")) > 0;
    const QString strMetafileDir =
        arArgs.isEmpty() ? qEnvironmentVariable("ORVALA_METAFILE_BENCH_DIR") : arArgs.first();
    if (bMetafilesOnly) {
        BenchMetafiles(strMetafileDir);
        return 0;
    }
    QTemporaryDir dir;
    QTemporaryDir cacheHome;
    if (!dir.isValid() || !cacheHome.isValid())
        return 1;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));

    const QByteArray thumbnail = EncodeImage(CameraLikeImage(99).scaled(160, 120), "JPG", 90);
    QStringList arWithThumbnail, arWithout;
    qint64 nBytes = 0;
    for (int i = 0; i < kPictures; ++i) {
        const QImage image = CameraLikeImage(quint32(i + 1));
        for (bool bThumbnail : {true, false}) {
            const QByteArray jpeg =
                MakeCameraJpeg(image, 90, 1, bThumbnail ? thumbnail : QByteArray());
            const QString strPath =
                dir.filePath(QStringLiteral("IMG_%1%2.jpg").arg(i).arg(bThumbnail ? "t" : ""));
            QFile file(strPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
                return 1;
            nBytes += jpeg.size();
            (bThumbnail ? arWithThumbnail : arWithout).append(strPath);
        }
    }
    Print("bench_jpeg_mb", nBytes / (2.0 * kPictures) / (1024 * 1024));

    const QSize szCell(160, 160);
    const double dFull = MedianOver(arWithout, [](const QString& s) { DecodePicture(s); });
    const CThumbnailSource noCacheWrites(false);
    const double dExif =
        MedianOver(arWithThumbnail, [&](const QString& s) { noCacheWrites.Thumbnail(s, szCell); });
    const double dScaled =
        MedianOver(arWithout, [&](const QString& s) { noCacheWrites.Thumbnail(s, szCell); });
    // What writing a scaled thumbnail to the cache adds to its decode.
    const QImage scaled = noCacheWrites.Thumbnail(arWithout.first(), szCell);
    const double dWrite = MedianOver(arWithout, [&](const QString& s) {
        WriteCachedThumbnail(s, ThumbnailCacheSide(szCell), scaled);
    });
    Print("thumb_scaled_ms", dScaled);
    Print("cache_write_ms", dWrite);
    const CThumbnailSource cacheAlways;
    for (const QString& strPath : std::as_const(arWithout))
        cacheAlways.Thumbnail(strPath, szCell);
    const double dCache =
        MedianOver(arWithout, [&](const QString& s) { cacheAlways.Thumbnail(s, szCell); });
    const double dFitted =
        MedianOver(arWithout, [](const QString& s) { DecodePicture(s, QSize(1280, 960)); });

    Print("full_decode_ms", dFull);
    Print("thumb_exif_speedup", dFull / dExif);
    Print("thumb_scaled_speedup", dFull / dScaled);
    Print("thumb_cache_speedup", dFull / dCache);
    Print("fitted_decode_speedup", dFull / dFitted);

    const CPicturePtr pEmf = DecodePictureData(FiveThousandRecordEmf());
    QImage target(1280, 960, QImage::Format_ARGB32_Premultiplied);
    const double dEmf = MedianMs([&] {
        target.fill(Qt::white);
        if (!pEmf)
            return;
        QPainter painter(&target);
        const QSize szHimetric = pEmf->GetHimetricSize();
        pEmf->Render(painter, target.rect(),
                     QRect(0, szHimetric.height(), szHimetric.width(), -szHimetric.height()),
                     target.rect());
    });
    if (!pEmf)
        std::printf("# the 5,000-record EMF did not load: the time below draws nothing\n");
    Print("emf_render_ms", dEmf);

    BenchMetafiles(strMetafileDir);
    return 0;
}
