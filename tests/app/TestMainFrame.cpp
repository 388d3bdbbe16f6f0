#include "TestMainFrame.h"

#include "AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaView.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CHelpWindow.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTest>

namespace {

int Setting(const QString& strEntry)
{
    return QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"))
        .value(QStringLiteral("Settings/") + strEntry, -1)
        .toInt();
}

// Places the frame so that its outer rectangle, decorations included, is rc.
void SetFrameRect(QWidget* pFrame, const QRect& rc)
{
    const QSize szExtra = pFrame->frameGeometry().size() - pFrame->size();
    pFrame->resize(rc.size() - szExtra);
    pFrame->move(rc.topLeft());
}

QSize DefaultSize()
{
    return QApplication::primaryScreen()->availableGeometry().size() * 3 / 4;
}

QStringList MenuCaptions(CMainFrame* pFrame)
{
    QStringList arCaptions;
    for (QAction* pAction : pFrame->menuBar()->actions())
        arCaptions.append(pAction->text());
    return arCaptions;
}

} // namespace

namespace {
QString StateText(const char* szCommand, int nID, bool bEnabled, bool bChecked)
{
    return QStringLiteral("%1 %2: %3 %4")
        .arg(QLatin1String(szCommand))
        .arg(nID)
        .arg(QLatin1String(bEnabled ? "enabled" : "disabled"),
             QLatin1String(bChecked ? "checked" : "unchecked"));
}
} // namespace

void TestMainFrame::firstRunTakesDefaultPlacement()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    QVERIFY(!session.Frame()->isMaximized());
    QCOMPARE(session.Frame()->size(), DefaultSize());
    QCOMPARE(session.Frame()->windowTitle(), QStringLiteral("Orvala"));
    QVERIFY(session.Frame()->MDIClient()->subWindowList().isEmpty());
    QCOMPARE(session.Frame()->GetStatusBar()->GetPaneText(0), QStringLiteral(" "));
}

void TestMainFrame::placementRoundTrip()
{
    CTestWorkspace ws;
    {
        CAppSession session;
        QVERIFY(session.Started());
        SetFrameRect(session.Frame(), QRect(100, 50, 600, 400));
        QCOMPARE(session.Frame()->frameGeometry(), QRect(100, 50, 600, 400));
    }
    QCOMPARE(Setting(QStringLiteral("Xmin")), 100);
    QCOMPARE(Setting(QStringLiteral("Xmax")), 700);
    QCOMPARE(Setting(QStringLiteral("Ymin")), 50);
    QCOMPARE(Setting(QStringLiteral("Ymax")), 450);
    QCOMPARE(Setting(QStringLiteral("ShowMainFrameMaximized")), 0);
    {
        CAppSession next;
        QVERIFY(next.Started());
        QTRY_COMPARE(next.Frame()->frameGeometry(), QRect(100, 50, 600, 400));
    }

    // Saved on a larger screen or at another scale: it comes back on this one.
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("Xmax"), 2300);
    settings.setValue(QStringLiteral("Ymax"), 1750);
    settings.sync();
    CAppSession scaled;
    QVERIFY(scaled.Started());
    QTRY_COMPARE(scaled.Frame()->frameGeometry(),
                 QGuiApplication::primaryScreen()->availableGeometry());
}

void TestMainFrame::maximizedRoundTrip()
{
    CTestWorkspace ws;
    QRect rcMaximized;
    {
        CAppSession session;
        QVERIFY(session.Started());
        session.Frame()->setGeometry(100, 50, 400, 300);
        session.Frame()->showMaximized();
        QTRY_VERIFY(session.Frame()->isMaximized());
        rcMaximized = session.Frame()->frameGeometry();
    }
    QCOMPARE(Setting(QStringLiteral("ShowMainFrameMaximized")), 1);
    QCOMPARE(Setting(QStringLiteral("Xmin")), rcMaximized.left());
    QCOMPARE(Setting(QStringLiteral("Xmax")), rcMaximized.left() + rcMaximized.width());

    // The stored rectangle is the maximized one; it is not applied on start.
    QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"))
        .setValue(QStringLiteral("Settings/Xmax"), 300);
    CAppSession next;
    QVERIFY(next.Started());
    QVERIFY(next.Frame()->isMaximized());
}

