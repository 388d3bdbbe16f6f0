// Picture windows on a camera folder: the mosaic against full decodes, the
// next picture, the folder listing, a huge mosaic's memory and the import on
// open. Prints one "name value unit" line per figure; --quick uses small counts.
#include "BenchCommon.h"

#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "browse/MosaicGeometry.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/picture/FolderListing.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/ThumbnailCache.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

struct SCounts
{
    int nMosaic = 200;
    int nList = 10000;
    int nHuge = 20000;
    int nImport = 1000;
    int nSteps = 15;
    int nCached = 1000;
    int nFirstScreen = 10000;
    int nWatched = 10000;
};

// nCount names in the folder, hard links to the sources in turn: many
// distinct files for the cost of a few on disk.
QString LinkFolder(const QString& strFolder, const QStringList& arSources, int nCount)
{
    QDir().mkpath(strFolder);
    for (int i = 0; i < nCount; ++i) {
        const QString strName =
            strFolder + QStringLiteral("/IMG_%1.JPG").arg(i + 1, 5, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(arSources[i % arSources.size()]).constData(),
                   QFile::encodeName(strName).constData()) != 0)
            qFatal("cannot link %s", qPrintable(strName));
    }
    return strFolder;
}

COrvalaView* OpenWindow(const QString& strPath, int nWidth)
{
    CDocument* pDoc = AfxGetFrameServices()->OpenPictureWindow(strPath, 0);
    auto* pView = dynamic_cast<COrvalaView*>(pDoc->GetViews().value(0));
    pView->GetParentFrame()->resize(nWidth + 40, 900);
    pView->resize(nWidth, 860);
    QCoreApplication::processEvents();
    // The opened picture and its neighbours decode on the pool: let them end,
    // so what is timed next runs alone.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    return pView;
}

// The mosaic built as the window builds it, on its timer, until it is done
// (or, with nCells, until that many thumbnails are placed).
double RunMosaicMs(COrvalaView* pView, int nCells = -1)
{
    QElapsedTimer timer;
    timer.start();
    pView->OnMosaic();
    while (nCells < 0 ? !pView->State().bMosaic : pView->State().nMosaicNext < nCells) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (timer.elapsed() > 600000)
            qFatal("the mosaic was never built");
    }
    return timer.nsecsElapsed() / 1e6;
}

