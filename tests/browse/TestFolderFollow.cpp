#include "PictureViewTest.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/CFolderModel.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "browse/MosaicGeometry.h"
#include "common/TestPictures.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/WorkerWait.h"
#include "resources/resource.h"

#include <QFile>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

// Picture windows follow their folder on disk, whoever changes it.
class TestFolderFollow : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { EndSession(); }
    void removedLeavesEveryWindow();
    void createdByAnotherProgramJoinsTheMosaic();
    void renameKeepsTheCurrentPicture();
    void halfWrittenFileWaitsUntilSettled();
    void keyBeforeTheListingActsOnceItIsIn();

private:
    QString Path(const QString& strName) const { return m_pPictures->filePath(strName); }
    COrvalaView* Open(const QString& strName, int nIndex);
};

void TestFolderFollow::init()
{
    QVERIFY(StartSession());
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 4).isEmpty());
}

COrvalaView* TestFolderFollow::Open(const QString& strName, int nIndex)
{
    m_pSession->Frame()->OpenPictureWindow(Path(strName), nIndex);
    return ShowLastView(QSize(520, 380));
}

void TestFolderFollow::removedLeavesEveryWindow()
{
    COrvalaView* pSingle = Open(QStringLiteral("1.bmp"), 1);
    COrvalaView* pMosaic = Open(QStringLiteral("2.bmp"), 2);
    QVERIFY(pSingle && pMosaic);
    pMosaic->OnMosaic();
    QTRY_VERIFY(pMosaic->State().bMosaic);
    // As a trash in another window would.
    QVERIFY(QFile::remove(Path(QStringLiteral("1.bmp"))));
    const QStringList arLeft = {Path(QStringLiteral("0.bmp")), Path(QStringLiteral("2.bmp")),
                                Path(QStringLiteral("3.bmp"))};
    QTRY_COMPARE(pMosaic->Pictures(), arLeft);
    QTRY_COMPARE(pSingle->Pictures(), arLeft);
    QCOMPARE(pMosaic->State().nMosaicNext, 3);
    // The window that showed it shows the next one.
    QCOMPARE(pSingle->GetDocument()->GetTitle(), Path(QStringLiteral("2.bmp")));
    QCOMPARE(pSingle->State().nCurrent, 1);
}

void TestFolderFollow::createdByAnotherProgramJoinsTheMosaic()
{
    QTemporaryDir other;
    QVERIFY(!WriteColourFolder(other.path(), 5).isEmpty());
    QVERIFY(m_pSession->Frame()->OpenFolderMosaic(m_pPictures->path()));
    COrvalaView* pView = ShowLastView(QSize(520, 380));
    QVERIFY(pView);
    QTRY_VERIFY(pView->State().bMosaic);
    QCOMPARE(QProcess::execute(QStringLiteral("cp"), {other.filePath(QStringLiteral("4.bmp")),
                                                      Path(QStringLiteral("4.bmp"))}),
             0);
    QTRY_COMPARE(pView->Pictures().size(), 5);
    QCOMPARE(pView->Pictures().last(), Path(QStringLiteral("4.bmp")));
    const QPoint ptCell = MosaicGeometry(520, 10, 2, 5).CellRect(4).center();
    QTRY_COMPARE(pView->viewport()->grab().toImage().pixelColor(ptCell), FolderColour(4));
}

void TestFolderFollow::renameKeepsTheCurrentPicture()
{
    COrvalaView* pView = Open(QStringLiteral("1.bmp"), 1);
    QVERIFY(pView);
    QVERIFY(QFile::rename(Path(QStringLiteral("1.bmp")), Path(QStringLiteral("one.bmp"))));
    QTRY_COMPARE(pView->GetDocument()->GetTitle(), Path(QStringLiteral("one.bmp")));
    QCOMPARE(pView->Pictures().value(pView->State().nCurrent), Path(QStringLiteral("one.bmp")));
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->GetDocument()->GetTitle(), Path(QStringLiteral("2.bmp")));
}

void TestFolderFollow::halfWrittenFileWaitsUntilSettled()
{
    COrvalaView* pView = Open(QStringLiteral("0.bmp"), 0);
    QVERIFY(pView);
    // The window's own model, shared through the application.
    const auto pModel = m_pSession->App().m_FolderModels.Model(m_pPictures->path(), false);
    QSignalSpy scanned(pModel.get(), &CFolderModel::Scanned);
    const QByteArray bytes = EncodePicture("BMP", QSize(64, 64));
    QFile file(Path(QStringLiteral("5.bmp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A part a listing: the size changes every time the folder is looked at.
    for (int i = 0; i < 3; ++i) {
        file.write(bytes.mid(i * 100, 100));
        QVERIFY(file.flush());
        QVERIFY(scanned.wait());
        QCOMPARE(pView->Pictures().size(), 4);
    }
    file.write(bytes.mid(300));
    file.close();
    QTRY_COMPARE(pView->Pictures().size(), 5);
}

void TestFolderFollow::keyBeforeTheListingActsOnceItIsIn()
{
    m_pSession->App().m_pPictureTemplate->OpenDocumentFile(Path(QStringLiteral("1.bmp")), true);
    COrvalaView* pView = ShowLastView(QSize(520, 380));
    QVERIFY(pView);
    // Every worker busy: the listing the first key asks for (another format
    // choice, another listing) has to wait.
    QSemaphore hold;
    for (int i = 0; i < QThreadPool::globalInstance()->maxThreadCount(); ++i)
        QThreadPool::globalInstance()->start([&hold] { hold.acquire(); });
    SetWorkerWaitMs(0);
    QVERIFY(m_pSession->Frame()->SendCommand(ID_VIEW_ALLFORMATS));
    QTest::keyClick(pView, Qt::Key_Right);
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->GetDocument()->GetTitle(), QStringLiteral("1.bmp"));
    hold.release(QThreadPool::globalInstance()->maxThreadCount());
    QTRY_COMPARE(pView->GetDocument()->GetTitle(), Path(QStringLiteral("3.bmp")));
}

QTEST_MAIN(TestFolderFollow)
#include "TestFolderFollow.moc"