void TestMainFrame::emptyStoredRectangleIsIgnored_data()
{
    QTest::addColumn<QList<int>>("arRect"); // Xmin, Xmax, Ymin, Ymax
    QTest::newRow("no width") << QList<int>{100, 100, 50, 650};
    QTest::newRow("inverted") << QList<int>{900, 100, 50, 650};
    QTest::newRow("no height") << QList<int>{100, 900, 50, 50};
}

void TestMainFrame::emptyStoredRectangleIsIgnored()
{
    QFETCH(QList<int>, arRect);
    CTestWorkspace ws;
    {
        QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
        const QStringList arNames = {"Xmin", "Xmax", "Ymin", "Ymax"};
        for (int i = 0; i < 4; ++i)
            settings.setValue(QStringLiteral("Settings/") + arNames.at(i), arRect.at(i));
    }
    CAppSession session;
    QVERIFY(session.Started());
    QCOMPARE(session.Frame()->size(), DefaultSize());
    QVERIFY(!session.Frame()->isMaximized());
}

void TestMainFrame::menusFollowTheActiveChild()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QCOMPARE(MenuCaptions(pFrame), QStringList({"&File", "&View", "Database", "&Help"}));
    QVERIFY(pFrame->SendCommand(ID_FILE_NEW));
    QCOMPARE(MenuCaptions(pFrame), QStringList({"&File", "&View", "Database", "&Window", "&Help"}));
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QCOMPARE(MenuCaptions(pFrame), QStringList({"&File", "&View", "Database", "&Help"}));

    // Hiding the tool bar clears its check mark.
    QVERIFY(pFrame->SendCommand(ID_VIEW_TOOLBAR));
    QVERIFY(!pFrame->GetCommandAction(ID_VIEW_TOOLBAR)->isChecked());
    QVERIFY(pFrame->SendCommand(ID_VIEW_STATUS_BAR));
    QVERIFY(!pFrame->GetStatusBar()->isVisible());

    pFrame->MDIClient()->closeAllSubWindows();
    QCOMPARE(MenuCaptions(pFrame), QStringList({"&File", "&View", "Database", "&Help"}));
    pFrame->UpdateCmdUI();
    QVERIFY(!pFrame->GetCommandAction(ID_VIEW_FULLSIZE)->isEnabled());
}

