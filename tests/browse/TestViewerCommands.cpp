#include "PictureViewTest.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/CMosaicBuild.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestPictures.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CProgressCtrl.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CStatusBar.h"
#include "resources/resource.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Fit, zoom, full screen, the way back from the mosaic and Move to Trash, as
// a user meets them in a picture window.
class TestViewerCommands : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fitShowsAPortraitWhole();
    void zoomStepsAboutTheCentre();
    void fullScreenAndBack();
    void escLeavesTheMosaicAndMosaicComesBackAtOnce();
    void deleteMovesToTrashAndDropsTheRecord();
    void trashInANewHomeAndUndo();
    void thumbnailsForDevicePixels();

private:
    COrvalaView* OpenUser(const QString& strName);
    // A new account's home, without .local/share, where the trash is made.
    std::unique_ptr<QTemporaryDir> m_pHome;
    QByteArray m_home;
    QByteArray m_dataHome;
};

void TestViewerCommands::init()
{
    m_pHome = std::make_unique<QTemporaryDir>();
    m_home = qgetenv("HOME");
    m_dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", QFile::encodeName(m_pHome->path()));
    qunsetenv("XDG_DATA_HOME");
    QVERIFY(StartSession());
    // Zoom keys keep the point under the pointer: keep it off the windows.
    QCursor::setPos(-500, -500);
}

void TestViewerCommands::cleanup()
{
    EndSession();
    qputenv("HOME", m_home);
    if (!m_dataHome.isEmpty())
        qputenv("XDG_DATA_HOME", m_dataHome);
}

COrvalaView* TestViewerCommands::OpenUser(const QString& strName)
{
    m_pSession->App().m_pPictureTemplate->OpenDocumentFile(m_pPictures->filePath(strName), true);
    return ShowLastView(QSize(520, 380));
}

void TestViewerCommands::fitShowsAPortraitWhole()
{
    QImage portrait(300, 600, QImage::Format_RGB32);
    portrait.fill(Qt::red);
    QVERIFY(portrait.save(m_pPictures->filePath(QStringLiteral("p.bmp"))));
    COrvalaView* pView = OpenUser(QStringLiteral("p.bmp"));
    QVERIFY(pView);
    // Fitted to the width, the picture covers the client and is cut below.
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(60, 190), QColor(Qt::red));

    QTest::keyClick(pView, Qt::Key_F);
    QCOMPARE(pView->State().eFit, EPictureFit::Window);
    // 380 high of 600: 190 wide, centred between 165 and 355, top to bottom.
    const QImage shown = pView->viewport()->grab().toImage();
    QCOMPARE(shown.pixelColor(60, 190), QColor(Qt::white));
    QCOMPARE(shown.pixelColor(460, 190), QColor(Qt::white));
    QCOMPARE(shown.pixelColor(170, 2), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(350, 377), QColor(Qt::red));
    // It follows the window.
    pView->GetParentFrame()->resize(pView->GetParentFrame()->size() + QSize(0, 200));
    QTRY_COMPARE(pView->viewport()->height(), 580);
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(260, 570), QColor(Qt::red));
}

