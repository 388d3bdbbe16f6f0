#include "browse/SlideShowRules.h"
#include "browse/ViewKeyRules.h"

#include <QTest>

class TestSlideShowRules : public QObject
{
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void threeSlidesThenTheEnd();
    void loopStartsOver();
    void pauseRightResume();
};

Q_DECLARE_METATYPE(ESlideShowEvent)

namespace {

SSlideShowState Running(int nCurrent, int nCount, bool bLoop = false)
{
    SSlideShowState s;
    s.bSlideShow = true;
    s.bBusy = true;
    s.nTimerId = 1;
    s.bLoop = bLoop;
    s.nCurrent = nCurrent;
    s.nCount = nCount;
    return s;
}

const QString kNoText = QStringLiteral("(unchanged)");

} // namespace

void TestSlideShowRules::step_data()
{
    QTest::addColumn<bool>("slideShow");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<int>("timer");
    QTest::addColumn<int>("current");
    QTest::addColumn<ESlideShowEvent>("event");
    // After the event:
    QTest::addColumn<bool>("slideShowAfter");
    QTest::addColumn<bool>("pausedAfter");
    QTest::addColumn<bool>("loopAfter");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<bool>("start");
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("end");
    QTest::addColumn<int>("arm");
    QTest::addColumn<int>("kill");

    using E = ESlideShowEvent;
    // Five pictures throughout.
    QTest::newRow("off, Slide show: starts at the first picture")
        << false << false << false << false << 0 << 3 << E::SlideShow << true << false << false << 0
        << true << -1 << -1 << QStringLiteral(" Slide Show for 5 pictures: ") << false << 1 << 0;
    QTest::newRow("running, tick: slide 2 of 5")
        << true << true << false << false << 1 << 1 << E::Tick << true << false << false << 2
        << false << 1 << 40 << QStringLiteral(" Slideshow    2 /    5 ") << false << 0 << 0;
    QTest::newRow("running, tick past the end with loop: back to the first, nothing shown")
        << true << true << false << true << 1 << 5 << E::Tick << true << false << true << 0 << false
        << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("running, tick past the end: the show ends")
        << true << true << false << false << 1 << 5 << E::Tick << false << false << false << 5
        << false << -1 << -1 << QString() << true << 0 << 1;
    QTest::newRow("running, Loop: toggled")
        << true << true << false << false << 1 << 2 << E::Loop << true << false << true << 2
        << false << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("running, Slide show: ending at the next tick, loop off")
        << true << true << false << true << 1 << 2 << E::SlideShow << false << false << false << 5
        << false << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("running, Pause: timer 1 killed")
        << true << true << false << false << 1 << 2 << E::Pause << true << true << false << 2
        << false << -1 << -1 << QStringLiteral(" Paused...") << false << 0 << 1;
    QTest::newRow("paused, Pause: timer 1 armed, text kept")
        << true << true << true << false << 1 << 2 << E::Pause << true << false << false << 2
        << false << -1 << -1 << kNoText << false << 1 << 0;
    QTest::newRow("paused, Slide show: ending while still paused")
        << true << true << true << false << 1 << 2 << E::SlideShow << false << true << false << 5
        << false << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("ending, tick: the show ends")
        << false << true << false << false << 1 << 5 << E::Tick << false << false << false << 5
        << false << -1 << -1 << QString() << true << 0 << 1;
    QTest::newRow("paused, tick: nothing")
        << true << true << true << false << 1 << 2 << E::Tick << true << true << false << 2 << false
        << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("off, Pause: nothing")
        << false << false << false << false << 0 << 2 << E::Pause << false << false << false << 2
        << false << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("off, tick: nothing")
        << false << false << false << false << 0 << 2 << E::Tick << false << false << false << 2
        << false << -1 << -1 << kNoText << false << 0 << 0;
    QTest::newRow("mosaic build, Pause: timer 2 killed")
        << false << true << false << false << 2 << 2 << E::Pause << false << true << false << 2
        << false << -1 << -1 << QStringLiteral(" Paused...") << false << 0 << 2;
    QTest::newRow("paused mosaic build, Pause: timer 2 armed")
        << false << true << true << false << 2 << 2 << E::Pause << false << false << false << 2
        << false << -1 << -1 << kNoText << false << 2 << 0;
    QTest::newRow("mosaic build, Slide show: refused")
        << false << true << false << false << 2 << 2 << E::SlideShow << false << false << false << 2
        << false << -1 << -1 << kNoText << false << 0 << 0;
}

