#include "browse/ZoomRules.h"

#include <QTest>

class TestZoomRules : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void steps();
    void anchorStaysUnderThePointer();
};

Q_DECLARE_METATYPE(EPictureFit)

void TestZoomRules::layout_data()
{
    QTest::addColumn<EPictureFit>("fit");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QSize>("scroll");
    const QSize client(800, 600);
    QTest::newRow("width: landscape cut below")
        << EPictureFit::Width << 1.0 << QSize(4000, 3000) << QRect(0, 0, 800, 600) << QSize();
    QTest::newRow("width: portrait taller than the window")
        << EPictureFit::Width << 1.0 << QSize(3000, 4000) << QRect(0, 0, 800, 1066) << QSize();
    QTest::newRow("full size scrolls") << EPictureFit::FullSize << 1.0 << QSize(4000, 3000)
                                       << QRect(0, 0, 4000, 3000) << QSize(4000, 3000);
    QTest::newRow("window: portrait whole, centred")
        << EPictureFit::Window << 1.0 << QSize(3000, 4000) << QRect(175, 0, 450, 600) << QSize();
    QTest::newRow("window: small picture never enlarged")
        << EPictureFit::Window << 1.0 << QSize(200, 100) << QRect(300, 250, 200, 100) << QSize();
    QTest::newRow("zoom 4x scrolls over the picture")
        << EPictureFit::Zoom << 4.0 << QSize(400, 300) << QRect(0, 0, 1600, 1200)
        << QSize(1600, 1200);
    QTest::newRow("zoom wider only: centred upright, no vertical scroll")
        << EPictureFit::Zoom << 2.0 << QSize(1000, 100) << QRect(0, 200, 2000, 200)
        << QSize(2000, 600);
    QTest::newRow("zoom beyond 16x is 16x") << EPictureFit::Zoom << 40.0 << QSize(100, 50)
                                            << QRect(0, 0, 1600, 800) << QSize(1600, 800);
    QTest::newRow("empty picture") << EPictureFit::Window << 1.0 << QSize() << QRect() << QSize();
}

void TestZoomRules::layout()
{
    QFETCH(EPictureFit, fit);
    QFETCH(double, zoom);
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    QFETCH(QSize, scroll);
    const SPictureLayout l = PictureLayout(fit, zoom, picture, QSize(800, 600));
    QCOMPARE(l.rcPicture, expected);
    QCOMPARE(l.szScroll, scroll);
}

void TestZoomRules::steps()
{
    // From 100% both ways, meeting 100% again on the way back.
    QCOMPARE(ZoomInStep(1.0), 1.25);
    QCOMPARE(ZoomOutStep(1.25), 1.0);
    QCOMPARE(ZoomOutStep(1.0), 0.8);
    // From a fitted zoom off the ladder, to its neighbours on it.
    QCOMPARE(ZoomInStep(0.37), 0.4096);
    QCOMPARE(ZoomOutStep(0.37), 0.32768);
    // Bounded at 1/16 and 16.
    QCOMPARE(ZoomInStep(15.0), 16.0);
    QCOMPARE(ZoomInStep(16.0), 16.0);
    QCOMPARE(ZoomOutStep(0.065), 0.0625);
    QCOMPARE(ZoomText(0.0625), QStringLiteral("6%"));
    QCOMPARE(ZoomText(1.0), QStringLiteral("100%"));
    QCOMPARE(ZoomText(16.0), QStringLiteral("1600%"));
}

void TestZoomRules::anchorStaysUnderThePointer()
{
    const QSize client(800, 600);
    const SPictureLayout one = PictureLayout(EPictureFit::Zoom, 1.0, QSize(1000, 1000), client);
    const SPictureLayout two = PictureLayout(EPictureFit::Zoom, 2.0, QSize(1000, 1000), client);
    // Picture point (100 + 300, 0 + 200) at 1x is (800, 400) at 2x.
    QCOMPARE(ScrollForZoom(one, two, QPoint(100, 0), QPoint(300, 200)), QPoint(500, 200));
    QCOMPARE(ScrollForZoom(two, one, QPoint(500, 200), QPoint(300, 200)), QPoint(100, 0));
    // From a picture centred in the window: its point under the centre stays.
    const SPictureLayout small = PictureLayout(EPictureFit::Zoom, 0.5, QSize(1000, 1000), client);
    QCOMPARE(small.rcPicture, QRect(150, 50, 500, 500));
    QCOMPARE(ScrollForZoom(small, two, QPoint(0, 0), QPoint(400, 300)), QPoint(600, 700));
}

QTEST_APPLESS_MAIN(TestZoomRules)
#include "TestZoomRules.moc"
