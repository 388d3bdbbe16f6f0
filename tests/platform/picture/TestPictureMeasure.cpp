#include "TestPictureMeasure.h"

#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureMeasure.h"

#include <QTest>

void TestPictureMeasure::pixelsFromHimetric_data()
{
    QTest::addColumn<QSize>("himetric");
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("640x480 at 96") << QSize(16933, 12700) << 96 << 96 << QSize(640, 480);
    QTest::newRow("800x600 at 120") << QSize(16933, 12700) << 120 << 120 << QSize(800, 600);
    QTest::newRow("26 is one pixel") << QSize(26, 26) << 96 << 96 << QSize(1, 1);
    QTest::newRow("13 is none") << QSize(13, 13) << 96 << 96 << QSize(0, 0);
    QTest::newRow("a half rounds up") << QSize(10, 30) << 127 << 127 << QSize(1, 2);
    QTest::newRow("each axis its dpi") << QSize(16933, 12700) << 96 << 120 << QSize(640, 600);
    QTest::newRow("axes the other way") << QSize(16933, 12700) << 120 << 96 << QSize(800, 480);
    QTest::newRow("negative truncates to zero") << QSize(-1270, -13) << 96 << 96 << QSize(-47, 0);
    // 30,000,000 x 96 does not fit in 32 bits; the original wraps.
    QTest::newRow("overflow wraps") << QSize(30000000, 0) << 96 << 96 << QSize(-557073, 0);
}

void TestPictureMeasure::pixelsFromHimetric()
{
    QFETCH(QSize, himetric);
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(QSize, pixels);
    QCOMPARE(PixelsFromHimetric(himetric, dpiX, dpiY), pixels);
}

void TestPictureMeasure::himetricFromPixels_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("himetric");

    QTest::newRow("640x480") << QSize(640, 480) << QSize(16933, 12700);
    QTest::newRow("rounds up at a half") << QSize(3, 1) << QSize(79, 26);
    QTest::newRow("4000x3000") << QSize(4000, 3000) << QSize(105833, 79375);
    QTest::newRow("30000 needs 64 bits") << QSize(30000, 30000) << QSize(793750, 793750);
}

void TestPictureMeasure::himetricFromPixels()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, himetric);
    QCOMPARE(HimetricFromPixels(pixels), himetric);
}

void TestPictureMeasure::decodedSize_data()
{
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("fit");
    QTest::addColumn<QSize>("decoded");

    const int cover = int(EDecodeFit::Cover);
    const int within = int(EDecodeFit::Within);
    QTest::newRow("no box: full") << QSize(4000, 3000) << QSize() << cover << QSize(4000, 3000);
    QTest::newRow("cover a wide box")
        << QSize(4000, 3000) << QSize(1280, 600) << cover << QSize(2000, 1500);
    QTest::newRow("cover a tall box")
        << QSize(4000, 3000) << QSize(100, 900) << cover << QSize(2000, 1500);
    QTest::newRow("within a square")
        << QSize(4000, 3000) << QSize(256, 256) << within << QSize(256, 192);
    QTest::newRow("never enlarged")
        << QSize(100, 50) << QSize(1280, 960) << cover << QSize(100, 50);
    QTest::newRow("sliver keeps a pixel")
        << QSize(10000, 2) << QSize(100, 100) << within << QSize(100, 1);
    QTest::newRow("30000 square over the limit")
        << QSize(30000, 30000) << QSize() << cover << QSize(7500, 7500);
    QTest::newRow("odd halves round up")
        << QSize(8193, 8193) << QSize() << cover << QSize(4097, 4097);
    QTest::newRow("at the limit stays")
        << QSize(8192, 8192) << QSize() << cover << QSize(8192, 8192);
}

void TestPictureMeasure::decodedSize()
{
    QFETCH(QSize, natural);
    QFETCH(QSize, box);
    QFETCH(int, fit);
    QFETCH(QSize, decoded);
    QCOMPARE(DecodedSize(natural, box, EDecodeFit(fit)), decoded);
}

QTEST_GUILESS_MAIN(TestPictureMeasure)
