#include "PictureViewTest.h"
#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CProgressCtrl.h"
#include "platform/framework/CStatusBar.h"
#include "resources/resource.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>

// Slide shows driven tick by tick: the test delivers timer 1 itself.
class TestSlideShow : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void threeSlidesThenTheStartPictureComesBack();
    void loopStartsAgainAfterAnEmptyTick();
    void stopWhileRunningAndWhilePaused();
    void pauseThenStepThenResume();
    void afterTheEndKeysStepFromTheStartPicture();
    void overAMosaicTheMosaicComesBack();
    void refusedWhileAMosaicIsBuilt();
    void ticksArriveOnlyWhileArmed();
    void checkMarksFollowTheShow();
    void textsOnlyInTheFocusedWindow();

private:
    COrvalaView* Open(const QString& strName);
    QString Status() const;
};

namespace {

QString Name(const QString& strPath)
{
    return QFileInfo(strPath).fileName();
}

// What a view shows and says after one tick of its slide show timer.
struct SSlide
{
    QString strTitle;
    QString strStatus;
    int nProgress;
};

} // namespace

void TestSlideShow::init()
{
    QVERIFY(StartSession());
}

void TestSlideShow::cleanup()
{
    EndSession();
}

COrvalaView* TestSlideShow::Open(const QString& strName)
{
    AfxGetFrameServices()->OpenPictureWindow(m_pPictures->filePath(strName), 0);
    return ShowLastView(QSize(420, 280));
}

QString TestSlideShow::Status() const
{
    return m_pSession->Frame()->GetStatusBar()->GetPaneText(0);
}

void TestSlideShow::threeSlidesThenTheStartPictureComesBack()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 3).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("1.bmp"));
    QVERIFY(pView);
    const QString strStart = pView->GetPictureDoc()->GetTitle();

    QVERIFY(m_pSession->Frame()->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(pView->State().bSlideShow && pView->State().bBusy);
    QCOMPARE(pView->State().nCurrent, 0);
    QCOMPARE(Status(), QStringLiteral(" Slide Show for 3 pictures: "));
    QVERIFY(pView->Progress().GetSafeHwnd());
    QCOMPARE(CProgressCtrl::GetActive(), &pView->Progress());
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));
    // The wait cursor is this window's only: the others stay usable.
    QCOMPARE(pView->viewport()->cursor().shape(), Qt::WaitCursor);
    QVERIFY(!QGuiApplication::overrideCursor());

    // The show starts with the first picture of the list, not the one shown.
    const QList<SSlide> arSlides{
        {QStringLiteral("0.bmp"), QStringLiteral(" Slideshow    1 /    3 "), 33},
        {QStringLiteral("1.bmp"), QStringLiteral(" Slideshow    2 /    3 "), 66},
        {QStringLiteral("2.bmp"), QStringLiteral(" Slideshow    3 /    3 "), 100}};
    for (int i = 0; i < arSlides.size(); ++i) {
        pView->OnTimer(1);
        QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), arSlides[i].strTitle);
        QCOMPARE(Status(), arSlides[i].strStatus);
        QCOMPARE(pView->Progress().GetPos(), arSlides[i].nProgress);
        QCOMPARE(Shown(pView), FolderColour(i));
        QCOMPARE(pView->State().nCurrent, i + 1);
    }

    pView->OnTimer(1);
    QVERIFY(!pView->State().bSlideShow && !pView->State().bBusy);
    QCOMPARE(Status(), QString());
    QVERIFY(!pView->Progress().GetSafeHwnd());
    QVERIFY(!CProgressCtrl::GetActive());
    QCOMPARE(pView->viewport()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strStart);
    QCOMPARE(Shown(pView), FolderColour(1));
    QCOMPARE(pView->State().nCurrent, 1);
}

void TestSlideShow::loopStartsAgainAfterAnEmptyTick()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 3).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("1.bmp"));
    QVERIFY(pView);
    CMainFrame* pFrame = m_pSession->Frame();
    QVERIFY(pFrame->SendCommand(ID_VIEW_LOOP));
    QVERIFY(pView->Settings().bLoop);
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    for (int i = 0; i < 3; ++i)
        pView->OnTimer(1);

    // The fourth tick only goes back to the start; the slide stays.
    pView->OnTimer(1);
    QVERIFY(pView->State().bSlideShow);
    QCOMPARE(pView->State().nCurrent, 0);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("2.bmp"));
    QCOMPARE(Status(), QStringLiteral(" Slideshow    3 /    3 "));

    pView->OnTimer(1);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("0.bmp"));
    QCOMPARE(Status(), QStringLiteral(" Slideshow    1 /    3 "));
    QCOMPARE(pView->Progress().GetPos(), 33);
    QCOMPARE(Shown(pView), FolderColour(0));
}

