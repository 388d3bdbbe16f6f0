#include "PictureViewTest.h"
#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestMetafiles.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/WorkerWait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <sys/stat.h>

class TestOrvalaView : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void userOpenStartsEmpty();
    void programOpenListsFolder();
    void lastPictureViewAndDefaults();
    void scrollExtents();
    void fittedAtTopLeftWithWhiteStrips();
    void mosaicPlacesEveryReadyThumbnailInATick();
    void largeMosaicScrollsToItsEnd();
    void importOnOpen();
    void importErrorIsReported();
    void printsToPdf_data();
    void printsToPdf();
    void fullSizeAndPrintAreFullResolution();
    void pictureDecodedAheadIsTaken_data();
    void pictureDecodedAheadIsTaken();
    void namedPipeInFolderNeverBlocks();
    void drawingArrivesFromItsWorker();
    void unreadablePicturesSaySo();

private:
    // A folder of count BMPs, 0.bmp .. (count - 1).bmp, each one colour.
    QString MakeFolder(int nCount, QSize size = QSize(40, 30));
    COrvalaView* Open(const QString& strPath, bool bUser = true, int nIndex = 0);
    static void Tick(COrvalaView* pView, int nTicks);
    QImage ScreenPixels(COrvalaView* pView);
};

namespace {

int StatusRecords(CMainFrame* pFrame)
{
    return pFrame->GetPhotoDatabase().CountRecords(QStringLiteral("PHOTOS"));
}

} // namespace

void TestOrvalaView::init()
{
    QVERIFY(StartSession());
}

void TestOrvalaView::cleanup()
{
    EndSession();
}

QString TestOrvalaView::MakeFolder(int nCount, QSize size)
{
    return WriteColourFolder(m_pPictures->path(), nCount, size);
}

COrvalaView* TestOrvalaView::Open(const QString& strPath, bool bUser, int nIndex)
{
    if (bUser)
        m_pSession->App().m_pPictureTemplate->OpenDocumentFile(strPath, true);
    else
        AfxGetFrameServices()->OpenPictureWindow(strPath, nIndex);
    return ShowLastView(QSize(520, 380));
}

void TestOrvalaView::Tick(COrvalaView* pView, int nTicks)
{
    for (int i = 0; i < nTicks; ++i)
        pView->OnTimer(2);
}

QImage TestOrvalaView::ScreenPixels(COrvalaView* pView)
{
    // What the window system holds for the window, not a fresh rendering: a
    // region the view did not paint shows what was there before.
    QWidget* pTop = pView->window();
    const QImage screen = pTop->screen()->grabWindow(pTop->winId()).toImage();
    const QPoint ptViewport = pView->viewport()->mapTo(pTop, QPoint(0, 0));
    return screen.copy(QRect(ptViewport, pView->viewport()->size()));
}

void TestOrvalaView::userOpenStartsEmpty()
{
    const QString strFolder = MakeFolder(3);
    COrvalaView* pView = Open(strFolder + QStringLiteral("/2.bmp"));
    QVERIFY(pView);
    QVERIFY(pView->Pictures().isEmpty());
    QCOMPARE(pView->State().nCount, 0);
    QCOMPARE(pView->State().nCurrent, 0);
    QCOMPARE(pView->State().strFolder, strFolder + QLatin1Char('/'));
}

void TestOrvalaView::programOpenListsFolder()
{
    const QString strFolder = MakeFolder(3);
    COrvalaView* pView = Open(strFolder + QStringLiteral("/1.bmp"), false, 1);
    QVERIFY(pView);
    QCOMPARE(pView->State().nCount, 3);
    QCOMPARE(pView->State().nCurrent, 1);
    QCOMPARE(pView->Pictures().at(2), strFolder + QStringLiteral("/2.bmp"));

    // A window without a file has no folder and finds nothing.
    AfxGetFrameServices()->OpenPictureWindow(QString(), 0);
    m_pSession->App().m_pPictureTemplate->OpenDocumentFile(QString(), true);
    COrvalaView* pEmpty = m_pSession->NewestPictureView();
    QVERIFY(pEmpty != pView);
    pEmpty->StartMosaic();
    QCOMPARE(pEmpty->State().nCount, 0);
    QVERIFY(!pEmpty->State().bBusy);

    // A folder with no picture left: white under the folder's caption, not
    // the picture shown before.
    for (int i = 0; i < 3; ++i)
        QVERIFY(QFile::remove(strFolder + QStringLiteral("/%1.bmp").arg(i)));
    pView->OnMosaic();
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strFolder + QLatin1Char('/'));
    QCOMPARE(Shown(pView), QColor(Qt::white));
}