void TestSlideShowRules::step()
{
    QFETCH(bool, slideShow);
    QFETCH(bool, busy);
    QFETCH(bool, paused);
    QFETCH(bool, loop);
    QFETCH(int, timer);
    QFETCH(int, current);
    QFETCH(ESlideShowEvent, event);
    QFETCH(QString, text);

    SSlideShowState s;
    s.bSlideShow = slideShow;
    s.bBusy = busy;
    s.bPaused = paused;
    s.bLoop = loop;
    s.nTimerId = timer;
    s.nCurrent = current;
    s.nCount = 5;
    const SSlideShowStep step = SlideShowStep(s, event);

    QTEST(step.state.bSlideShow, "slideShowAfter");
    QTEST(step.state.bPaused, "pausedAfter");
    QTEST(step.state.bLoop, "loopAfter");
    QTEST(step.state.nCurrent, "currentAfter");
    QTEST(step.bStart, "start");
    QTEST(step.nShow, "show");
    QTEST(step.nProgress, "progress");
    QCOMPARE(step.bText, text != kNoText);
    if (step.bText)
        QCOMPARE(step.strText, text);
    QTEST(step.bEnd, "end");
    QTEST(step.nArmTimer, "arm");
    QTEST(step.nKillTimer, "kill");
    // A job runs from the start to the end of the show.
    QCOMPARE(step.state.bBusy, step.bStart || step.bEnd ? step.bStart : busy);
}

void TestSlideShowRules::threeSlidesThenTheEnd()
{
    SSlideShowState s;
    s.nCount = 3;
    SSlideShowStep step = SlideShowStep(s, ESlideShowEvent::SlideShow);
    QCOMPARE(step.strText, QStringLiteral(" Slide Show for 3 pictures: "));

    const int arProgress[] = {33, 66, 100};
    const QString arTexts[] = {QStringLiteral(" Slideshow    1 /    3 "),
                               QStringLiteral(" Slideshow    2 /    3 "),
                               QStringLiteral(" Slideshow    3 /    3 ")};
    for (int i = 0; i < 3; ++i) {
        step = SlideShowStep(step.state, ESlideShowEvent::Tick);
        QCOMPARE(step.nShow, i);
        QCOMPARE(step.nProgress, arProgress[i]);
        QCOMPARE(step.strText, arTexts[i]);
        QVERIFY(!step.bEnd);
    }
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QVERIFY(step.bEnd);
    QCOMPARE(step.nShow, -1);
    QCOMPARE(step.strText, QString());
    QVERIFY(!step.state.bSlideShow);
    QVERIFY(!step.state.bBusy);
    QCOMPARE(step.state.nCurrent, 3);
}

void TestSlideShowRules::loopStartsOver()
{
    SSlideShowStep step;
    step.state = Running(2, 3, true);
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QCOMPARE(step.nShow, 2);
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QCOMPARE(step.nShow, -1);
    QVERIFY(!step.bEnd);
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QCOMPARE(step.nShow, 0);
    QCOMPARE(step.strText, QStringLiteral(" Slideshow    1 /    3 "));
}

void TestSlideShowRules::pauseRightResume()
{
    // After slide 2 of 5 the next slide is index 2.
    SSlideShowStep step;
    step.state = Running(2, 5);
    step = SlideShowStep(step.state, ESlideShowEvent::Pause);
    QVERIFY(step.state.bPaused);
    QCOMPARE(step.strText, QStringLiteral(" Paused..."));

    // Paused, keys step like single pictures.
    SViewKeyState k;
    k.nCurrent = step.state.nCurrent;
    k.nCount = step.state.nCount;
    const SViewKeyAction a = ViewKeyAction(k, Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(a.nShow, 3); // picture 4
    step.state.nCurrent = a.nShow;

    step = SlideShowStep(step.state, ESlideShowEvent::Pause);
    QVERIFY(!step.state.bPaused);
    QCOMPARE(step.nArmTimer, 1);
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QCOMPARE(step.nShow, 3); // picture 4 once more
    step = SlideShowStep(step.state, ESlideShowEvent::Tick);
    QCOMPARE(step.nShow, 4);
    QCOMPARE(step.strText, QStringLiteral(" Slideshow    5 /    5 "));
}

QTEST_APPLESS_MAIN(TestSlideShowRules)
#include "TestSlideShowRules.moc"
