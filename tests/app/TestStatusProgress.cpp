#include "TestStatusProgress.h"

#include "AppSession.h"
#include "app/CMainFrame.h"
#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/StatusProgressGeometry.h"

#include <QProgressBar>
#include <QTest>

void TestStatusProgress::rectangleRule_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nPaneRight");
    QTest::addColumn<QRect>("rcExpected");

    // Rectangles as left, top, right (exclusive), bottom (exclusive).
    const auto ltrb = [](int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); };
    QTest::newRow("table filling") << "Filling the Table: " << 500 << ltrb(104, 2, 495, 16);
    QTest::newRow("empty text") << "" << 500 << ltrb(2, 2, 495, 16);
    QTest::newRow("odd length truncates") << "abc" << 300 << ltrb(16, 2, 295, 16);
    QTest::newRow("bytes, not characters") << "été" << 300 << ltrb(27, 2, 295, 16);
    QTest::newRow("slide show") << " Slide Show for 12 pictures: " << 800 << ltrb(159, 2, 795, 16);
    QTest::newRow("too long for the pane")
        << QString(100, QLatin1Char('x')) << 500 << ltrb(550, 2, 550, 16);
}

void TestStatusProgress::rectangleRule()
{
    QFETCH(QString, strText);
    QFETCH(int, nPaneRight);
    QFETCH(QRect, rcExpected);
    QCOMPARE(StatusProgressRect(strText, nPaneRight), rcExpected);
}

namespace {

// Right edge (exclusive) of a status-bar pane.
int PaneRight(CMainFrame* pFrame, int nPane)
{
    const QRect rcPane = pFrame->GetStatusBar()->GetItemRect(nPane);
    return rcPane.x() + rcPane.width();
}

} // namespace

void TestStatusProgress::barLiesOverMessagePane()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    const QString strText = QStringLiteral("Filling the Table: ");
    pFrame->GetStatusProgress().ShowStatusProgress(strText);

    QProgressBar* pBar = pFrame->GetStatusProgress().GetSafeHwnd();
    QVERIFY(pBar);
    QCOMPARE(CProgressCtrl::GetActive(), &pFrame->GetStatusProgress());
    QCOMPARE(pBar->parentWidget(), pFrame->GetStatusBar());
    QCOMPARE(pFrame->GetStatusBar()->GetPaneText(0), strText);
    // 19 bytes at 5.5 pixels each, rows 2 to 16, up to 5 pixels short of the
    // pane's end and so clear of the Caps Lock indicator.
    const QRect rcBar = pBar->geometry();
    QCOMPARE(rcBar.left(), 104);
    QCOMPARE(rcBar.top(), 2);
    QCOMPARE(rcBar.y() + rcBar.height(), 16);
    QCOMPARE(rcBar.x() + rcBar.width(), PaneRight(pFrame, 0) - 5);
    CStatusBar* pStatusBar = pFrame->GetStatusBar();
    QVERIFY(rcBar.x() + rcBar.width() <=
            pStatusBar->GetItemRect(pStatusBar->CommandToIndex(ID_INDICATOR_CAPS)).left());
    QCOMPARE(pBar->minimum(), 0);
    QCOMPARE(pBar->maximum(), 100);
    QCOMPARE(pBar->value(), 0);
    QVERIFY(pBar->isVisible());

    // The caller's end of a run: the bar goes, the message stays.
    pFrame->GetStatusProgress().Remove();
    QVERIFY(pFrame->GetStatusProgress().GetSafeHwnd() == nullptr);
    QCOMPARE(pFrame->GetStatusBar()->GetPaneText(0), strText);
}

void TestStatusProgress::everyCallRestartsTheBar()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    CProgressCtrl ownBar; // a view's own control, never created before
    pFrame->GetStatusProgress().ShowStatusProgress(QStringLiteral(" Show 7 pictures: "), &ownBar);
    QVERIFY(ownBar.GetSafeHwnd());
    QCOMPARE(CProgressCtrl::GetActive(), &ownBar);
    QVERIFY(pFrame->GetStatusProgress().GetSafeHwnd() == nullptr);

    ownBar.SetPos(60);
    QPointer<QProgressBar> pFirst = ownBar.GetSafeHwnd();
    pFrame->GetStatusProgress().ShowStatusProgress(QStringLiteral(" Show 7 pictures: "), &ownBar);
    QVERIFY(pFirst.isNull());
    QCOMPARE(ownBar.GetPos(), 0);
    QCOMPARE(pFrame->GetStatusBar()->findChildren<QProgressBar*>().size(), 1);
}

void TestStatusProgress::barFollowsFrameResize()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    pFrame->resize(700, 500);
    const QString strText = QStringLiteral("Filling the Table: ");
    pFrame->GetStatusProgress().ShowStatusProgress(strText);
    pFrame->GetStatusProgress().SetPos(40);
    const int nWidthBefore = pFrame->GetStatusProgress().GetSafeHwnd()->width();

    pFrame->resize(600, 500);
    QProgressBar* pBar = pFrame->GetStatusProgress().GetSafeHwnd();
    QVERIFY(pBar);
    // The pane lost the 100 pixels the frame lost; the bar keeps its left edge.
    QCOMPARE(pBar->geometry().left(), 104);
    QCOMPARE(pBar->geometry().top(), 2);
    QCOMPARE(pBar->width(), nWidthBefore - 100);
    QCOMPARE(pBar->x() + pBar->width(), PaneRight(pFrame, 0) - 5);
    QCOMPARE(pBar->value(), 0);

    // With no bar shown a resize lays nothing out.
    pFrame->GetStatusProgress().Remove();
    pFrame->resize(650, 500);
    QVERIFY(pFrame->GetStatusBar()->findChildren<QProgressBar*>().isEmpty());
}

void TestStatusProgress::closedOwnerLeavesNoActiveControl()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    {
        // A picture window closed in the middle of its mosaic takes its bar along.
        CProgressCtrl viewBar;
        pFrame->GetStatusProgress().ShowStatusProgress(QStringLiteral(" Mosaic: "), &viewBar);
        QCOMPARE(CProgressCtrl::GetActive(), &viewBar);
    }
    QVERIFY(CProgressCtrl::GetActive() == nullptr);
    QVERIFY(pFrame->GetStatusBar()->findChildren<QProgressBar*>().isEmpty());
    pFrame->resize(pFrame->width() - 50, pFrame->height());
    QVERIFY(pFrame->GetStatusBar()->findChildren<QProgressBar*>().isEmpty());
}

QTEST_MAIN(TestStatusProgress)
