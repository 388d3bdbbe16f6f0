#include "TestPictureCommands.h"

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
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QTest>

// The main frame's commands on the picture shown: its panes and information,
// and the ways pictures come in and windows go.

namespace {

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

} // namespace

void TestPictureCommands::picturePanesFollowTheActiveWindow()
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

void TestPictureCommands::pictureInformationShowsCameraData()
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

void TestPictureCommands::droppedPictureAndFolderOpen()
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

void TestPictureCommands::openFolderShowsItsMosaic()
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

void TestPictureCommands::closeAllAndCtrlW()
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

QTEST_MAIN(TestPictureCommands)
