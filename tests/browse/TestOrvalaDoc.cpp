#include "TestOrvalaDoc.h"

#include "browse/COrvalaDoc.h"
#include "browse/CPictureLoader.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"

#include <QTest>

namespace {

// 40 x 30 pixels: 1058 x 794 HIMETRIC.
QByteArray Bmp()
{
    return EncodeImage(MakeMarkedImage(QSize(40, 30), QPoint(0, 0), 5), "BMP");
}

} // namespace

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
    QVERIFY(doc.OnOpenDocument(strNotes));
    QVERIFY(!doc.m_pPicture);
    QCOMPARE(doc.m_nHimetricWidth, 0);

    // The offscreen screen has 96 dpi.
    QVERIFY(doc.OnOpenDocument(strPicture));
    QVERIFY(doc.m_pPicture);
    const std::weak_ptr<const CPicture> pFirst = doc.m_pPicture;
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), QSize(40, 30));
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));

    QVERIFY(doc.OnOpenDocument(strNotes));
    QVERIFY(!doc.m_pPicture);
    QVERIFY(pFirst.expired());
    QCOMPARE(QSize(doc.m_nPixelWidth, doc.m_nPixelHeight), QSize(40, 30));
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));

    QVERIFY(doc.OnOpenDocument(ws.FilePath(QStringLiteral("missing.bmp"))));
    QVERIFY(!doc.m_pPicture);
    QCOMPARE(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), QSize(1058, 794));
}

void TestOrvalaDoc::loaderMeasuresEachAxis()
{
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(QStringLiteral("a.bmp"), Bmp());
    // A device of 120 dpi across and 96 down.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(4724);
    device.setDotsPerMeterY(3780);

    QSize szPixel, szHimetric;
    QVERIFY(CPictureLoader().LoadPicture(strPicture, device, szPixel, szHimetric));
    QCOMPARE(szHimetric, QSize(1058, 794));
    QCOMPARE(szPixel, QSize(50, 30));
}

void TestOrvalaDoc::failedLoadLeavesOutputs()
{
    CTestWorkspace ws;
    const QString strNotes = ws.WriteFile(QStringLiteral("notes.jpg"), "not a picture\n");
    QSize szPixel(7, -3);
    QSize szHimetric(-1, 12345);
    QVERIFY(!CPictureLoader().LoadPicture(strNotes, 96, 96, szPixel, szHimetric));
    QCOMPARE(szPixel, QSize(7, -3));
    QCOMPARE(szHimetric, QSize(-1, 12345));
}

QTEST_MAIN(TestOrvalaDoc)