void TestMainFrame::commandStatesFollowTheActiveChild_data()
{
    QTest::addColumn<QString>("strWindow");
    QTest::addColumn<QStringList>("arExpected");

    struct CRow
    {
        const char* szCommand;
        int nID;
        bool bEnabled;
        bool bChecked;
    };
    // One row a window; its commands' states read as "Caption id: enabled checked".
    const auto addRows = [](const char* szWindow, std::initializer_list<CRow> arRows) {
        QStringList arExpected;
        for (const CRow& row : arRows)
            arExpected << StateText(row.szCommand, row.nID, row.bEnabled, row.bChecked);
        QTest::newRow(szWindow) << QString::fromLatin1(szWindow) << arExpected;
    };
    // Menu 128 and the tool bar with no child window.
    addRows("none", {{"Open", ID_FILE_OPEN, true, false},
                     {"Print Setup", ID_FILE_PRINT_SETUP, true, false},
                     {"Close", ID_FILE_CLOSE, false, false},
                     {"Exit", ID_APP_EXIT, true, false},
                     {"Toolbar", ID_VIEW_TOOLBAR, true, true},
                     {"Status Bar", ID_VIEW_STATUS_BAR, true, true},
                     {"Slide show", ID_VIEW_SLIDESHOW, false, false},
                     {"All Picture Formats", ID_VIEW_ALLFORMATS, true, false},
                     {"Show Table", ID_DATABASE_SHOWTABLE, true, false},
                     {"Show Record", ID_DATABASE_SHOWRECORD, false, false},
                     {"Find Record(s)", ID_DATABASE_FINDRECORDS, false, false},
                     {"Delete Record(s)", ID_DATABASE_DELETERECORDS, false, false},
                     {"Help Topics", ID_HELP_INDEX, true, false},
                     {"About", ID_APP_ABOUT, true, false},
                     {"Print", ID_FILE_PRINT, false, false},
                     {"Properties", ID_VIEW_PROPERTIES, false, false},
                     {"Full Size", ID_VIEW_FULLSIZE, false, false},
                     {"Mosaic", ID_VIEW_MOSAIC, false, false},
                     {"Pause", ID_VIEW_PAUSE, false, false},
                     {"Loop", ID_VIEW_LOOP, false, false},
                     {"Save key", ID_FILE_SAVE, false, false}});
    // Menu 129 and the tool bar over a new picture window.
    addRows("picture", {{"Open", ID_FILE_OPEN, true, false},
                        {"Close", ID_FILE_CLOSE, true, false},
                        {"Print Setup", ID_FILE_PRINT_SETUP, true, false},
                        {"Exit", ID_APP_EXIT, true, false},
                        {"Toolbar", ID_VIEW_TOOLBAR, true, true},
                        {"Status Bar", ID_VIEW_STATUS_BAR, true, true},
                        {"Show Table", ID_DATABASE_SHOWTABLE, true, false},
                        {"Show Record", ID_DATABASE_SHOWRECORD, false, false},
                        {"Find Record(s)", ID_DATABASE_FINDRECORDS, false, false},
                        {"Delete Record(s)", ID_DATABASE_DELETERECORDS, false, false},
                        {"Properties", ID_VIEW_PROPERTIES, true, false},
                        {"Slide show", ID_VIEW_SLIDESHOW, true, false},
                        {"Pause", ID_VIEW_PAUSE, true, false},
                        {"Loop", ID_VIEW_LOOP, true, false},
                        {"New Window", ID_WINDOW_NEW, true, false},
                        {"Cascade", ID_WINDOW_CASCADE, true, false},
                        {"Tile", ID_WINDOW_TILE_HORZ, true, false},
                        {"Arrange Icons", ID_WINDOW_ARRANGE, true, false},
                        {"Help Topics", ID_HELP_INDEX, true, false},
                        {"About", ID_APP_ABOUT, true, false},
                        {"Save key", ID_FILE_SAVE, false, false}});
    // The same window with both bars hidden: still available, unmarked.
    addRows("picture, bars hidden", {{"Toolbar", ID_VIEW_TOOLBAR, true, false},
                                     {"Status Bar", ID_VIEW_STATUS_BAR, true, false}});
    // Menu 128 and the tool bar over a table window.
    addRows("table", {{"Open", ID_FILE_OPEN, true, false},
                      {"Close", ID_FILE_CLOSE, true, false},
                      {"Toolbar", ID_VIEW_TOOLBAR, true, true},
                      {"Show Table", ID_DATABASE_SHOWTABLE, true, false},
                      {"Slide show", ID_VIEW_SLIDESHOW, true, false},
                      {"Help Topics", ID_HELP_INDEX, true, false},
                      {"About", ID_APP_ABOUT, true, false},
                      {"Print", ID_FILE_PRINT, false, false},
                      {"Properties", ID_VIEW_PROPERTIES, false, false},
                      {"Full Size", ID_VIEW_FULLSIZE, false, false},
                      {"Mosaic", ID_VIEW_MOSAIC, false, false},
                      {"Pause", ID_VIEW_PAUSE, false, false},
                      {"Loop", ID_VIEW_LOOP, false, false}});
}

