#include "TestOrvalaDoc.h"

#include "browse/COrvalaDoc.h"
#include "common/TestCameraFiles.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/WorkerWait.h"
#include "platform/picture/CRasterPicture.h"

#include <QTest>

namespace {

// 40 x 30 pixels: 1058 x 794 HIMETRIC.
QByteArray Bmp()
{
    return EncodeImage(MakeMarkedImage(QSize(40, 30), QPoint(0, 0), 5), "BMP");
}

// The width of the pixels the document holds, not of the picture it measures.
int DecodedWidth(const COrvalaDoc& doc)
{
    const auto* pRaster = dynamic_cast<const CRasterPicture*>(doc.m_pPicture.get());
    return pRaster ? pRaster->GetImage().width() : -1;
}

} // namespace

void TestOrvalaDoc::initTestCase()
{
    // Each picture is there when the call that asks for it returns.
    SetWorkerWaitMs(60000);
}

void TestOrvalaDoc::newDocumentIsEmpty()
{
    COrvalaDoc doc;
    QVERIFY(doc.OnNewDocument());
    QVERIFY(!doc.m_pPicture);
    QCOMPARE(doc.m_nPixelWidth, 0);
    QCOMPARE(doc.m_nHimetricHeight, 0);
}

void TestOrvalaDoc::failedOpenKeepsEarlierSizes()
{
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(QStringLiteral("a.bmp"), Bmp());
    const QString strNotes = ws.WriteFile(QStringLiteral("notes.jpg"), "not a picture\n");

    COrvalaDoc doc;
    doc.OpenPicture(strNotes, QSize());
    QVERIFY(!doc.m_pPicture);
    QCOMPARE(doc.Problem(), QStringLiteral("not a picture Orvala can read"));
    QCOMPARE(doc.m_nHimetricWidth, 0);

    // The offscreen screen has 96 dpi.
    doc.OpenPicture(strPicture, QSize());
    QVERIFY(doc.m_pPicture);
    QCOMPARE(doc.Problem(), QString());
    const std::weak_ptr<const CPicture> pFirst = doc.m_pPicture;
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), QSize(40, 30));
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));

    doc.OpenPicture(strNotes, QSize());
    QVERIFY(!doc.m_pPicture);
    // Gone once the worker that decoded it has let go of it too.
    QTRY_VERIFY(pFirst.expired());
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), QSize(40, 30));
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));

    doc.OpenPicture(ws.FilePath(QStringLiteral("missing.bmp")), QSize());
    QVERIFY(!doc.m_pPicture);
    QCOMPARE(doc.Problem(), QStringLiteral("No such file"));
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));
}

void TestOrvalaDoc::fittedLoadKeepsWholeSizes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("himetric");
    QTest::addColumn<int>("fittedWidth");
    QTest::addColumn<int>("fullWidth");
    QTest::addColumn<QString>("name");
    const QImage landscape = MakeMarkedImage(QSize(1600, 1200), QPoint(100, 100), 50);
    // Fitted into a box 300 wide: a quarter of a JPEG covers it.
    QTest::newRow("JPEG a quarter") << EncodeImage(landscape, "JPG") << QSize(1600, 1200)
                                    << QSize(42333, 31750) << 400 << 1600 << "a.jpg";
    // Stored 1600 x 1200, shown upright 1200 x 1600.
    QTest::newRow("JPEG turned upright") << MakeCameraJpeg(landscape, 90, 6) << QSize(1200, 1600)
                                         << QSize(31750, 42333) << 300 << 1200 << "a.jpg";
    QTest::newRow("JPEG within the box")
        << EncodeImage(landscape.scaled(200, 150), "JPG") << QSize(200, 150) << QSize(5292, 3969)
        << 200 << 200 << "a.jpg";
    QTest::newRow("BMP whole") << EncodeImage(landscape.scaled(800, 600), "BMP") << QSize(800, 600)
                               << QSize(21167, 15875) << 800 << 800 << "a.jpg";
    // A raw file's JPEG preview is reduced like any JPEG, after its own turn.
    QTest::newRow("raw preview turned, a quarter")
        << MakeDng(EncodeImage(landscape, "JPG"), QSize(1600, 1200), QSize(64, 48), 6)
        << QSize(1200, 1600) << QSize(31750, 42333) << 300 << 1200 << "a.dng";
    QTest::newRow("HEIC whole") << MakeHeic(landscape.scaled(800, 600)) << QSize(800, 600)
                                << QSize(21167, 15875) << 800 << 800 << "a.heic";
}

void TestOrvalaDoc::fittedLoadKeepsWholeSizes()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, pixels);
    QFETCH(QSize, himetric);
    QFETCH(QString, name);
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(name, file);

    COrvalaDoc doc;
    doc.OpenPicture(strPicture, QSize(300, 1));
    QTEST(DecodedWidth(doc), "fittedWidth");
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), pixels);
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), himetric);
    QCOMPARE(doc.m_pPicture->GetHimetricSize(), himetric);

    // A box the fitted pixels already cover needs no decode; full resolution does.
    const CPicture* pFitted = doc.m_pPicture.get();
    doc.CoverBox(QSize(pixels.width() / 8, 1));
    QCOMPARE(doc.m_pPicture.get(), pFitted);
    doc.CoverBox(QSize());
    QTEST(DecodedWidth(doc), "fullWidth");
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), pixels);
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), himetric);

    // The framework's own open decodes whole.
    QVERIFY(doc.OnOpenDocument(strPicture));
    QTEST(DecodedWidth(doc), "fullWidth");
}

QTEST_MAIN(TestOrvalaDoc)