void TestOrvalaView::lastPictureViewAndDefaults()
{
    const QString strFolder = MakeFolder(1);
    COrvalaView* pFirst = Open(strFolder + QStringLiteral("/0.bmp"));
    SViewSettings settings = pFirst->Settings();
    settings.nPhotosInRow = 3;
    settings.bKeepProportions = true;
    pFirst->ApplySettings(settings);
    COrvalaView* pSecond = Open(strFolder + QStringLiteral("/0.bmp"));
    QVERIFY(pSecond != pFirst);
    QCOMPARE(pSecond->Settings().nPhotosInRow, 10);
    QCOMPARE(pSecond->Settings().nBorderWidth, 2);
    QCOMPARE(pSecond->Settings().bKeepProportions, false);
    QCOMPARE(pSecond->Settings().nSlidePause, 1000);
    QCOMPARE(pSecond->State().nMosaicInterval, 1);
}

void TestOrvalaView::scrollExtents()
{
    const QString strFolder = MakeFolder(25, QSize(900, 700));
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));
    pView->OnFullSize();
    QVERIFY(pView->State().bFullSize);
    QCOMPARE(pView->GetTotalSize(), QSize(900, 700));
    pView->OnFullSize();
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));

    pView->OnMosaic();
    Tick(pView, 26);
    QVERIFY(pView->State().bMosaic);
    // The client, 520 wide, holds ten cells of 48 a row with gaps of 2.
    const int nPitch = 50;
    QCOMPARE(pView->State().nCellWidth, 48);
    QCOMPARE(pView->GetTotalSize(), QSize(10 * nPitch, 3 * nPitch));
    // Full Size over a mosaic keeps the mosaic scrollable.
    pView->OnFullSize();
    QCOMPARE(pView->GetTotalSize(), QSize(10 * nPitch, 3 * nPitch));
}

