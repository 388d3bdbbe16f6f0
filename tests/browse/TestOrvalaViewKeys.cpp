#include "PictureViewTest.h"
#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CStatusBar.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QWheelEvent>

class TestOrvalaViewKeys : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void stepsStartFromThePictureShown();
    void enterOpensSelectedPictureWhoseRightShowsTheNext();
    void clicksSelectCellsOnly();
    void doubleClickOpensTheCellUnderIt();
    void ctrlWheelScrollsSideways();
    void keysInAFinishedMosaicDecodeNothing();

private:
    // A folder of count BMPs, 0.bmp .. (count - 1).bmp, each one colour.
    QString MakeFolder(int nCount);
    COrvalaView* Open(const QString& strPath, int nIndex);
    // A finished mosaic of nCount pictures, ten cells of 48 a row.
    COrvalaView* OpenMosaic(int nCount);
};

namespace {

// The number in a picture's file name: the picture's colour.
int Number(const QString& strPath)
{
    return QFileInfo(strPath).completeBaseName().toInt();
}

} // namespace

void TestOrvalaViewKeys::init()
{
    QVERIFY(StartSession());
}

void TestOrvalaViewKeys::cleanup()
{
    EndSession();
}

QString TestOrvalaViewKeys::MakeFolder(int nCount)
{
    return WriteColourFolder(m_pPictures->path(), nCount);
}

COrvalaView* TestOrvalaViewKeys::Open(const QString& strPath, int nIndex)
{
    AfxGetFrameServices()->OpenPictureWindow(strPath, nIndex);
    return ShowLastView(QSize(520, 380));
}

void TestOrvalaViewKeys::stepsStartFromThePictureShown()
{
    MakeFolder(5);
    // As File > Open does it: the folder is listed at the first key.
    m_pSession->App().m_pPictureTemplate->OpenDocumentFile(
        m_pPictures->filePath(QStringLiteral("2.bmp")), true);
    COrvalaView* pView = ShowLastView(QSize(520, 380));
    QVERIFY(pView);
    const QList<QPair<int, const char*>> arSteps{{Qt::Key_Right, "3.bmp"},
                                                 {Qt::Key_Left, "2.bmp"},
                                                 {Qt::Key_Home, "0.bmp"},
                                                 {Qt::Key_End, "4.bmp"},
                                                 {Qt::Key_Right, "4.bmp"}};
    for (const auto& [nKey, szName] : arSteps) {
        QTest::keyClick(pView, Qt::Key(nKey));
        const QString strPath = m_pPictures->filePath(QLatin1String(szName));
        QCOMPARE(pView->GetPictureDoc()->GetTitle(), strPath);
        QCOMPARE(Shown(pView), FolderColour(Number(strPath)));
    }
}

void TestOrvalaViewKeys::enterOpensSelectedPictureWhoseRightShowsTheNext()
{
    MakeFolder(4);
    COrvalaView* pView = Open(m_pPictures->filePath(QStringLiteral("0.bmp")), 0);
    QVERIFY(pView);
    pView->OnMosaic();
    for (int i = 0; i < 5; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic);
    // Ten cells of 48 a row fill the client, 520 wide, with gaps of 2.
    const int nPitch = 50;

    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->State().ptSelection.x() / nPitch, 1);
    QCOMPARE(pView->State().ptSelection.y() / nPitch, 0);

    QTest::keyClick(pView, Qt::Key_Return);
    COrvalaView* pSecond = m_pSession->NewestPictureView();
    QVERIFY(pSecond && pSecond != pView);
    QCOMPARE(pSecond->State().nCurrent, 1);
    pSecond->GetParentFrame()->resize(500, 400);
    pSecond->setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(pSecond));

    const QString strNext = pSecond->Pictures()[2];
    QTest::keyClick(pSecond, Qt::Key_Right);
    QCOMPARE(pSecond->State().nCurrent, 2);
    QCOMPARE(pSecond->GetPictureDoc()->GetTitle(), strNext);
    QCOMPARE(Shown(pSecond), FolderColour(Number(strNext)));
}

COrvalaView* TestOrvalaViewKeys::OpenMosaic(int nCount)
{
    if (WriteColourFolder(m_pPictures->path(), nCount, QSize(8, 8)).isEmpty())
        return nullptr;
    COrvalaView* pView = Open(m_pPictures->filePath(QStringLiteral("0.bmp")), 0);
    if (!pView)
        return nullptr;
    pView->OnMosaic();
    for (int i = 0; i <= nCount; ++i)
        pView->OnTimer(2);
    return pView->State().bMosaic ? pView : nullptr;
}

void TestOrvalaViewKeys::clicksSelectCellsOnly()
{
    COrvalaView* pView = OpenMosaic(12);
    QVERIFY(pView);
    const int p = 50;
    // Wider than the mosaic: room right of the last column.
    pView->GetParentFrame()->resize(800, 400);
    QTRY_VERIFY(pView->viewport()->width() > 10 * p + 20);
    CStatusBar* pStatus = m_pSession->Frame()->GetStatusBar();

    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, QPoint(p + 5, p + 5));
    QCOMPARE(pView->State().ptSelection, QPoint(p + 5, p + 5));
    QCOMPARE(Number(pStatus->GetPaneText(0)), 11);

    // Right of the last column and on the empty cells after the last picture
    // the selection stays, its frame still drawn.
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, QPoint(10 * p + 10, 5));
    QCOMPARE(pView->State().ptSelection, QPoint(p + 5, p + 5));
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, QPoint(5 * p + 5, p + 5));
    QCOMPARE(pView->State().ptSelection, QPoint(p + 5, p + 5));
    QTRY_COMPARE(pView->viewport()->grab().toImage().pixelColor(p, p + p / 2), QColor(Qt::red));

    // A picture window not showing a mosaic takes no selection.
    COrvalaView* pSingle = Open(m_pPictures->filePath(QStringLiteral("3.bmp")), 3);
    QVERIFY(pSingle);
    QTest::mouseClick(pSingle->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(pSingle->State().ptSelection, QPoint());
}