void TestMainFrame::commandStatesFollowTheActiveChild()
{
    QFETCH(QString, strWindow);
    QFETCH(QStringList, arExpected);
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    if (strWindow.startsWith(QLatin1String("picture")))
        QVERIFY(pFrame->SendCommand(ID_FILE_NEW));
    if (strWindow == QLatin1String("picture, bars hidden")) {
        QVERIFY(pFrame->SendCommand(ID_VIEW_TOOLBAR));
        QVERIFY(pFrame->SendCommand(ID_VIEW_STATUS_BAR));
    }
    if (strWindow == QLatin1String("table"))
        QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));

    pFrame->UpdateCmdUI();
    QStringList arStates;
    for (const QString& strExpected : arExpected) {
        // The caption and id are taken from the expectation; the states from the action.
        const QString strCommand = strExpected.section(QLatin1Char(':'), 0, 0);
        const int nID = strCommand.section(QLatin1Char(' '), -1).toInt();
        QAction* pAction = pFrame->GetCommandAction(nID);
        QVERIFY2(pAction, qPrintable(strCommand));
        arStates << StateText(strCommand.section(QLatin1Char(' '), 0, -2).toLatin1().constData(),
                              nID, pAction->isEnabled(), pAction->isChecked());
    }
    QCOMPARE(arStates, arExpected);
}

void TestMainFrame::keysReachCommands()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    pFrame->UpdateCmdUI(); // what the event loop does whenever it falls idle

    QTest::keyClick(pFrame, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(pFrame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(pFrame->MDIClient()->subWindowList().size(), 2);
    QCOMPARE(pFrame->MDIGetActive()->windowTitle(), QStringLiteral("Orvala2"));
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("Orvala - Orvala2"));

    // Keys without a handler (Save, Copy) do nothing and open nothing.
    QTest::keyClick(pFrame, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(pFrame, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(pFrame->MDIClient()->subWindowList().size(), 2);
}

void TestMainFrame::hoveredMenuItemPromptsInMessagePane()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QVERIFY(pFrame->SendCommand(ID_FILE_NEW));
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));

    // Open the Database menu from the menu bar and point at Show Table.
    QMenuBar* pMenuBar = pFrame->menuBar();
    QAction* pTitle = pMenuBar->actions().at(2);
    QCOMPARE(pTitle->text(), QStringLiteral("Database"));
    QTest::mouseClick(pMenuBar, Qt::LeftButton, {}, pMenuBar->actionGeometry(pTitle).center());
    QMenu* pMenu = pTitle->menu();
    QTRY_VERIFY(pMenu->isVisible());
    QAction* pItem = pFrame->GetCommandAction(ID_DATABASE_SHOWTABLE);
    QTest::mouseMove(pMenu, pMenu->actionGeometry(pItem).center());
    QTRY_COMPARE(pFrame->GetStatusBar()->GetPaneText(0), QStringLiteral("Show Table"));

    QTest::keyClick(pMenu, Qt::Key_Escape);
    QTest::keyClick(pMenuBar, Qt::Key_Escape);
    QTRY_VERIFY(!pMenu->isVisible());
    // The prompt goes; the pane is blank, as it was.
    QTRY_COMPARE(pFrame->GetStatusBar()->GetPaneText(0).trimmed(), QString());
}

void TestMainFrame::promptGivesBackTheTextItCovered()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    CStatusBar* pStatusBar = pFrame->GetStatusBar();
    const auto hover = [pFrame](const QString& strTip) {
        QStatusTipEvent event(strTip);
        QApplication::sendEvent(pFrame, &event);
    };

    // The pointer crosses two toolbar buttons of a paused show.
    pFrame->SetMessageText(QStringLiteral(" Paused..."));
    hover(QStringLiteral("Pause"));
    QCOMPARE(pStatusBar->GetPaneText(0), QStringLiteral("Pause"));
    hover(QStringLiteral("Loop"));
    hover(QString());
    QCOMPARE(pStatusBar->GetPaneText(0), QStringLiteral(" Paused..."));
    // Leaving a widget without a prompt changes nothing.
    hover(QString());
    QCOMPARE(pStatusBar->GetPaneText(0), QStringLiteral(" Paused..."));

    // A text the program writes under the prompt is the one that stays.
    hover(QStringLiteral("Pause"));
    pFrame->SetMessageText(QStringLiteral(" Slideshow    3 /   10 "));
    hover(QString());
    QCOMPARE(pStatusBar->GetPaneText(0), QStringLiteral(" Slideshow    3 /   10 "));
    hover(QStringLiteral("Pause"));
    pFrame->SetMessageText(QStringLiteral(" Slideshow    4 /   10 "));
    hover(QStringLiteral("Loop"));
    hover(QString());
    QCOMPARE(pStatusBar->GetPaneText(0), QStringLiteral(" Slideshow    4 /   10 "));
}