void TestOrvalaView::fittedAtTopLeftWithWhiteStrips()
{
    QTemporaryDir dir;
    auto write = [&](const QString& strName, QSize size, QColor colour) {
        QFile file(dir.filePath(strName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(EncodePicture("BMP", size, colour));
    };
    write(QStringLiteral("tall.bmp"), QSize(40, 60), Qt::blue);
    write(QStringLiteral("wide.bmp"), QSize(40, 10), Qt::green);

    COrvalaView* pView = Open(dir.filePath(QStringLiteral("tall.bmp")));
    const int w = pView->viewport()->width();
    QTRY_COMPARE(ScreenPixels(pView).pixelColor(w - 1, 0), QColor(Qt::blue));
    // Fitted to the width: 40 x 60 at width w is w * 1.5 high, from the top-left.
    QImage pixels = ScreenPixels(pView);
    QCOMPARE(pixels.pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(pView->State().nLastWidth, w);
    QCOMPARE(pView->State().nLastHeight, w * 60 / 40);

    // A lower picture leaves the strip below it white, no blue left over.
    QVERIFY(pView->DrawPicture(nullptr, dir.filePath(QStringLiteral("wide.bmp"))));
    pixels = ScreenPixels(pView);
    QCOMPARE(pixels.pixelColor(w / 2, w / 4 - 2), QColor(Qt::green));
    QCOMPARE(pixels.pixelColor(w / 2, w / 4 + 2), QColor(Qt::white));
    QCOMPARE(pixels.pixelColor(w - 1, pixels.height() - 1), QColor(Qt::white));

    // At full size a narrower picture leaves white at its right.
    pView->OnFullSize();
    QTRY_COMPARE(ScreenPixels(pView).pixelColor(45, 5), QColor(Qt::white));
    QCOMPARE(ScreenPixels(pView).pixelColor(35, 5), QColor(Qt::green));
}

void TestOrvalaView::mosaicPlacesEveryReadyThumbnailInATick()
{
    const QString strFolder = MakeFolder(4);
    // A picture that fails leaves its cell marked and its number out.
    QFile broken(strFolder + QStringLiteral("/2.bmp"));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("no picture");
    broken.close();

    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    CMainFrame* pFrame = m_pSession->Frame();
    CStatusBar* pStatus = pFrame->GetStatusBar();
    pView->OnMosaic();
    QVERIFY(pView->State().bBusy);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strFolder + QLatin1Char('/'));
    QCOMPARE(pStatus->GetPaneText(0), QStringLiteral(" Show 4 pictures from current directory: "));

    // Every thumbnail made by then is placed in one tick, the text and the
    // bar at the last one placed.
    QThreadPool::globalInstance()->waitForDone();
    Tick(pView, 1);
    QCOMPARE(pView->State().nMosaicNext, 4);
    QCOMPARE(pStatus->GetPaneText(0),
             QStringLiteral(" Mosaic    4 /    4  from current directory: "));
    QCOMPARE(pView->Progress().GetPos(), 100);
    QVERIFY(!pView->State().bMosaic);
    Tick(pView, 1);
    QVERIFY(pView->State().bMosaic);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(pStatus->GetPaneText(0), QString());
    QVERIFY(!pView->Progress().GetSafeHwnd());

    const int nCell = 48;
    const int nPitch = 50;
    QImage pixels;
    // The red frame runs through the gaps around the first cell only.
    QTRY_COMPARE((pixels = ScreenPixels(pView)).pixelColor(0, nCell / 2), QColor(Qt::red));
    QCOMPARE(pixels.pixelColor(nPitch + nCell / 2, nCell / 2), FolderColour(1));
    QCOMPARE(pixels.pixelColor(nCell / 2, nCell / 2), FolderColour(0));
    QCOMPARE(pixels.pixelColor(2 * nPitch + nCell / 2, nCell / 2), QColor(160, 0, 0));
    QCOMPARE(pixels.pixelColor(2 * nPitch + 5, 5), QColor(224, 224, 224));
    QCOMPARE(pixels.pixelColor(3 * nPitch + nCell / 2, nCell / 2), FolderColour(3));
    QCOMPARE(pixels.pixelColor(1, nCell / 2), QColor(Qt::red));
    QCOMPARE(pixels.pixelColor(2, nCell / 2), FolderColour(0));
    QCOMPARE(pixels.pixelColor(nPitch, nCell / 2), QColor(Qt::red));
    QCOMPARE(pixels.pixelColor(2 * nPitch, nCell / 2), QColor(Qt::white));

    // A click on a cell shows its picture's path.
    QVERIFY(pView->SelectCell(QPoint(3 * nPitch + 5, 5), false));
    QCOMPARE(pStatus->GetPaneText(0), strFolder + QStringLiteral("/3.bmp"));
    QVERIFY(!pView->SelectCell(QPoint(5, nPitch + 5), false));
    QCOMPARE(pView->State().ptSelection, QPoint(3 * nPitch + 5, 5));
}

void TestOrvalaView::largeMosaicScrollsToItsEnd()
{
    const int nCount = 403;
    const QString strFolder = MakeFolder(nCount, QSize(8, 8));
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    pView->OnMosaic();
    Tick(pView, nCount + 1);
    QVERIFY(pView->State().bMosaic);
    const int nPitch = 50;
    QCOMPARE(pView->GetTotalSize().height(), (nCount / 10 + 1) * nPitch);
    pView->ScrollToPosition(QPoint(0, pView->GetTotalSize().height()));
    // The last row holds pictures 400..402; its top is the extent less one pitch.
    const int nLastRowTop =
        pView->GetTotalSize().height() - nPitch - pView->GetScrollPosition().y();
    QImage pixels;
    QTRY_COMPARE((pixels = ScreenPixels(pView)).pixelColor(2 * nPitch + 10, nLastRowTop + 10),
                 FolderColour(402));
    QCOMPARE(pixels.pixelColor(9 * nPitch + 10, nLastRowTop - nPitch + 10), FolderColour(399));
}

void TestOrvalaView::importOnOpen()
{
    const QString strFolder = MakeFolder(600, QSize(4, 4));
    CMainFrame* pFrame = m_pSession->Frame();
    QVERIFY(pFrame->GetPhotoDatabase().IsDatabaseOpen());
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    // Imported in steps: the window paints between them.
    QVERIFY(StatusRecords(pFrame) < 600);
    QTRY_COMPARE(StatusRecords(pFrame), 600);
    Q_UNUSED(pView);

    // Opening again adds nothing; a window the program opens imports nothing.
    Open(strFolder + QStringLiteral("/1.bmp"));
    QFile file(strFolder + QStringLiteral("/new.bmp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(EncodePicture("BMP"));
    file.close();
    Open(strFolder + QStringLiteral("/2.bmp"), false, 2);
    QTRY_VERIFY(CProgressCtrl::GetActive() == nullptr);
    QCOMPARE(StatusRecords(pFrame), 600);

    // A window closed during its import takes the import's progress bar along.
    const QString strOther = m_pPictures->filePath(QStringLiteral("other"));
    QVERIFY(QDir().mkpath(strOther));
    for (int i = 0; i < 600; ++i)
        QFile::copy(strFolder + QStringLiteral("/0.bmp"),
                    strOther + QStringLiteral("/%1.bmp").arg(i));
    COrvalaView* pClosed = Open(strOther + QStringLiteral("/0.bmp"));
    QVERIFY(CProgressCtrl::GetActive() != nullptr);
    delete pClosed->GetParentFrame();
    QCOMPARE(CProgressCtrl::GetActive(), nullptr);
    QVERIFY(!pFrame->GetStatusProgress().GetSafeHwnd());
}

void TestOrvalaView::importErrorIsReported()
{
    const QString strFolder = MakeFolder(2);
    CMessageBoxRecorder recorder;
    // Another program holds the database's write lock past the wait.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(m_pWorkspace->FilePath(QStringLiteral("Photos.mdb")));
        QVERIFY(other.open());
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")).isActive());
        QVERIFY(Open(strFolder + QStringLiteral("/0.bmp")));
        QTRY_COMPARE_WITH_TIMEOUT(recorder.m_arTexts.size(), 1, 20000);
        other.exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase("other");
    QVERIFY(recorder.m_arTexts.first().contains(QStringLiteral("lock"), Qt::CaseInsensitive));
    QCOMPARE(recorder.m_arTypes.first(), MB_OK | MB_ICONERROR);
    QCOMPARE(CProgressCtrl::GetActive(), nullptr);
}

void TestOrvalaView::printsToPdf_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<int>("pages");
    // Width over height of what is printed on the first page.
    QTest::addColumn<double>("proportion");
    QTest::newRow("single picture: one page") << 1 << false << 1 << 40.0 / 30.0;
    // 100 cells of 10 a row: 11 rows of pitch p, 10 p wide: 1.1 times as high
    // as wide, within one A4 page (1.41).
    QTest::newRow("mosaic on one page") << 100 << true << 1 << 1.0;
    // 300 pictures: 31 rows, 3.1 times as high as wide: three A4 pages.
    QTest::newRow("mosaic over pages") << 300 << true << 3 << 0.0;
}

void TestOrvalaView::printsToPdf()
{
    QFETCH(int, count);
    QFETCH(bool, mosaic);
    QFETCH(double, proportion);
    const QString strFolder = MakeFolder(count, mosaic ? QSize(8, 8) : QSize(40, 30));
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    if (mosaic) {
        pView->OnMosaic();
        Tick(pView, count + 1);
        QVERIFY(pView->State().bMosaic);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString strPdf = m_pPictures->filePath(QStringLiteral("out.pdf"));
    printer.setOutputFileName(strPdf);
    pView->PrintTo(&printer);

    QFile pdf(strPdf);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray data = pdf.readAll();
    QTEST(int(data.count("/Type /Page\n") + data.count("/Type /Page\r")), "pages");
    if (proportion == 0.0)
        return;

    // The printed area: across the printable width, in the proportion stated.
    const QString strPng = m_pPictures->filePath(QStringLiteral("page"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                QStringLiteral("-singlefile"), strPdf, strPng}),
             0);
    const QImage page(strPng + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    QRect rcInk;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 230)
                rcInk |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY2(rcInk.width() > page.width() * 8 / 10, qPrintable(QString::number(rcInk.width())));
    const double dProportion = double(rcInk.width()) / rcInk.height();
    QVERIFY2(qAbs(dProportion - proportion) < 0.04 * proportion,
             qPrintable(QString::number(dProportion)));
}

void TestOrvalaView::fullSizeAndPrintAreFullResolution()
{
    // A one-pixel line that only the whole picture holds: a reduced decode
    // smears it grey over its neighbours.
    QImage image(2000, 1500, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        image.setPixel(101, y, qRgb(0, 0, 0));
    const QString strPath = m_pPictures->filePath(QStringLiteral("line.jpg"));
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(EncodeImage(image, "JPG", 100));
    file.close();

    COrvalaView* pView = Open(strPath);
    QVERIFY(pView->DrawPicture(nullptr, strPath));
    COrvalaDoc* pDoc = pView->GetPictureDoc();
    QCOMPARE(QSize(pDoc->m_nPixelWidth, pDoc->m_nPixelHeight), QSize(2000, 1500));

    pView->OnFullSize();
    QCOMPARE(pView->GetTotalSize(), QSize(2000, 1500));
    QImage pixels;
    QTRY_VERIFY(qGray((pixels = ScreenPixels(pView)).pixel(101, 50)) < 60);
    QVERIFY(qGray(pixels.pixel(100, 50)) > 200);
    QVERIFY(qGray(pixels.pixel(102, 50)) > 200);

    // Printed from a fitted display, the page gets every pixel of the file.
    pView->OnFullSize();
    QVERIFY(pView->DrawPicture(nullptr, strPath));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString strPdf = m_pPictures->filePath(QStringLiteral("out.pdf"));
    printer.setOutputFileName(strPdf);
    pView->PrintTo(&printer);
    QFile pdf(strPdf);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray data = pdf.readAll();
    QVERIFY(data.contains("/Width 2000"));
    QVERIFY(data.contains("/Height 1500"));
}

void TestOrvalaView::pictureDecodedAheadIsTaken_data()
{
    QTest::addColumn<QString>("change");
    // The colour drawn for 2.bmp once it was decoded ahead and then changed
    // on disk; invalid when nothing is drawn.
    QTest::addColumn<QColor>("drawn");
    QTest::newRow("unchanged: not read again") << "same size and time" << FolderColour(2);
    QTest::newRow("rewritten") << "new time" << FolderColour(7);
    QTest::newRow("resized") << "new size" << FolderColour(7);
    QTest::newRow("replaced") << "new file" << FolderColour(7);
    QTest::newRow("removed") << "removed" << QColor();
}

void TestOrvalaView::pictureDecodedAheadIsTaken()
{
    QFETCH(QString, change);
    QFETCH(QColor, drawn);
    const QString strFolder = MakeFolder(4);
    const QDateTime time(QDate(2020, 5, 17), QTime(10, 30));
    auto write = [&](const QString& strName, QSize size, const QDateTime& t) {
        QFile file(strFolder + QLatin1Char('/') + strName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(EncodePicture("BMP", size, FolderColour(7)));
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(t, QFileDevice::FileModificationTime));
    };
    for (int i = 0; i < 4; ++i) {
        QFile file(strFolder + QStringLiteral("/%1.bmp").arg(i));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    }

    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"), false, 0);
    QVERIFY(pView->DrawPicture(nullptr, strFolder + QStringLiteral("/1.bmp")));
    QThreadPool::globalInstance()->waitForDone();

    const QString strNext = strFolder + QStringLiteral("/2.bmp");
    if (change == QLatin1String("same size and time"))
        write(QStringLiteral("2.bmp"), QSize(40, 30), time);
    else if (change == QLatin1String("new time"))
        write(QStringLiteral("2.bmp"), QSize(40, 30), time.addSecs(1));
    else if (change == QLatin1String("new size"))
        write(QStringLiteral("2.bmp"), QSize(40, 31), time);
    else if (change == QLatin1String("new file")) {
        write(QStringLiteral("new.tmp"), QSize(40, 30), time);
        QVERIFY(QFile::remove(strNext));
        QVERIFY(QFile::rename(strFolder + QStringLiteral("/new.tmp"), strNext));
    } else {
        QVERIFY(QFile::remove(strNext));
    }

    const bool bDrawn = pView->DrawPicture(nullptr, strNext);
    QCOMPARE(bDrawn, drawn.isValid());
    if (bDrawn)
        QCOMPARE(ScreenPixels(pView).pixelColor(5, 5), drawn);

    // Closing the window while its neighbours are still being decoded.
    pView->DrawPicture(nullptr, strFolder + QStringLiteral("/1.bmp"));
    delete pView->GetParentFrame();
    QThreadPool::globalInstance()->waitForDone();
}

void TestOrvalaView::namedPipeInFolderNeverBlocks()
{
    // A pipe named like a picture, between the pictures in the folder's order.
    const QString strFolder = MakeFolder(3);
    const QString strPipe = strFolder + QStringLiteral("/1a.jpg");
    QCOMPARE(::mkfifo(QFile::encodeName(strPipe).constData(), 0600), 0);
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"));
    QVERIFY(pView);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->State().nCount, 3);
    pView->OnMosaic();
    Tick(pView, 4);
    QVERIFY(pView->State().bMosaic && !pView->State().bBusy);
    QVERIFY(!pView->Pictures().contains(strPipe));
}

void TestOrvalaView::drawingArrivesFromItsWorker()
{
    // A red drawing, played on a worker the window does not wait for.
    CTestEmf emf(200, 100);
    emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
    uint32_t ih = 0;
    emf.Add(createbrushindirect_set(&ih, emf.Handles(),
                                    logbrush_set(U_BS_SOLID, TestMetafiles::Color(0xFF0000), 0)));
    emf.Add(selectobject_set(ih, emf.Handles()));
    emf.Add(U_EMRRECTANGLE_set(TestMetafiles::Rect(0, 0, 100, 100)));
    const QString strFolder = MakeFolder(1);
    QFile file(strFolder + QStringLiteral("/1.emf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(emf.Finish());
    file.close();
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"), false, 0);
    QVERIFY(pView);

    // Every worker busy: while the drawing waits, the page is white, not the
    // picture before it.
    QSemaphore release;
    QThreadPool* pPool = QThreadPool::globalInstance();
    const int nWorkers = pPool->maxThreadCount();
    auto releaseWorkers = qScopeGuard([&] { release.release(nWorkers); });
    for (int i = 0; i < nWorkers; ++i)
        pPool->start([&release] { release.acquire(); });
    SetWorkerWaitMs(0);
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(ScreenPixels(pView).pixelColor(400, 10), QColor(Qt::white));
    releaseWorkers.dismiss();
    release.release(nWorkers);
    // What the window system shows: the window painted again when it arrived.
    QTRY_COMPARE(ScreenPixels(pView).pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(ScreenPixels(pView).pixelColor(400, 10), QColor(Qt::white));
}

void TestOrvalaView::unreadablePicturesSaySo()
{
    const QString strFolder = MakeFolder(3);
    // A BMP header and nothing after it: read as a picture, decoded as none.
    QFile damaged(strFolder + QStringLiteral("/1.bmp"));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray("BM") + QByteArray(60, '\0'));
    damaged.close();
    const QString strNotes = strFolder + QStringLiteral("/notes.jpg");
    QFile notes(strNotes);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture\n");
    notes.close();

    // Opening says why, and opens no window.
    CMessageBoxRecorder recorder;
    CMultiDocTemplate* pTemplate = m_pSession->App().m_pPictureTemplate;
    const QString strMissing = strFolder + QStringLiteral("/missing.bmp");
    QVERIFY(!pTemplate->OpenDocumentFile(strMissing, true));
    QVERIFY(!pTemplate->OpenDocumentFile(strNotes, true));
    QCOMPARE(recorder.m_arTexts,
             (QStringList{QStringLiteral("\"%1\" can not be shown: No such file.").arg(strMissing),
                          QStringLiteral("\"%1\" can not be shown: not a picture Orvala can "
                                         "read.")
                              .arg(strNotes)}));
    QCOMPARE(m_pSession->NewestPictureView(), nullptr);
    // A Recent Files entry whose file is gone goes too.
    m_pSession->App().AddToRecentFileList(strMissing);
    QVERIFY(m_pSession->Frame()->SendCommand(ID_FILE_MRU_FILE1));
    QCOMPARE(m_pSession->App().m_pRecentFileList->GetCount(), 0);

    // Stepping onto it: its name and the reason in place of a picture, white,
    // never the picture before; no message box.
    COrvalaView* pView = Open(strFolder + QStringLiteral("/0.bmp"), false, 0);
    QVERIFY(pView);
    recorder.m_arTexts.clear();
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->GetPictureDoc()->Problem(), QStringLiteral("not a picture Orvala can read"));
    QCOMPARE(Shown(pView), QColor(Qt::white));
    QVERIFY(recorder.m_arTexts.isEmpty());

    // The slide show skips it.
    pView->OnSlideShow();
    pView->OnTimer(1);
    pView->OnTimer(1);
    QCOMPARE(QFileInfo(pView->GetPictureDoc()->GetTitle()).fileName(), QStringLiteral("2.bmp"));
    pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
}

QTEST_MAIN(TestOrvalaView)
#include "TestOrvalaView.moc"
#include "platform/framework/CFrameServices.h"