void TestViewerCommands::zoomStepsAboutTheCentre()
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(m_pPictures->filePath(QStringLiteral("z.bmp"))));
    COrvalaView* pView = OpenUser(QStringLiteral("z.bmp"));
    QVERIFY(pView);
    QTest::keyClick(pView, Qt::Key_1);
    QCOMPARE(pView->State().dZoom, 1.0);
    // Smaller than the window at 100%: centred, nothing to scroll.
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(30, 190), QColor(Qt::white));
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(pView, Qt::Key_Plus);
    QCOMPARE(pView->State().dZoom, 1.953125);
    // 781 x 586; the picture point at the centre, (200, 150), is still there:
    // scrolled to (131, 103), within a pixel of rounding at each step.
    QCOMPARE(pView->GetTotalSize(), QSize(781, 586));
    const QPoint ptScroll = pView->GetScrollPosition();
    QVERIFY2(qAbs(ptScroll.x() - 131) <= 1 && qAbs(ptScroll.y() - 103) <= 1,
             qPrintable(QStringLiteral("%1, %2").arg(ptScroll.x()).arg(ptScroll.y())));
    QTest::keyClick(pView, Qt::Key_Minus);
    QCOMPARE(pView->State().dZoom, 1.5625);
    // A slide show shows its slides whole, and the zoom comes back after it.
    pView->OnSlideShow();
    QCOMPARE(pView->State().eFit, EPictureFit::Window);
    pView->OnSlideShow();
    pView->OnTimer(1);
    QVERIFY(!pView->State().bSlideShow);
    QCOMPARE(pView->State().dZoom, 1.5625);

    QTest::keyClick(pView, Qt::Key_F);
    QCOMPARE(pView->State().dZoom, 1.0);
    QCOMPARE(pView->GetTotalSize(), QSize(0, 0));
}

void TestViewerCommands::fullScreenAndBack()
{
    WriteColourFolder(m_pPictures->path(), 3);
    COrvalaView* pView = OpenUser(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    CMDIChildWnd* pFrame = pView->GetParentFrame();

    QTest::keyClick(pView, Qt::Key_F11);
    QVERIFY(pView->State().bFullScreen);
    QVERIFY(pView->window() != m_pSession->Frame());
    QVERIFY(pView->window()->isFullScreen());
    QCOMPARE(pView->State().eFit, EPictureFit::Window);
    // Keys work there, and the caption still follows.
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), m_pPictures->filePath(QStringLiteral("1.bmp")));
    QCOMPARE(pFrame->windowTitle(), m_pPictures->filePath(QStringLiteral("1.bmp")));
    // Black around the picture.
    QTRY_COMPARE(pView->viewport()->grab().toImage().pixelColor(2, pView->viewport()->height() / 2),
                 QColor(Qt::black));

    QTest::keyClick(pView, Qt::Key_Escape);
    QVERIFY(!pView->State().bFullScreen);
    QCOMPARE(pFrame->widget(), pView);
    QCOMPARE(pView->State().eFit, EPictureFit::Width);
    QCOMPARE(Shown(pView), FolderColour(1));

    // Closed while full screen, the black window goes with it.
    QTest::keyClick(pView, Qt::Key_F11);
    QPointer<QWidget> pBlack = pView->window();
    QVERIFY(pBlack != m_pSession->Frame());
    QVERIFY(m_pSession->Frame()->SendCommand(ID_FILE_CLOSE));
    QTRY_VERIFY(pBlack.isNull());
}

void TestViewerCommands::escLeavesTheMosaicAndMosaicComesBackAtOnce()
{
    WriteColourFolder(m_pPictures->path(), 12, QSize(8, 8));
    AfxGetFrameServices()->OpenPictureWindow(m_pPictures->filePath(QStringLiteral("0.bmp")), 0);
    COrvalaView* pView = ShowLastView(QSize(520, 380));
    QVERIFY(pView);
    pView->OnMosaic();
    for (int i = 0; i <= 12; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic);
    QTest::keyClick(pView, Qt::Key_Right);
    const QPoint ptSelection = pView->State().ptSelection;

    QTest::keyClick(pView, Qt::Key_Escape);
    QVERIFY(!pView->State().bMosaic);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), m_pPictures->filePath(QStringLiteral("1.bmp")));
    QCOMPARE(Shown(pView), FolderColour(1));
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(Shown(pView), FolderColour(2));

    // No tick needed: the thumbnails were kept, and the frame is where it was.
    pView->OnMosaic();
    QVERIFY(pView->State().bMosaic);
    QVERIFY(!pView->State().bMosaicTimer);
    QCOMPARE(pView->State().ptSelection, ptSelection);
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(60 + 24, 24), FolderColour(1));
}

