#include "browse/MosaicGeometry.h"

#include <QTest>

class TestMosaicGeometry : public QObject
{
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void thumbnail_data();
    void thumbnail();
    void indexAt_data();
    void indexAt();
};

void TestMosaicGeometry::geometry_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("inRow");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<QSize>("mosaic");

    QTest::newRow("25 pictures") << 800 << 10 << 2 << 25 << 76 << 78 << QSize(780, 234);
    QTest::newRow("30 pictures: empty last row")
        << 800 << 10 << 2 << 30 << 76 << 78 << QSize(780, 312);
    QTest::newRow("truncating division") << 799 << 10 << 2 << 1 << 75 << 77 << QSize(770, 77);
    QTest::newRow("no border") << 640 << 4 << 0 << 4 << 160 << 160 << QSize(640, 320);
    QTest::newRow("photos in row 0 as 1") << 100 << 0 << 2 << 2 << 96 << 98 << QSize(98, 294);
    QTest::newRow("negative photos in row as 1")
        << 100 << -3 << 2 << 0 << 96 << 98 << QSize(98, 98);
    QTest::newRow("cell below 1 pixel as 1") << 30 << 10 << 2 << 10 << 1 << 3 << QSize(30, 6);
    QTest::newRow("no client area") << 0 << 10 << 2 << 0 << 1 << 3 << QSize(30, 3);
}

void TestMosaicGeometry::geometry()
{
    QFETCH(int, width);
    QFETCH(int, inRow);
    QFETCH(int, border);
    QFETCH(int, count);
    const SMosaicGeometry g = MosaicGeometry(width, inRow, border, count);
    QTEST(g.nCell, "cell");
    QTEST(g.nPitch, "pitch");
    QTEST(g.MosaicSize(), "mosaic");
}

void TestMosaicGeometry::thumbnail_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("rect");

    // 800 wide, 10 a row, border 2: cell 76, pitch 78.
    QTest::newRow("first, square") << 0 << false << QSize(400, 300) << QRect(2, 2, 76, 76);
    QTest::newRow("row 2, column 3") << 23 << false << QSize(400, 300) << QRect(236, 158, 76, 76);
    QTest::newRow("landscape kept") << 0 << true << QSize(400, 300) << QRect(2, 2, 76, 57);
    QTest::newRow("portrait reaches below")
        << 1 << true << QSize(300, 400) << QRect(80, 2, 76, 101);
    QTest::newRow("very wide stays 1 high") << 0 << true << QSize(10000, 1) << QRect(2, 2, 76, 1);
    QTest::newRow("no size: square") << 0 << true << QSize(0, 0) << QRect(2, 2, 76, 76);
}

void TestMosaicGeometry::thumbnail()
{
    QFETCH(int, index);
    QFETCH(bool, keep);
    QFETCH(QSize, picture);
    const SMosaicGeometry g = MosaicGeometry(800, 10, 2, 25);
    QTEST(g.ThumbnailRect(index, keep, picture), "rect");
}

void TestMosaicGeometry::indexAt_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("frame");

    QTest::newRow("first cell's centre") << QPoint(38, 38) << 0 << QRect(1, 1, 78, 78);
    QTest::newRow("row 1, column 2") << QPoint(160, 80) << 12 << QRect(157, 79, 78, 78);
    QTest::newRow("last picture") << QPoint(320, 160) << 24 << QRect(313, 157, 78, 78);
    QTest::newRow("past the last picture") << QPoint(400, 160) << -1 << QRect();
    QTest::newRow("strip right of the row") << QPoint(785, 10) << -1 << QRect();
    QTest::newRow("above the mosaic") << QPoint(10, -5) << -1 << QRect();
}

void TestMosaicGeometry::indexAt()
{
    QFETCH(QPoint, point);
    QFETCH(int, index);
    QFETCH(QRect, frame);
    const SMosaicGeometry g = MosaicGeometry(800, 10, 2, 25);
    QCOMPARE(g.IndexAt(point, 25), index);
    if (index >= 0)
        QCOMPARE(g.SelectionRect(index), frame);
}

QTEST_GUILESS_MAIN(TestMosaicGeometry)
#include "TestMosaicGeometry.moc"
