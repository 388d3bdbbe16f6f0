#include "TestMainFrame.h"

#include "AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaView.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestExifJpeg.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CHelpWindow.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
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

// The three picture panes of the status bar, by their ids, joined by "|".
QString PicturePanes(CMainFrame* pFrame)
{
    CStatusBar* pBar = pFrame->GetStatusBar();
    QStringList arTexts;
    for (int nID : {ID_INDICATOR_PIXELS, ID_INDICATOR_FILESIZE, ID_INDICATOR_TAKEN})
        arTexts << pBar->GetPaneText(pBar->CommandToIndex(nID));
    return arTexts.join(QLatin1Char('|'));
}

// Drops the local files on the frame as a file manager does.
bool DropFiles(CMainFrame* pFrame, const QStringList& arPaths)
{
    QMimeData data;
    QList<QUrl> arUrls;
    for (const QString& strPath : arPaths)
        arUrls << QUrl::fromLocalFile(strPath);
    data.setUrls(arUrls);
    const QPoint pt = pFrame->rect().center();
    QDragEnterEvent enter(pt, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pFrame, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(pt), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pFrame, &drop);
    return drop.isAccepted();
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

void TestMainFrame::picturePanesFollowTheActiveWindow()
{
    CTestWorkspace ws;
    const QString strCamera = ws.WriteFile(QStringLiteral("pics/camera.jpg"), MakeExifCameraJpeg());
    const QString strPlain = ws.WriteFile(QStringLiteral("pics/plain.bmp"), EncodePicture("BMP"));
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QCOMPARE(PicturePanes(pFrame), QStringLiteral("||"));

    QVERIFY(session.App().OpenDocumentFile(strCamera));
    // Upright: the camera held the 64 x 48 picture turned; its file is 1049 bytes.
    const QString strCameraPanes = QStringLiteral("48 x 64|1.0 KB|12/07/2006 14:03:22");
    QCOMPARE(PicturePanes(pFrame), strCameraPanes);
    QVERIFY(session.App().OpenDocumentFile(strPlain));
    QCOMPARE(PicturePanes(pFrame),
             QStringLiteral("16 x 12|%1 bytes|").arg(QFileInfo(strPlain).size()));
    // Stepping to the next picture of the folder tells about that one.
    QTest::keyClick(session.NewestPictureView(), Qt::Key_Left);
    QTRY_COMPARE(PicturePanes(pFrame), strCameraPanes);

    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QCOMPARE(PicturePanes(pFrame), QStringLiteral("||"));
    pFrame->MDIClient()->closeAllSubWindows();
    QCOMPARE(PicturePanes(pFrame), QStringLiteral("||"));
}

void TestMainFrame::pictureInformationShowsCameraData()
{
    CTestWorkspace ws;
    const QString strPath = ws.WriteFile(QStringLiteral("camera.jpg"), MakeExifCameraJpeg());
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    pFrame->UpdateCmdUI();
    QVERIFY(!pFrame->GetCommandAction(ID_VIEW_PICTUREINFO)->isEnabled());
    QVERIFY(session.App().OpenDocumentFile(strPath));
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));

    const QString strMap =
        QStringLiteral("https://www.openstreetmap.org/"
                       "?mlat=-33.856733&mlon=-70.500000#map=16/-33.856733/-70.500000");
    CUrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    QStringList arRows;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        arRows << pDialog->windowTitle();
        for (QFormLayout* pForm : pDialog->findChildren<QFormLayout*>()) {
            for (int i = 0; i < pForm->rowCount(); ++i) {
                auto* pLabel =
                    qobject_cast<QLabel*>(pForm->itemAt(i, QFormLayout::LabelRole)->widget());
                auto* pValue =
                    qobject_cast<QLabel*>(pForm->itemAt(i, QFormLayout::FieldRole)->widget());
                arRows << pLabel->text() + QLatin1Char(' ') + pValue->text();
            }
        }
        emit pDialog->findChild<QLabel*>(QStringLiteral("m_wndPosition"))->linkActivated(strMap);
        return int(IDOK);
    });
    QTest::keyClick(pFrame, Qt::Key_Return, Qt::AltModifier);
    CDialog::SetModalHook({});
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    // Path, size and date modified come first.
    QCOMPARE(arRows.value(1), QStringLiteral("Path: ") + strPath);
    QCOMPARE(arRows.mid(4).join(QLatin1Char('|')),
             QStringLiteral("Pixels: 48 x 64|Format: JPEG|Colours: RGB, 24 bits a pixel (sRGB)|"
                            "Make: Tarnwick Optics|Model: TW-100|Lens: TW 24-70mm F2.8|"
                            "Taken: 12/07/2006 14:03:22|Exposure: 1/250 s|Aperture: f/2.8|ISO: 400|"
                            "Focal length: 50 mm|Flash: Fired, auto mode|"
                            "Orientation: Rotated 90\u00b0 clockwise|Position: <a href=\"%1\">"
                            "33.856733\u00b0 S, 70.500000\u00b0 W</a>")
                 .arg(QString(strMap).replace(QLatin1String("&"), QLatin1String("&amp;"))));
    QCOMPARE(arRows.value(0), QStringLiteral("Picture Information"));
    QCOMPARE(browser.m_arUrls, QList<QUrl>({QUrl(strMap)}));
}