void TestOrvalaViewKeys::doubleClickOpensTheCellUnderIt()
{
    COrvalaView* pView = OpenMosaic(12);
    QVERIFY(pView);
    const int p = 50;
    pView->GetParentFrame()->resize(800, 400);
    QTRY_VERIFY(pView->viewport()->width() > 10 * p + 20);

    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, QPoint(10 * p + 10, 5));
    QCOMPARE(m_pSession->NewestPictureView(), pView);
    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, QPoint(3 * p + 5, p + 5));
    QCOMPARE(m_pSession->NewestPictureView(), pView);

    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, QPoint(p + 5, p + 5));
    COrvalaView* pOpened = m_pSession->NewestPictureView();
    QVERIFY(pOpened && pOpened != pView);
    QCOMPARE(pOpened->State().nCurrent, 11);
    QCOMPARE(Number(pOpened->GetPictureDoc()->GetPathName()), 11);
    QVERIFY(!pOpened->State().bUserOpen);
    QCOMPARE(m_pSession->Frame()->GetStatusBar()->GetPaneText(0), QString());
}

void TestOrvalaViewKeys::ctrlWheelScrollsSideways()
{
    COrvalaView* pView = OpenMosaic(30);
    QVERIFY(pView);
    // Narrower than the mosaic: both ways to scroll.
    pView->GetParentFrame()->resize(200, 150);
    QTRY_VERIFY(pView->horizontalScrollBar()->maximum() > 240);
    pView->ScrollToPosition(QPoint(200, 0));
    const QPoint ptCentre = pView->viewport()->rect().center();

    // Wheel away from the user scrolls left, a pixel per unit.
    QWheelEvent away(ptCentre, pView->viewport()->mapToGlobal(ptCentre), QPoint(), QPoint(0, 120),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pView->viewport(), &away);
    QCOMPARE(pView->GetScrollPosition(), QPoint(80, 0));
    QWheelEvent toward(ptCentre, pView->viewport()->mapToGlobal(ptCentre), QPoint(),
                       QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                       false);
    QCoreApplication::sendEvent(pView->viewport(), &toward);
    QCOMPARE(pView->GetScrollPosition(), QPoint(200, 0));

    // Without Ctrl, or with Shift as well, the wheel scrolls down.
    QWheelEvent plain(ptCentre, pView->viewport()->mapToGlobal(ptCentre), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pView->viewport(), &plain);
    QCOMPARE(pView->GetScrollPosition().x(), 200);
    QVERIFY(pView->GetScrollPosition().y() > 0);
    const int y = pView->GetScrollPosition().y();
    QWheelEvent shifted(ptCentre, pView->viewport()->mapToGlobal(ptCentre), QPoint(),
                        QPoint(0, -120), Qt::NoButton, Qt::ControlModifier | Qt::ShiftModifier,
                        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pView->viewport(), &shifted);
    QCOMPARE(pView->GetScrollPosition().x(), 200);
    QVERIFY(pView->GetScrollPosition().y() != y);
}

void TestOrvalaViewKeys::keysInAFinishedMosaicDecodeNothing()
{
    COrvalaView* pView = OpenMosaic(403);
    QVERIFY(pView);
    QThreadPool::globalInstance()->waitForDone();
    const CPicture* pPicture = pView->GetPictureDoc()->m_pPicture.get();
    const int p = 50;

    const QList<QPair<int, Qt::KeyboardModifiers>> arKeys{{Qt::Key_End, Qt::ControlModifier},
                                                          {Qt::Key_PageUp, {}},
                                                          {Qt::Key_Left, {}},
                                                          {Qt::Key_Up, {}},
                                                          {Qt::Key_Right, {}},
                                                          {Qt::Key_Down, {}},
                                                          {Qt::Key_Home, {}},
                                                          {Qt::Key_PageDown, {}}};
    for (const auto& [nKey, modifiers] : arKeys) {
        QTest::keyClick(pView, Qt::Key(nKey), modifiers);
        // Anything decoded would run on the pool or replace the document's picture.
        QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        QCOMPARE(pView->GetPictureDoc()->m_pPicture.get(), pPicture);
        QVERIFY(!pView->State().bBusy);
    }
    // 402, 302, 301, 291, 292, 302, 300, then Page Down to 400.
    QCOMPARE(pView->State().ptSelection.x() / p, 0);
    QCOMPARE(pView->State().ptSelection.y() / p, 40);
    QVERIFY(pView->GetScrollPosition().y() > 0);
}

QTEST_MAIN(TestOrvalaViewKeys)
#include "TestOrvalaViewKeys.moc"
#include "platform/framework/CFrameServices.h"