double BuildMosaicMs(COrvalaView* pView)
{
    QElapsedTimer timer;
    timer.start();
    pView->OnMosaic();
    while (!pView->State().bMosaic)
        pView->OnTimer(2);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir cache;
    // A private thumbnail cache, empty at start, so nothing is found from an earlier run.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QApplication app(argc, argv);
    SCounts counts;
    if (app.arguments().contains(QStringLiteral("--quick")))
        counts = SCounts{20, 2000, 2000, 100, 5, 100, 1000, 1000};
    // --cached=N: the folder seen before holds N pictures.
    for (const QString& strArg : app.arguments()) {
        if (strArg.startsWith(QLatin1String("--cached=")))
            counts.nCached = strArg.mid(9).toInt();
    }

    CTestWorkspace workspace;
    QTemporaryDir dir;
    QStringList arExif, arPlain;
    for (quint32 nSeed = 1; nSeed <= 4; ++nSeed) {
        const QImage image = CameraLikeImage(nSeed);
        const QByteArray thumb = EncodeImage(image.scaled(160, 120), "JPG");
        arExif << WriteBenchFile(dir.filePath(QStringLiteral("exif%1.jpg").arg(nSeed)),
                                 MakeCameraJpeg(image, 92, 1, thumb));
        arPlain << WriteBenchFile(dir.filePath(QStringLiteral("plain%1.jpg").arg(nSeed)),
                                  MakeCameraJpeg(image, 92, 1));
    }
    const QString strExif =
        LinkFolder(dir.filePath(QStringLiteral("exif")), arExif, counts.nMosaic);
    const QString strPlain =
        LinkFolder(dir.filePath(QStringLiteral("plain")), arPlain, counts.nMosaic);

    // What the mosaic would cost by decoding every picture whole.
    QStringList arFull;
    ListPictureFiles(strPlain, arFull, QString());
    QElapsedTimer timer;
    timer.start();
    for (const QString& strPath : arFull) {
        if (!DecodePicture(strPath))
            qFatal("no picture in %s", qPrintable(strPath));
    }
    const double dFullMs = timer.nsecsElapsed() / 1e6;

    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    session.Frame()->resize(1400, 1000);

    COrvalaView* pExif = OpenWindow(strExif + QStringLiteral("/IMG_00001.JPG"), 1280);
    PrintFigure("mosaic_exif_speedup", dFullMs / BuildMosaicMs(pExif), "x");
    COrvalaView* pPlain = OpenWindow(strPlain + QStringLiteral("/IMG_00001.JPG"), 1280);
    PrintFigure("mosaic_scaled_speedup", dFullMs / BuildMosaicMs(pPlain), "x");

    // A folder seen before: its thumbnails come from the shared cache, which
    // the first mosaic filled.
    const QString strCached =
        LinkFolder(dir.filePath(QStringLiteral("cached")), arPlain, counts.nCached);
    RunMosaicMs(OpenWindow(strCached + QStringLiteral("/IMG_00001.JPG"), 1280));
    QThreadPool::globalInstance()->waitForDone();
    COrvalaView* pCached = OpenWindow(strCached + QStringLiteral("/IMG_00001.JPG"), 1280);
    PrintFigure("mosaic_cached_1k_s", RunMosaicMs(pCached) / 1e3, "s");

    // The first screenful of a large folder whose entries are all cached.
    const QString strScreen =
        LinkFolder(dir.filePath(QStringLiteral("screen")), arPlain, counts.nFirstScreen);
    {
        QStringList arScreen;
        ListPictureFiles(strScreen, arScreen, QString());
        const QImage entry = CameraLikeImage(3).scaled(128, 96);
        for (const QString& strPath : std::as_const(arScreen))
            WriteCachedThumbnail(strPath, 128, entry);
    }
    COrvalaView* pScreen = OpenWindow(strScreen + QStringLiteral("/IMG_00001.JPG"), 1280);
    const SMosaicGeometry g = MosaicGeometry(pScreen->viewport()->width(), 10, 2, 1);
    const int nScreenCells = 10 * (pScreen->viewport()->height() / g.nPitch + 1);
    PrintFigure("mosaic_first_screen_10k_s", RunMosaicMs(pScreen, nScreenCells) / 1e3, "s");
    double dSlowestKey = 0;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer key;
        key.start();
        QTest::keyClick(pScreen, Qt::Key_P);
        QCoreApplication::processEvents();
        dSlowestKey = std::max(dSlowestKey, key.nsecsElapsed() / 1e6);
        QTest::qWait(30);
    }
    PrintFigure("mosaic_10k_building_key_ms", dSlowestKey, "ms");
    // Its build would go on decoding beside the figures below.
    delete pScreen->GetParentFrame();
    QThreadPool::globalInstance()->waitForDone();

    // The next picture fitted in a 1280-wide window, a step every 300 ms.
    COrvalaView* pStep = OpenWindow(strPlain + QStringLiteral("/IMG_00001.JPG"), 1280);
    std::vector<double> arStepMs;
    for (int i = 1; i <= counts.nSteps; ++i) {
        QTest::qWait(300);
        timer.restart();
        pStep->DrawPicture(nullptr, pStep->Pictures().at(i % pStep->Pictures().size()));
        arStepMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(arStepMs.begin(), arStepMs.end());
    PrintFigure("next_picture_ms", arStepMs[arStepMs.size() / 2], "ms");

    const QString strList = dir.filePath(QStringLiteral("list"));
    QDir().mkpath(strList);
    for (int i = 0; i < counts.nList; ++i)
        WriteBenchFile(strList + QStringLiteral("/IMG_%1.JPG").arg(i), QByteArray());
    std::vector<double> arListMs;
    for (int i = 0; i < 5; ++i) {
        QStringList arList;
        timer.restart();
        ListPictureFiles(strList, arList, QString());
        arListMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(arListMs.begin(), arListMs.end());
    PrintFigure("list_10k_ms", arListMs[2], "ms");

    // A huge folder of small photos: what its mosaic keeps against its thumbnails' pixels.
    const QString strSmall =
        WriteBenchFile(dir.filePath(QStringLiteral("small.jpg")),
                       EncodeImage(CameraLikeImage(9).scaled(320, 240), "JPG"));
    const QString strHuge =
        LinkFolder(dir.filePath(QStringLiteral("huge")), {strSmall}, counts.nHuge);
    COrvalaView* pHuge = OpenWindow(strHuge + QStringLiteral("/IMG_00001.JPG"), 800);
    const qint64 nBefore = ResidentBytes();
    BuildMosaicMs(pHuge);
    const qint64 nAdded = ResidentBytes() - nBefore;
    const qint64 nRaw =
        qint64(counts.nHuge) * pHuge->State().nCellWidth * pHuge->State().nCellHeight * 4;
    PrintFigure("mosaic_20k_memory_ratio", double(nAdded) / double(nRaw), "x");

    // Keys in the finished mosaic move the frame and scroll; they decode
    // nothing, neither on the pool nor into the window's document.
    // Pictures that arrive late, and the sharper ones the windows ask for
    // when they paint them, are taken first: not a key's decode.
    for (int i = 0; i < 3; ++i) {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
    const CPicture* pShown = pHuge->GetPictureDoc()->m_pPicture.get();
    const QList<QPair<int, Qt::KeyboardModifiers>> arKeys{{Qt::Key_End, Qt::ControlModifier},
                                                          {Qt::Key_PageUp, {}},
                                                          {Qt::Key_Left, {}},
                                                          {Qt::Key_Up, {}},
                                                          {Qt::Key_Right, {}},
                                                          {Qt::Key_Down, {}},
                                                          {Qt::Key_Home, Qt::ControlModifier}};
    double dSlowestKeyMs = 0;
    int nDecodes = 0;
    for (const auto& [nKey, modifiers] : arKeys) {
        timer.restart();
        QTest::keyClick(pHuge, Qt::Key(nKey), modifiers);
        QCoreApplication::processEvents();
        dSlowestKeyMs = std::max(dSlowestKeyMs, timer.nsecsElapsed() / 1e6);
        if (QThreadPool::globalInstance()->activeThreadCount() != 0 ||
            pHuge->GetPictureDoc()->m_pPicture.get() != pShown)
            ++nDecodes;
    }
    PrintFigure("mosaic_20k_key_ms", dSlowestKeyMs, "ms");
    PrintFigure("mosaic_20k_key_decodes", nDecodes, "");

    // A picture another program writes into a folder whose mosaic is open,
    // until the window's list (and its mosaic) holds it.
    const QString strWatched =
        LinkFolder(dir.filePath(QStringLiteral("watched")), {strSmall}, counts.nWatched);
    COrvalaView* pWatched = OpenWindow(strWatched + QStringLiteral("/IMG_00001.JPG"), 800);
    BuildMosaicMs(pWatched);
    const qsizetype nWatchedBefore = pWatched->Pictures().size();
    const QByteArray newPicture = EncodeImage(CameraLikeImage(7).scaled(320, 240), "JPG");
    timer.restart();
    WriteBenchFile(strWatched + QStringLiteral("/IMG_99999.JPG"), newPicture);
    while (pWatched->Pictures().size() == nWatchedBefore) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (timer.elapsed() > 60000)
            qFatal("the new picture never reached the window");
    }
    PrintFigure("folder_event_to_window_ms", timer.nsecsElapsed() / 1e6, "ms");
    delete pWatched->GetParentFrame();

    // Keys pressed while a picture that takes long to decode is on its way are
    // handled at once; the picture shows when it has arrived.
    const QString strSlow = dir.filePath(QStringLiteral("slow"));
    QDir().mkpath(strSlow);
    const QByteArray small = EncodeImage(CameraLikeImage(5).scaled(400, 300), "BMP");
    WriteBenchFile(strSlow + QStringLiteral("/1.bmp"), small);
    WriteBenchFile(strSlow + QStringLiteral("/3.bmp"), small);
    {
        // Found by its content: a PNG at the largest size the decoder takes whole.
        QImage big(8000, 8000, QImage::Format_RGB32);
        big.fill(Qt::darkCyan);
        QImageWriter writer(strSlow + QStringLiteral("/2.bmp"), "PNG");
        writer.setQuality(100);
        if (!writer.write(big))
            qFatal("cannot write the slow picture");
    }
    timer.restart();
    DecodePicture(strSlow + QStringLiteral("/2.bmp"), QSize(1280, 1));
    PrintFigure("slow_decode_ms", timer.nsecsElapsed() / 1e6, "ms");
    COrvalaView* pSlow = OpenWindow(strSlow + QStringLiteral("/1.bmp"), 1280);
    QTest::qWait(50);
    QElapsedTimer shown;
    shown.start();
    double dSlowestMs = 0;
    for (Qt::Key nKey : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Right, Qt::Key_Left, Qt::Key_Right}) {
        timer.restart();
        QTest::keyClick(pSlow, nKey);
        QCoreApplication::processEvents();
        dSlowestMs = std::max(dSlowestMs, timer.nsecsElapsed() / 1e6);
    }
    PrintFigure("key_during_slow_decode_ms", dSlowestMs, "ms");
    while (!pSlow->GetPictureDoc()->m_pPicture) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (shown.elapsed() > 60000)
            qFatal("the slow picture never showed");
    }
    PrintFigure("slow_picture_shown_ms", shown.nsecsElapsed() / 1e6, "ms");

    // Opening a picture in a new folder imports the folder.
    const QString strImport =
        LinkFolder(dir.filePath(QStringLiteral("import")), arExif, counts.nImport);
    CDao_Table& table = session.Frame()->GetPhotoDatabase();
    const int nStart = table.CountRecords(QStringLiteral("PHOTOS"));
    timer.restart();
    session.App().m_pPictureTemplate->OpenDocumentFile(strImport + QStringLiteral("/IMG_00001.JPG"),
                                                       true);
    while (table.CountRecords(QStringLiteral("PHOTOS")) < nStart + counts.nImport) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (timer.elapsed() > 600000)
            qFatal("the import did not finish");
    }
    PrintFigure("import_open_1k_s", timer.nsecsElapsed() / 1e9, "s");
    return 0;
}
