#include "platform/framework/WindowPlacement.h"

#include <QTest>

class TestWindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

void TestWindowPlacement::placement_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("expected");
    // The screen's available area: 1280 x 1024 less a 30-pixel panel on top.
    QTest::newRow("inside stays") << QRect(100, 100, 800, 600) << QRect(100, 100, 800, 600);
    QTest::newRow("saved at scale 2: shrunk to the screen")
        << QRect(40, 40, 2200, 1700) << QRect(0, 30, 1280, 994);
    QTest::newRow("off to the right: moved back")
        << QRect(1000, 500, 800, 600) << QRect(480, 424, 800, 600);
    QTest::newRow("above the panel: moved under it")
        << QRect(-50, 0, 400, 300) << QRect(0, 30, 400, 300);
}

void TestWindowPlacement::placement()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, expected);
    QCOMPARE(PlacementOnScreen(stored, QRect(0, 30, 1280, 994)), expected);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "TestWindowPlacement.moc"