void TestSlideShow::stopWhileRunningAndWhilePaused()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 5).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("3.bmp"));
    QVERIFY(pView);
    CMainFrame* pFrame = m_pSession->Frame();

    // Stopped while running: loop goes off and the next tick ends the show.
    QVERIFY(pFrame->SendCommand(ID_VIEW_LOOP));
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    pView->OnTimer(1);
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(!pView->State().bSlideShow);
    QVERIFY(!pView->Settings().bLoop);
    QVERIFY(pView->State().bBusy);
    pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("3.bmp"));
    QCOMPARE(Shown(pView), FolderColour(3));

    // Stopped while paused: nothing moves until it is resumed, then it ends.
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(!pView->Settings().bLoop);
    pView->OnTimer(1);
    QVERIFY(pFrame->SendCommand(ID_VIEW_PAUSE));
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    pView->OnTimer(1);
    QVERIFY(pView->State().bBusy && pView->State().bPaused);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("0.bmp"));
    QVERIFY(pFrame->SendCommand(ID_VIEW_PAUSE));
    pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("3.bmp"));
    QCOMPARE(Status(), QString());
}

void TestSlideShow::pauseThenStepThenResume()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 5).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    pView->OnSlideShow();
    pView->OnTimer(1);
    pView->OnTimer(1);
    QCOMPARE(pView->State().nCurrent, 2);

    QTest::keyClick(pView, Qt::Key_P);
    QVERIFY(pView->State().bPaused);
    QCOMPARE(Status(), QStringLiteral(" Paused..."));
    pView->OnTimer(1);
    QCOMPARE(pView->State().nCurrent, 2);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("1.bmp"));

    // Right shows the neighbour of the slide on screen, and the show goes on
    // from there.
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->State().nCurrent, 3);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("2.bmp"));
    QCOMPARE(Shown(pView), FolderColour(2));
    QTest::keyClick(pView, Qt::Key_Left);
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("2.bmp"));

    QTest::keyClick(pView, Qt::Key_P);
    QVERIFY(!pView->State().bPaused);
    // Resuming keeps the pause text until the next slide writes its own.
    QCOMPARE(Status(), QStringLiteral(" Paused..."));
    pView->OnTimer(1);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("3.bmp"));
    QCOMPARE(Status(), QStringLiteral(" Slideshow    4 /    5 "));
    pView->OnTimer(1);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("4.bmp"));
    QCOMPARE(pView->Progress().GetPos(), 100);
}

void TestSlideShow::afterTheEndKeysStepFromTheStartPicture()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 3).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    // Stepped to the last picture before the show: that one comes back.
    QTest::keyClick(pView, Qt::Key_Right);
    QTest::keyClick(pView, Qt::Key_Right);
    const QString strTitle = pView->GetPictureDoc()->GetTitle();
    pView->OnSlideShow();
    for (int i = 0; i < 4; ++i)
        pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strTitle);
    QCOMPARE(Shown(pView), FolderColour(2));
    QCOMPARE(pView->State().nCurrent, 2);

    QTest::keyClick(pView, Qt::Key_Left);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("1.bmp"));
}

void TestSlideShow::overAMosaicTheMosaicComesBack()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 200).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    // Taller than a slide fitted to the width.
    pView->GetParentFrame()->resize(400, 450);
    QTRY_VERIFY(pView->viewport()->height() > pView->viewport()->width() * 3 / 4 + 10);
    pView->OnMosaic();
    for (int i = 0; i <= 200; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic);
    const QSize szMosaic = pView->GetTotalSize();
    QVERIFY(szMosaic.height() > pView->viewport()->height());
    pView->ScrollToPosition(QPoint(0, 100));
    const QString strTitle = pView->GetPictureDoc()->GetTitle();

    pView->OnSlideShow();
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));
    pView->OnTimer(1);
    // The slide is drawn over the mosaic, fitted to the width.
    QCOMPARE(Shown(pView), FolderColour(0));
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(10, pView->viewport()->height() - 5),
             QColor(Qt::white));
    // Keys of a running show over a mosaic still act on the mosaic.
    const QPoint ptSelection = pView->State().ptSelection;
    QTest::keyClick(pView, Qt::Key_Right);
    QVERIFY(pView->State().ptSelection != ptSelection);

    pView->OnSlideShow();
    pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(pView->GetTotalSize(), szMosaic);
    QCOMPARE(pView->GetScrollPosition(), QPoint(0, 100));
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strTitle);
    // The mosaic is painted again where it was scrolled to.
    // Ten cells of 38 a row fill the client, 420 wide, with gaps of 2.
    const int nPitch = 40;
    const int nRow = 100 / nPitch + 1;
    const QPoint ptCell(3 * nPitch + nPitch / 2, nRow * nPitch + nPitch / 2 - 100);
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(ptCell), FolderColour(nRow * 10 + 3));
}

