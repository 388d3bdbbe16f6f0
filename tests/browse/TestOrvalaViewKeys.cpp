#include "app/AppSession.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CMDIChildWnd.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestOrvalaViewKeys : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rightShowsNextPicture();
    void enterOpensSelectedPictureWhoseRightShowsTheNext();

private:
    // A folder of count BMPs, 0.bmp .. (count - 1).bmp, each one colour.
    QString MakeFolder(int nCount);
    COrvalaView* Open(const QString& strPath, int nIndex);

    std::unique_ptr<CTestWorkspace> m_pWorkspace;
    std::unique_ptr<CAppSession> m_pSession;
    std::unique_ptr<QTemporaryDir> m_pPictures;
};

namespace {

// The colour the view shows near its top-left corner.
QColor Shown(COrvalaView* pView)
{
    return pView->viewport()->grab().toImage().pixelColor(10, 10);
}

// The number in a picture's file name: the picture's colour.
int Number(const QString& strPath)
{
    return QFileInfo(strPath).completeBaseName().toInt();
}

} // namespace

void TestOrvalaViewKeys::init()
{
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_pSession = std::make_unique<CAppSession>();
    QVERIFY(m_pSession->Started());
    m_pPictures = std::make_unique<QTemporaryDir>();
}

void TestOrvalaViewKeys::cleanup()
{
    m_pSession.reset();
    m_pPictures.reset();
    m_pWorkspace.reset();
}

QString TestOrvalaViewKeys::MakeFolder(int nCount)
{
    return WriteColourFolder(m_pPictures->path(), nCount);
}

COrvalaView* TestOrvalaViewKeys::Open(const QString& strPath, int nIndex)
{
    COrvalaView::OpenPictureWindow(strPath, nIndex);
    auto* pView = COrvalaView::s_pLastPictureView;
    if (pView) {
        pView->GetParentFrame()->resize(500, 400);
        pView->setFocus();
        if (!QTest::qWaitForWindowExposed(pView))
            return nullptr;
    }
    return pView;
}

void TestOrvalaViewKeys::rightShowsNextPicture()
{
    MakeFolder(3);
    COrvalaView* pView = Open(m_pPictures->filePath(QStringLiteral("0.bmp")), 1);
    QVERIFY(pView);
    QCOMPARE(pView->m_arPictures.size(), 3);
    const QString strNext = pView->m_arPictures[2];

    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->m_nCurrent, 2);
    QCOMPARE(pView->m_pPictureDoc->GetTitle(), strNext);
    QCOMPARE(Shown(pView), FolderColour(Number(strNext)));

    // The last picture stays.
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->m_nCurrent, 2);
    QCOMPARE(pView->m_pPictureDoc->GetTitle(), strNext);
}

void TestOrvalaViewKeys::enterOpensSelectedPictureWhoseRightShowsTheNext()
{
    MakeFolder(4);
    COrvalaView* pView = Open(m_pPictures->filePath(QStringLiteral("0.bmp")), 0);
    QVERIFY(pView);
    pView->OnMosaic();
    for (int i = 0; i < 5; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->m_bMosaic);
    const int nPitch = pView->m_nCellWidth + pView->m_nBorderWidth;

    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(pView->m_ptSelection.x() / nPitch, 1);
    QCOMPARE(pView->m_ptSelection.y() / nPitch, 0);

    QTest::keyClick(pView, Qt::Key_Return);
    COrvalaView* pSecond = COrvalaView::s_pLastPictureView;
    QVERIFY(pSecond && pSecond != pView);
    QCOMPARE(pSecond->m_nCurrent, 1);
    pSecond->GetParentFrame()->resize(500, 400);
    pSecond->setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(pSecond));

    const QString strNext = pSecond->m_arPictures[2];
    QTest::keyClick(pSecond, Qt::Key_Right);
    QCOMPARE(pSecond->m_nCurrent, 2);
    QCOMPARE(pSecond->m_pPictureDoc->GetTitle(), strNext);
    QCOMPARE(Shown(pSecond), FolderColour(Number(strNext)));
}

QTEST_MAIN(TestOrvalaViewKeys)
#include "TestOrvalaViewKeys.moc"