void TestMainFrame::showTableOpensANewWindowEachTime()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    const QList<QMdiSubWindow*> arWindows = pFrame->MDIClient()->subWindowList();
    QCOMPARE(arWindows.size(), 2);
    for (QMdiSubWindow* pWindow : arWindows)
        QCOMPARE(pWindow->windowTitle(), QStringLiteral("PHOTOS TABLE"));
    QCOMPARE(pFrame->windowTitle(), QStringLiteral("Orvala - PHOTOS TABLE"));
}

void TestMainFrame::openingAnOpenFileActivatesItsWindow()
{
    CTestWorkspace ws;
    const QString strFirst = ws.WriteFile(QStringLiteral("pics/a.jpg"), EncodePicture("JPG"));
    const QString strSecond = ws.WriteFile(QStringLiteral("pics/b.jpg"), EncodePicture("JPG"));
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    CDocument* pFirst = session.App().OpenDocumentFile(strFirst);
    QVERIFY(pFirst);
    QCOMPARE(pFirst->GetTitle(), QStringLiteral("a.jpg"));
    QCOMPARE(pFirst->GetPathName(), strFirst);
    QVERIFY(session.App().OpenDocumentFile(strSecond) != pFirst);
    QCOMPARE(pFrame->MDIGetActive()->windowTitle(), QStringLiteral("b.jpg"));

    QCOMPARE(session.App().OpenDocumentFile(strFirst), pFirst);
    QCOMPARE(pFrame->MDIClient()->subWindowList().size(), 2);
    QCOMPARE(pFrame->MDIGetActive()->GetActiveDocument(), pFirst);
}

void TestMainFrame::recentFilesSurviveARestart()
{
    CTestWorkspace ws;
    QStringList arPaths;
    {
        CAppSession session;
        QVERIFY(session.Started());
        for (int i = 1; i <= 17; ++i) {
            arPaths.prepend(ws.WriteFile(QStringLiteral("p%1.bmp").arg(i), EncodePicture("BMP")));
            QVERIFY(session.App().OpenDocumentFile(arPaths.first()));
        }
        session.Frame()->MDIClient()->closeAllSubWindows();
    }
    CAppSession next;
    QVERIFY(next.Started());
    CRecentFileList* pList = next.App().m_pRecentFileList;
    QCOMPARE(pList->GetCount(), 15);
    for (int i = 0; i < 15; ++i)
        QCOMPARE((*pList)[i], arPaths.at(i));

    // The File menu lists them, and choosing one opens it.
    QMenu* pFileMenu = next.Frame()->menuBar()->actions().first()->menu();
    emit pFileMenu->aboutToShow();
    QVERIFY(pFileMenu->actions().contains(next.Frame()->GetCommandAction(ID_FILE_MRU_FILE1 + 14)));
    QVERIFY(next.Frame()->SendCommand(ID_FILE_MRU_FILE1 + 2));
    QCOMPARE(next.Frame()->MDIGetActive()->GetActiveDocument()->GetPathName(), arPaths.at(2));
    QCOMPARE((*pList)[0], arPaths.at(2));
}