void TestViewerCommands::deleteMovesToTrashAndDropsTheRecord()
{
    WriteColourFolder(m_pPictures->path(), 3);
    COrvalaView* pView = OpenUser(QStringLiteral("1.bmp"));
    QVERIFY(pView);
    CDao_Table& table = m_pSession->Frame()->GetPhotoDatabase();
    QTRY_COMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 3);
    QTRY_VERIFY(CProgressCtrl::GetActive() == nullptr);
    const QString strPath = m_pPictures->filePath(QStringLiteral("1.bmp"));

    CMessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    QTest::keyClick(pView, Qt::Key_Delete);
    QCOMPARE(recorder.m_arTexts,
             QStringList{QStringLiteral("Move \"%1\" to the trash? Its record in the photo "
                                        "database (theme \"\", comment \"\") is removed too.")
                             .arg(strPath)});
    QVERIFY(QFile::exists(strPath));

    recorder.QueueAnswer(IDYES);
    QTest::keyClick(pView, Qt::Key_Delete);
    QVERIFY(!QFile::exists(strPath));
    QCOMPARE(table.KeysOfPicture(strPath), QList<qint64>());
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 2);
    // The next picture takes its place.
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), m_pPictures->filePath(QStringLiteral("2.bmp")));
    QCOMPARE(pView->Pictures().size(), 2);

    // In a mosaic the framed cell goes; the last one gone, the frame moves back.
    pView->OnMosaic();
    for (int i = 0; i <= 2; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic);
    QTest::keyClick(pView, Qt::Key_Right);
    recorder.QueueAnswer(IDYES);
    QTest::keyClick(pView, Qt::Key_Delete);
    QVERIFY(!QFile::exists(m_pPictures->filePath(QStringLiteral("2.bmp"))));
    QCOMPARE(pView->Pictures(), QStringList{m_pPictures->filePath(QStringLiteral("0.bmp"))});
    QCOMPARE(pView->State().ptSelection.x() / 50, 0);
    QCOMPARE(pView->viewport()->grab().toImage().pixelColor(24, 24), FolderColour(0));
}