void TestSlideShow::refusedWhileAMosaicIsBuilt()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 4).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    pView->OnMosaic();
    pView->OnTimer(2);
    QVERIFY(m_pSession->Frame()->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(!pView->State().bSlideShow);
    QCOMPARE(pView->State().nTimerId, 2);
    for (int i = 0; i < 4; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic && !pView->State().bBusy);

    // Pause applies to the build as well, and shows its text.
    pView->OnMosaic();
    QVERIFY(m_pSession->Frame()->SendCommand(ID_VIEW_PAUSE));
    QCOMPARE(Status(), QStringLiteral(" Paused..."));
    pView->OnTimer(2);
    QCOMPARE(pView->State().nMosaicNext, 0);
    QVERIFY(m_pSession->Frame()->SendCommand(ID_VIEW_PAUSE));
    pView->OnTimer(2);
    // Resumed, the tick places what is ready: the first at least.
    QVERIFY(pView->State().nMosaicNext >= 1);
}

void TestSlideShow::ticksArriveOnlyWhileArmed()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 2).isEmpty());
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    SViewSettings settings = pView->Settings();
    settings.nSlidePause = 10;
    pView->ApplySettings(settings);
    pView->OnSlideShow();
    // The real timer runs the show to its end on its own.
    QTRY_VERIFY_WITH_TIMEOUT(!pView->State().bBusy, 5000);
    QCOMPARE(pView->State().nCurrent, 0);
    QCOMPARE(Name(pView->GetPictureDoc()->GetTitle()), QStringLiteral("0.bmp"));

    // A paused show gets no ticks: its timer is gone.
    pView->OnSlideShow();
    QVERIFY(pView->State().bSlideTimer);
    pView->OnPause();
    QVERIFY(!pView->State().bSlideTimer);
    QCOMPARE(pView->State().nCurrent, 0);
}

void TestSlideShow::checkMarksFollowTheShow()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 2).isEmpty());
    QVERIFY(Open(QStringLiteral("0.bmp")));
    CMainFrame* pFrame = m_pSession->Frame();
    const auto checked = [pFrame](int nID) {
        pFrame->UpdateCmdUI();
        return pFrame->GetCommandAction(nID)->isChecked();
    };
    QVERIFY(!checked(ID_VIEW_SLIDESHOW) && !checked(ID_VIEW_PAUSE) && !checked(ID_VIEW_LOOP));
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(pFrame->SendCommand(ID_VIEW_PAUSE));
    QVERIFY(pFrame->SendCommand(ID_VIEW_LOOP));
    QVERIFY(checked(ID_VIEW_SLIDESHOW) && checked(ID_VIEW_PAUSE) && checked(ID_VIEW_LOOP));
    // Asked to stop, the show no longer counts as on, though it ends later.
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(!checked(ID_VIEW_SLIDESHOW) && !checked(ID_VIEW_LOOP));
    QVERIFY(checked(ID_VIEW_PAUSE));
}

void TestSlideShow::textsOnlyInTheFocusedWindow()
{
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 4).isEmpty());
    COrvalaView* pFirst = Open(QStringLiteral("0.bmp"));
    QVERIFY(pFirst);
    pFirst->OnSlideShow();
    COrvalaView* pSecond = Open(QStringLiteral("1.bmp"));
    QVERIFY(pSecond && pSecond != pFirst);
    QTRY_VERIFY(pSecond->State().bHasFocus && !pFirst->State().bHasFocus);
    pSecond->OnSlideShow();
    QCOMPARE(Status(), QStringLiteral(" Slide Show for 4 pictures: "));

    // The window without the focus goes on quietly, its bar hidden.
    pFirst->OnTimer(1);
    QCOMPARE(Status(), QStringLiteral(" Slide Show for 4 pictures: "));
    QCOMPARE(Name(pFirst->GetPictureDoc()->GetTitle()), QStringLiteral("0.bmp"));
    QVERIFY(!pFirst->Progress().GetSafeHwnd()->isVisible());
    pSecond->OnTimer(1);
    QCOMPARE(Status(), QStringLiteral(" Slideshow    1 /    4 "));

    auto* pArea = pFirst->GetParentFrame()->mdiArea();
    pArea->setActiveSubWindow(pFirst->GetParentFrame());
    pFirst->setFocus();
    QTRY_VERIFY(pFirst->State().bHasFocus && !pSecond->State().bHasFocus);
    QVERIFY(pFirst->Progress().GetSafeHwnd()->isVisible());
    pSecond->OnTimer(1);
    QCOMPARE(Name(pSecond->GetPictureDoc()->GetTitle()), QStringLiteral("1.bmp"));
    QVERIFY(Status() != QStringLiteral(" Slideshow    2 /    4 "));
    pFirst->OnTimer(1);
    QCOMPARE(Status(), QStringLiteral(" Slideshow    2 /    4 "));
}

QTEST_MAIN(TestSlideShow)
#include "TestSlideShow.moc"
#include "platform/framework/CFrameServices.h"
