// The viewer commands on camera pictures: the whole picture against today's
// fit to the width, zoom steps on a 24-megapixel picture, and full screen.
// Prints one "name value unit" line per figure.
#include "BenchCommon.h"

#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "browse/COrvalaView.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> ar)
{
    std::sort(ar.begin(), ar.end());
    return ar[ar.size() / 2];
}

double Ms(const std::function<void()>& run)
{
    return Seconds(run) * 1e3;
}

COrvalaView* OpenWindow(const QString& strPath)
{
    CDocument* pDoc = AfxGetFrameServices()->OpenPictureWindow(strPath, 0);
    auto* pView = dynamic_cast<COrvalaView*>(pDoc->GetViews().value(0));
    pView->GetParentFrame()->resize(1320, 900);
    QCoreApplication::processEvents();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    return pView;
}

// The picture at strPath drawn in the window, decoded fresh: it lies in no
// folder the window lists, so nothing was decoded ahead for it.
double DrawMs(COrvalaView* pView, const QString& strPath)
{
    const double dMs = Ms([&] { pView->DrawPicture(nullptr, strPath); });
    QThreadPool::globalInstance()->waitForDone();
    return dMs;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QApplication app(argc, argv);
    CTestWorkspace workspace;
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("window")));
    QDir().mkpath(dir.filePath(QStringLiteral("photos")));
    const QString strHome = WriteBenchFile(dir.filePath(QStringLiteral("window/home.jpg")),
                                           MakeCameraJpeg(CameraLikeImage(9), 92, 1));
    QStringList arPhotos;
    for (quint32 nSeed = 1; nSeed <= 6; ++nSeed)
        arPhotos << WriteBenchFile(dir.filePath(QStringLiteral("photos/%1.jpg").arg(nSeed)),
                                   MakeCameraJpeg(CameraLikeImage(nSeed), 92, 1));
    const QImage big = CameraLikeImage(7).scaled(6000, 4000);
    const QString strBig =
        WriteBenchFile(dir.filePath(QStringLiteral("window/big.jpg")), MakeCameraJpeg(big, 92, 1));

    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    session.Frame()->resize(1400, 1000);

    // 4000 x 3000 in a 1280-wide window: fitted to the width, then whole.
    COrvalaView* pView = OpenWindow(strHome);
    std::vector<double> arWidth, arWhole;
    for (int i = 0; i < 3; ++i)
        arWidth.push_back(DrawMs(pView, arPhotos[i]));
    pView->OnFitWindow();
    for (int i = 3; i < 6; ++i)
        arWhole.push_back(DrawMs(pView, arPhotos[i]));
    PrintFigure("fit_width_ms", Median(arWidth), "ms");
    PrintFigure("fit_whole_ms", Median(arWhole), "ms");
    PrintFigure("fit_whole_ratio", Median(arWhole) / Median(arWidth), "x");

    // Zoom steps on 24 megapixels, once the whole picture is decoded.
    COrvalaView* pBig = OpenWindow(strBig);
    const double dFirstMs = Ms([&] {
        pBig->OnActualSize();
        pBig->viewport()->repaint();
    });
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    std::vector<double> arSteps;
    for (int i = 0; i < 4; ++i)
        arSteps.push_back(Ms([&] {
            pBig->OnZoomIn();
            pBig->viewport()->repaint();
        }));
    for (int i = 0; i < 12; ++i)
        arSteps.push_back(Ms([&] {
            pBig->OnZoomOut();
            pBig->viewport()->repaint();
        }));
    PrintFigure("zoom_first_24mp_ms", dFirstMs, "ms");
    PrintFigure("zoom_step_24mp_ms", *std::max_element(arSteps.begin(), arSteps.end()), "ms");
    PrintFigure("zoom_step_24mp_median_ms", Median(arSteps), "ms");

    // Into full screen and back, painted each time.
    std::vector<double> arToggle;
    for (int i = 0; i < 4; ++i)
        arToggle.push_back(Ms([&] {
            pView->OnFullScreen();
            QCoreApplication::processEvents();
            pView->viewport()->repaint();
        }));
    PrintFigure("fullscreen_toggle_ms", *std::max_element(arToggle.begin(), arToggle.end()), "ms");
    return 0;
}