void TestViewerCommands::trashInANewHomeAndUndo()
{
    const QString strTrash = m_pHome->filePath(QStringLiteral(".local/share/Trash"));
    WriteColourFolder(m_pPictures->path(), 3);
    COrvalaView* pView = OpenUser(QStringLiteral("1.bmp"));
    QVERIFY(pView);
    CMainFrame* pFrame = m_pSession->Frame();
    CDao_Table& table = pFrame->GetPhotoDatabase();
    QTRY_COMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 3);
    const QString strPath = m_pPictures->filePath(QStringLiteral("1.bmp"));
    table.SaveEditedTexts(table.KeysOfPicture(strPath).value(0), {},
                          {QStringLiteral("Harbour"), QStringLiteral("At dawn")});
    pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pFrame));
    const auto undoEnabled = [pFrame] {
        pFrame->UpdateCmdUI();
        return pFrame->GetCommandAction(ID_EDIT_UNDO)->isEnabled();
    };
    CMessageBoxRecorder recorder;
    // Shift+Delete is Cut; with nothing to undo, Alt+Backspace is no step back.
    QVERIFY(!undoEnabled());
    QTest::keyClick(pView, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(pView, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(Shown(pView), FolderColour(1));
    QCOMPARE(recorder.m_arTexts, QStringList());

    // A file where the trash should be: nothing changes.
    QVERIFY(QDir().mkpath(QFileInfo(strTrash).path()));
    QVERIFY(QFile(strTrash).open(QIODevice::WriteOnly));
    QTest::keyClick(pView, Qt::Key_Delete);
    QCOMPARE(recorder.m_arTexts,
             QStringList({QStringLiteral("Move \"%1\" to the trash? Its record in the photo "
                                         "database (theme \"Harbour\", comment \"At dawn\") is "
                                         "removed too.")
                              .arg(strPath),
                          QStringLiteral("\"%1\" could not be moved to the trash: \"%2\" is not "
                                         "a folder. Nothing was changed.")
                              .arg(strPath, strTrash)}));
    QVERIFY(QFile::exists(strPath));
    QCOMPARE(table.KeysOfPicture(strPath).size(), 1);
    QCOMPARE((*m_pSession->App().m_pRecentFileList)[0], strPath);

    QVERIFY(QFile::remove(strTrash));
    QTest::keyClick(pView, Qt::Key_Delete);
    QVERIFY(QFile::exists(strTrash + "/files/1.bmp"));
    QVERIFY(QFile::exists(strTrash + "/info/1.bmp.trashinfo"));
    QCOMPARE(QDir().entryList({QStringLiteral("files"), QStringLiteral("info")}), QStringList());
    QCOMPARE(table.KeysOfPicture(strPath), QList<qint64>());
    QCOMPARE(m_pSession->App().m_pRecentFileList->GetCount(), 0);

    // The camera's next picture took the name: the trashed one stays there.
    QVERIFY(QFile(strPath).open(QIODevice::WriteOnly));
    QVERIFY(pFrame->SendCommand(ID_FILE_UNDOMOVETOTRASH));
    QCOMPARE(recorder.m_arTexts.value(3),
             QStringLiteral("\"%1\" stays in the trash: another file has taken its name in the "
                            "folder meanwhile.")
                 .arg(strPath));
    QCOMPARE(QFileInfo(strPath).size(), 0);
    QVERIFY(QFile::exists(strTrash + "/files/1.bmp"));

    // Undo, and no step back to 0.bmp besides.
    QVERIFY(QFile::remove(strPath));
    QVERIFY(undoEnabled());
    QTest::keyClick(pView, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(Shown(pView), FolderColour(2));
    QVERIFY(QFile::exists(strPath));
    QVERIFY(!QFile::exists(strTrash + "/info/1.bmp.trashinfo"));
    const std::optional<SPhotoRecord> record =
        table.ReadRecord(table.KeysOfPicture(strPath).value(0));
    QVERIFY(record);
    QCOMPARE(record->m_strTheme, QStringLiteral("Harbour"));
    QCOMPARE(record->m_strComment, QStringLiteral("At dawn"));
    QCOMPARE(pFrame->GetStatusBar()->GetPaneText(0),
             QStringLiteral("\"%1\" is back in its folder, with its record.").arg(strPath));
    QVERIFY(!undoEnabled());

    // Emptied from the trash meanwhile: nothing to put back.
    const QString strNext = m_pPictures->filePath(QStringLiteral("2.bmp"));
    QTest::keyClick(pView, Qt::Key_Delete);
    QVERIFY(QFile::remove(strTrash + "/files/2.bmp"));
    QVERIFY(pFrame->SendCommand(ID_EDIT_UNDO));
    QCOMPARE(recorder.m_arTexts.last(),
             QStringLiteral("\"%1\" is no longer in the trash, so it cannot be put back. Nothing "
                            "was changed.")
                 .arg(strNext));
    QVERIFY(!QFile::exists(strNext));
    QVERIFY(!undoEnabled());
}

void TestViewerCommands::thumbnailsForDevicePixels()
{
    WriteColourFolder(m_pPictures->path(), 1, QSize(400, 300));
    // Cells of 48 on a screen scaled by 2: made 96 device pixels wide.
    CMosaicBuild build;
    build.Start({m_pPictures->filePath(QStringLiteral("0.bmp"))}, 48, false, 2.0);
    QTRY_VERIFY((build.Step(), build.IsDone()));
    const QImage& thumb = build.Thumbnails().at(0);
    QCOMPARE(thumb.size(), QSize(96, 96));
    QCOMPARE(thumb.devicePixelRatio(), 2.0);
}

QTEST_MAIN(TestViewerCommands)
#include "TestViewerCommands.moc"