void TestMainFrame::droppedPictureAndFolderOpen()
{
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(QStringLiteral("one/a.jpg"), EncodePicture("JPG"));
    ws.WriteFile(QStringLiteral("two/b.bmp"), EncodePicture("BMP"));
    ws.WriteFile(QStringLiteral("two/c.bmp"), EncodePicture("BMP"));
    const QString strText = ws.WriteFile(QStringLiteral("notes.txt"), "no picture");
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QMdiArea* pArea = pFrame->MDIClient();

    QVERIFY(!DropFiles(pFrame, {strText}));
    // The text file is left alone; the picture opens as File Open opens it.
    QVERIFY(DropFiles(pFrame, {strText, strPicture}));
    QTRY_COMPARE(pArea->subWindowList().size(), 1);
    COrvalaView* pView = session.NewestPictureView();
    QCOMPARE(pView->GetDocument()->GetPathName(), strPicture);
    // The user opened it, so its folder is imported.
    QVERIFY(pView->State().bUserOpen);

    QVERIFY(DropFiles(pFrame, {ws.FilePath(QStringLiteral("two"))}));
    QTRY_COMPARE(pArea->subWindowList().size(), 2);
    pView = session.NewestPictureView();
    QVERIFY(!pView->State().bUserOpen);
    QTRY_VERIFY(pView->State().bMosaic);
    QCOMPARE(pView->Pictures().size(), 2);
}

void TestMainFrame::openFolderShowsItsMosaic()
{
    CTestWorkspace ws;
    ws.WriteFile(QStringLiteral("pics/b.bmp"), EncodePicture("BMP"));
    ws.WriteFile(QStringLiteral("pics/c.bmp"), EncodePicture("BMP"));
    ws.WriteFile(QStringLiteral("empty/notes.txt"), "no picture");
    // The folder opened last is gone: the choosers start in the working folder.
    QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"))
        .setValue(QStringLiteral("Settings/OpenFolder"), ws.FilePath(QStringLiteral("gone")));
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    CMessageBoxRecorder recorder;
    QStringList arChosen = {ws.FilePath(QStringLiteral("empty")),
                            ws.FilePath(QStringLiteral("pics")), QString()};
    QStringList arStarts;
    SetFileDialogHook([&](bool bFolder, const QString& strTitle, const QString& strFolder) {
        arStarts << QStringLiteral("%1 %2 %3").arg(bFolder).arg(strTitle, strFolder);
        return arChosen.takeFirst();
    });
    QVERIFY(pFrame->SendCommand(ID_FILE_OPENFOLDER));
    QVERIFY(pFrame->SendCommand(ID_FILE_OPENFOLDER));
    QVERIFY(pFrame->SendCommand(ID_FILE_OPEN)); // cancelled
    SetFileDialogHook({});

    QCOMPARE(recorder.m_arTexts, QStringList(QStringLiteral("The folder \"%1\" holds no pictures.")
                                                 .arg(ws.FilePath(QStringLiteral("empty")))));
    QCOMPARE(pFrame->MDIClient()->subWindowList().size(), 1);
    COrvalaView* pView = session.NewestPictureView();
    QTRY_VERIFY(pView->State().bMosaic);
    QCOMPARE(pView->Pictures().size(), 2);
    QCOMPARE(pView->GetDocument()->GetTitle(), ws.FilePath(QStringLiteral("pics/")));
    // Then where a picture was opened last, kept for the next run.
    QCOMPARE(arStarts, QStringList({QStringLiteral("1 Open Folder %1").arg(ws.Path()),
                                    QStringLiteral("1 Open Folder %1").arg(ws.Path()),
                                    QStringLiteral("0 Open %1").arg(ws.FilePath("pics"))}));
    QCOMPARE(QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"))
                 .value(QStringLiteral("Settings/OpenFolder")),
             QVariant(ws.FilePath("pics")));
}

void TestMainFrame::closeAllAndCtrlW()
{
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(QStringLiteral("a.jpg"), EncodePicture("JPG"));
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QMdiArea* pArea = pFrame->MDIClient();
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    pFrame->UpdateCmdUI();
    QVERIFY(!pFrame->GetCommandAction(ID_WINDOW_CLOSEALL)->isEnabled());

    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QVERIFY(session.App().OpenDocumentFile(strPicture));
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QVERIFY(pFrame->SendCommand(ID_FILE_NEW));
    QTest::keyClick(pFrame, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(pArea->subWindowList().size(), 3);
    QTest::keyClick(pFrame, Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(pArea->subWindowList().size(), 2);
    // Whichever went, a table window is among those left.
    QVERIFY(pFrame->SendCommand(ID_WINDOW_CLOSEALL));
    QCOMPARE(pArea->subWindowList().size(), 0);
    QVERIFY(!pFrame->GetCommandAction(ID_WINDOW_CLOSEALL)->isEnabled());
}

QTEST_MAIN(TestMainFrame)