void TestMainFrame::allPictureFormatsIsKept()
{
    CTestWorkspace ws;
    {
        CAppSession session;
        QVERIFY(session.Started());
        QVERIFY(!session.Frame()->ListsAllPictureFormats());
        QVERIFY(session.Frame()->SendCommand(ID_VIEW_ALLFORMATS));
        QVERIFY(session.Frame()->ListsAllPictureFormats());
        // Kept at once, not only when the frame closes.
        QCOMPARE(Setting(QStringLiteral("AllPictureFormats")), 1);
    }
    CAppSession next;
    QVERIFY(next.Started());
    QVERIFY(next.Frame()->ListsAllPictureFormats());
    next.Frame()->UpdateCmdUI();
    QVERIFY(next.Frame()->GetCommandAction(ID_VIEW_ALLFORMATS)->isChecked());
    QVERIFY(next.Frame()->SendCommand(ID_VIEW_ALLFORMATS));
    QCOMPARE(Setting(QStringLiteral("AllPictureFormats")), 0);
}

void TestMainFrame::aboutBoxAndHelp()
{
    CTestWorkspace ws;
    CAppSession session;
    QVERIFY(session.Started());
    QString strTitle;
    QString strText;
    CDialog::SetModalHook([&strTitle, &strText](CDialog* pDialog) {
        strTitle = pDialog->windowTitle();
        for (QLabel* pLabel : pDialog->findChildren<QLabel*>())
            strText += pLabel->text();
        return int(IDOK);
    });
    QVERIFY(session.Frame()->SendCommand(ID_APP_ABOUT));
    CDialog::SetModalHook({});
    QCOMPARE(strTitle, QStringLiteral("About Orvala"));
    QCOMPARE(strText, QStringLiteral("Orvala Version 1.0.0.1"));

    QVERIFY(session.Frame()->SendCommand(ID_HELP_INDEX));
    CHelpWindow* pHelp = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (auto* pCandidate = qobject_cast<CHelpWindow*>(pWidget))
            pHelp = pCandidate;
    }
    QVERIFY(pHelp && pHelp->isVisible());
    QVERIFY(pHelp->toPlainText().contains(QStringLiteral("Photos.mdb")));

    // It goes with the main window rather than keeping the program alive.
    QPointer<CHelpWindow> pGuard(pHelp);
    session.Close();
    QTRY_VERIFY(pGuard.isNull());
}

void TestMainFrame::databaseOpensWithTheFrame()
{
    CTestWorkspace ws;
    CMessageBoxRecorder recorder;
    {
        CAppSession session;
        QVERIFY(session.Started());
        QVERIFY(session.Frame()->GetPhotoDatabase().IsDatabaseOpen());
        QVERIFY(QFile::exists(ws.FilePath(QStringLiteral("Photos.mdb"))));
    }
    CAppSession next;
    QVERIFY(next.Started());
    QVERIFY(next.Frame()->GetPhotoDatabase().IsDatabaseOpen());
    QVERIFY(recorder.m_arTexts.isEmpty());
}

void TestMainFrame::unusableDatabaseIsReportedOnce()
{
    CTestWorkspace ws;
    const QByteArray jetFile =
        QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(2048, 'j');
    ws.WriteFile(QStringLiteral("Photos.mdb"), jetFile);
    CMessageBoxRecorder recorder;
    {
        CAppSession session;
        QVERIFY(session.Started());
        QVERIFY(!session.Frame()->GetPhotoDatabase().IsDatabaseOpen());
        QCOMPARE(recorder.m_arTexts.size(), 1);
        QVERIFY(recorder.m_arTexts.first().contains(QStringLiteral("Photos.mdb")));
        // The table says why it cannot be shown; picture windows still open.
        QVERIFY(session.Frame()->SendCommand(ID_DATABASE_SHOWTABLE));
        QCOMPARE(recorder.m_arTexts.size(), 2);
        QVERIFY(recorder.m_arTexts.last().contains(QStringLiteral("Photos.mdb")));
        QVERIFY(session.Frame()->MDIClient()->subWindowList().isEmpty());
        QVERIFY(session.Frame()->SendCommand(ID_FILE_NEW));
        QCOMPARE(session.Frame()->MDIClient()->subWindowList().size(), 1);
    }
    QFile file(ws.FilePath(QStringLiteral("Photos.mdb")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), jetFile);
}

QTEST_MAIN(TestMainFrame)
