#include "browse/ViewKeyRules.h"
#include "resources/resource.h"

#include <QTest>

class TestViewKeyRules : public QObject
{
    Q_OBJECT
private slots:
    void singleKey_data();
    void singleKey();
    void mosaicKey_data();
    void mosaicKey();
    void viewerKeyCommand();
};

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// The mosaic of the tests: 10 a row, pitch 78, so half a pitch is 39.
constexpr int kInRow = 10;
constexpr int kPitch = 78;
const QPoint kNone(-1, -1);

// The centre of picture i's cell.
QPoint Centre(int i)
{
    return QPoint((i % kInRow) * kPitch + 39, (i / kInRow) * kPitch + 39);
}

} // namespace

void TestViewKeyRules::singleKey_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("show");
    QTest::addColumn<bool>("pause");

    QTest::newRow("Left") << 2 << 5 << int(Qt::Key_Left) << 1 << false;
    QTest::newRow("Page Up") << 2 << 5 << int(Qt::Key_PageUp) << 1 << false;
    QTest::newRow("Right") << 2 << 5 << int(Qt::Key_Right) << 3 << false;
    QTest::newRow("Page Down") << 2 << 5 << int(Qt::Key_PageDown) << 3 << false;
    QTest::newRow("Home") << 2 << 5 << int(Qt::Key_Home) << 0 << false;
    QTest::newRow("End") << 2 << 5 << int(Qt::Key_End) << 4 << false;
    QTest::newRow("Left at the first") << 0 << 5 << int(Qt::Key_Left) << -1 << false;
    QTest::newRow("Page Up at the first") << 0 << 5 << int(Qt::Key_PageUp) << -1 << false;
    QTest::newRow("Home at the first") << 0 << 5 << int(Qt::Key_Home) << -1 << false;
    QTest::newRow("Right at the last") << 4 << 5 << int(Qt::Key_Right) << -1 << false;
    QTest::newRow("Page Down at the last") << 4 << 5 << int(Qt::Key_PageDown) << -1 << false;
    QTest::newRow("End at the last") << 4 << 5 << int(Qt::Key_End) << -1 << false;
    QTest::newRow("Space steps on") << 2 << 5 << int(Qt::Key_Space) << 3 << false;
    QTest::newRow("Backspace steps back") << 2 << 5 << int(Qt::Key_Backspace) << 1 << false;
    QTest::newRow("Space at the last") << 4 << 5 << int(Qt::Key_Space) << -1 << false;
    QTest::newRow("P pauses") << 2 << 5 << int(Qt::Key_P) << -1 << true;
    QTest::newRow("Up does nothing") << 2 << 5 << int(Qt::Key_Up) << -1 << false;
    QTest::newRow("Enter does nothing") << 2 << 5 << int(Qt::Key_Return) << -1 << false;
    QTest::newRow("empty folder: Right") << 0 << 0 << int(Qt::Key_Right) << -1 << false;
    QTest::newRow("empty folder: End") << 0 << 0 << int(Qt::Key_End) << -1 << false;
    QTest::newRow("empty folder: Home") << 0 << 0 << int(Qt::Key_Home) << -1 << false;
    // Alt+Backspace is Undo, Ctrl+Space nothing of ours; Shift is still ignored.
    QTest::newRow("Alt+Backspace")
        << 2 << 5 << (Qt::Key_Backspace | Qt::ALT).toCombined() << -1 << false;
    QTest::newRow("Ctrl+Space") << 2 << 5 << (Qt::Key_Space | Qt::CTRL).toCombined() << -1 << false;
    QTest::newRow("Shift+Space") << 2 << 5 << (Qt::Key_Space | Qt::SHIFT).toCombined() << 3
                                 << false;
    QTest::newRow("Ctrl+Left") << 2 << 5 << (Qt::Key_Left | Qt::CTRL).toCombined() << 1 << false;
}

void TestViewKeyRules::singleKey()
{
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(int, key);
    SViewKeyState s;
    s.nCurrent = current;
    s.nCount = count;
    s.nPhotosInRow = kInRow;
    s.nPitch = kPitch;
    const SViewKeyAction a = ViewKeyAction(s, key & ~Qt::KeyboardModifierMask,
                                           Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    QTEST(a.nShow, "show");
    QTEST(a.bPause, "pause");
    QVERIFY(!a.bSelect);
    QVERIFY(!a.bScroll);
    QCOMPARE(a.nOpen, -1);
    QVERIFY(!a.bDefault);
}

void TestViewKeyRules::mosaicKey_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("selection");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("select"); // kNone: the selection stays
    QTest::addColumn<bool>("scrolls");
    QTest::addColumn<QPoint>("scrollTo");
    QTest::addColumn<int>("open");

    const QPoint o(0, 0);
    const QSize big(800, 600);
    const QSize small(300, 200);
    const QSize low(300, 100);
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

    // 12 pictures, 2 rows: the walk through the short last row.
    QTest::newRow("Right across the row end: 9 to 10")
        << 12 << Centre(9) << o << big << int(Qt::Key_Right) << none << QPoint(39, 117) << false
        << o << -1;
    QTest::newRow("Right: 10 to 11") << 12 << Centre(10) << o << big << int(Qt::Key_Right) << none
                                     << QPoint(117, 117) << false << o << -1;
    QTest::newRow("Right on the last picture refused")
        << 12 << Centre(11) << o << big << int(Qt::Key_Right) << none << kNone << false << o << -1;
    QTest::newRow("Left across the row start: 10 to 9")
        << 12 << Centre(10) << o << big << int(Qt::Key_Left) << none << QPoint(741, 39) << false
        << o << -1;
    QTest::newRow("Up: 10 to 0") << 12 << Centre(10) << o << big << int(Qt::Key_Up) << none
                                 << QPoint(39, 39) << false << o << -1;
    QTest::newRow("Down to an empty cell refused: 5")
        << 12 << Centre(5) << o << big << int(Qt::Key_Down) << none << kNone << false << o << -1;
    QTest::newRow("End in the short last row: 10 to 11")
        << 12 << Centre(10) << o << big << int(Qt::Key_End) << none << QPoint(117, 117) << false
        << o << -1;
    QTest::newRow("Left after End: 11 to 10")
        << 12 << QPoint(117, 117) << o << big << int(Qt::Key_Left) << none << QPoint(39, 117)
        << false << o << -1;
    QTest::newRow("Ctrl+End: 0 to 11") << 12 << Centre(0) << o << big << int(Qt::Key_End) << ctrl
                                       << QPoint(117, 117) << true << o << -1;
    QTest::newRow("Ctrl+Home: 11 to 0, to the top-left")
        << 12 << Centre(11) << QPoint(100, 78) << big << int(Qt::Key_Home) << ctrl << QPoint(39, 39)
        << true << o << -1;
    QTest::newRow("Left on the first picture refused")
        << 12 << Centre(0) << o << big << int(Qt::Key_Left) << none << kNone << false << o << -1;

    // 25 pictures, 3 rows.
    QTest::newRow("Page Down: 3 to 23") << 25 << Centre(3) << o << big << int(Qt::Key_PageDown)
                                        << none << QPoint(273, 156) << false << o << -1;

    // 30 pictures: 3 full rows and an empty fourth; windows smaller than it.
    QTest::newRow("Left in the row, near the left edge: scroll one pitch left")
        << 30 << Centre(3) << QPoint(200, 0) << small << int(Qt::Key_Left) << none
        << QPoint(195, 39) << true << QPoint(122, 0) << -1;
    QTest::newRow("Left in the row, well inside: no scroll")
        << 30 << Centre(3) << QPoint(100, 0) << small << int(Qt::Key_Left) << none
        << QPoint(195, 39) << false << o << -1;
    QTest::newRow("Left to the row above: scroll to its end and one row up")
        << 30 << Centre(20) << QPoint(0, 156) << small << int(Qt::Key_Left) << none
        << QPoint(741, 117) << true << QPoint(741, 78) << -1;
    QTest::newRow("Right past the client width: scroll one pitch right")
        << 30 << Centre(3) << o << small << int(Qt::Key_Right) << none << QPoint(351, 39) << true
        << QPoint(78, 0) << -1;
    QTest::newRow("Right to the next row: back to the left and one row down")
        << 30 << Centre(9) << QPoint(500, 0) << low << int(Qt::Key_Right) << none << QPoint(39, 117)
        << true << QPoint(0, 78) << -1;
    QTest::newRow("Up: scroll one pitch up")
        << 30 << Centre(12) << QPoint(0, 100) << small << int(Qt::Key_Up) << none << QPoint(195, 39)
        << true << QPoint(0, 22) << -1;
    QTest::newRow("Up in the top row scrolls without moving")
        << 30 << Centre(2) << QPoint(0, 50) << small << int(Qt::Key_Up) << none << kNone << true
        << QPoint(0, -28) << -1;
    QTest::newRow("Down below the client height: scroll one pitch down")
        << 30 << Centre(2) << o << low << int(Qt::Key_Down) << none << QPoint(195, 117) << true
        << QPoint(0, 78) << -1;
    QTest::newRow("Down into the empty last row refused")
        << 30 << Centre(25) << o << low << int(Qt::Key_Down) << none << kNone << false << o << -1;
    QTest::newRow("Page Up past the top: first row, scroll a page up")
        << 30 << Centre(25) << QPoint(0, 150) << low << int(Qt::Key_PageUp) << none
        << QPoint(429, 39) << true << QPoint(0, -630) << -1;
    QTest::newRow("Page Up at the top: no scroll")
        << 30 << Centre(15) << o << low << int(Qt::Key_PageUp) << none << QPoint(429, 39) << false
        << o << -1;
    QTest::newRow("Page Down into the empty row: the last full row, scroll a page down")
        << 30 << Centre(5) << o << low << int(Qt::Key_PageDown) << none << QPoint(429, 195) << true
        << QPoint(0, 780) << -1;
    QTest::newRow("Home: first column, back to the left")
        << 30 << Centre(15) << QPoint(100, 0) << small << int(Qt::Key_Home) << none
        << QPoint(39, 117) << true << o << -1;
    QTest::newRow("Home with the left edge in view: no scroll")
        << 30 << Centre(15) << QPoint(30, 0) << small << int(Qt::Key_Home) << none
        << QPoint(39, 117) << false << o << -1;
    QTest::newRow("Shift+Home is Home")
        << 30 << Centre(15) << o << small << int(Qt::Key_Home)
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(39, 117) << false << o << -1;
    QTest::newRow("End of a full row past the client width")
        << 30 << Centre(12) << o << small << int(Qt::Key_End) << none << QPoint(741, 117) << true
        << QPoint(741, 0) << -1;
    QTest::newRow("Ctrl+End with full rows: last column of the last full row")
        << 30 << Centre(0) << QPoint(10, 20) << low << int(Qt::Key_End) << ctrl << QPoint(741, 195)
        << true << QPoint(751, 215) << -1;

    QTest::newRow("Enter opens the selected picture")
        << 12 << Centre(11) << o << big << int(Qt::Key_Return) << none << kNone << false << o << 11;
    QTest::newRow("keypad Enter opens it too")
        << 12 << Centre(4) << o << big << int(Qt::Key_Enter) << none << kNone << false << o << 4;
    QTest::newRow("Enter on an empty cell opens nothing")
        << 12 << Centre(15) << o << big << int(Qt::Key_Return) << none << kNone << false << o << -1;
    QTest::newRow("P does nothing in a mosaic")
        << 12 << Centre(4) << o << big << int(Qt::Key_P) << none << kNone << false << o << -1;
}

void TestViewKeyRules::mosaicKey()
{
    QFETCH(int, count);
    QFETCH(QPoint, selection);
    QFETCH(QPoint, scroll);
    QFETCH(QSize, client);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, select);
    QFETCH(bool, scrolls);
    QFETCH(QPoint, scrollTo);

    SViewKeyState s;
    s.bMosaic = true;
    s.nCount = count;
    s.nPhotosInRow = kInRow;
    s.nPitch = kPitch;
    s.ptSelection = selection;
    s.ptScroll = scroll;
    s.szClient = client;
    const SViewKeyAction a = ViewKeyAction(s, key, modifiers);

    QCOMPARE(a.bSelect, select != kNone);
    if (a.bSelect)
        QCOMPARE(a.ptSelect, select);
    QCOMPARE(a.bScroll, scrolls);
    if (a.bScroll)
        QCOMPARE(a.ptScroll, scrollTo);
    QTEST(a.nOpen, "open");
    QCOMPARE(a.nShow, -1);
    QVERIFY(!a.bPause);
    QVERIFY(a.bDefault);
}

void TestViewKeyRules::viewerKeyCommand()
{
    // Single picture, window.
    QCOMPARE(ViewerKeyCommand(Qt::Key_F, {}, false, false), int(ID_VIEW_FITWINDOW));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Plus, {}, false, false), int(ID_VIEW_ZOOMIN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Equal, {}, false, false), int(ID_VIEW_ZOOMIN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Minus, {}, false, false), int(ID_VIEW_ZOOMOUT));
    QCOMPARE(ViewerKeyCommand(Qt::Key_1, {}, false, false), int(ID_VIEW_ACTUALSIZE));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Escape, {}, false, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_Delete, {}, false, false), int(ID_FILE_MOVETOTRASH));
    // The mosaic has no zoom; Esc goes back to the single picture.
    QCOMPARE(ViewerKeyCommand(Qt::Key_Plus, {}, true, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_F, {}, true, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_Escape, {}, true, false), int(ID_VIEW_SINGLEPICTURE));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Delete, {}, true, false), int(ID_FILE_MOVETOTRASH));
    // Full screen is left first, by Esc as by F11.
    QCOMPARE(ViewerKeyCommand(Qt::Key_Escape, {}, true, true), int(ID_VIEW_FULLSCREEN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_F11, {}, false, true), int(ID_VIEW_FULLSCREEN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_A, {}, false, false), 0);
    // Shift+Del is Cut; keys of ours refuse Ctrl, Alt and Meta, but zoom takes Ctrl.
    const auto shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    QCOMPARE(ViewerKeyCommand(Qt::Key_Delete, Qt::KeypadModifier, true, false),
             int(ID_FILE_MOVETOTRASH));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Delete, shift, false, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_Delete, ctrl, true, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_F, ctrl, false, false), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_F11, alt, false, true), 0);
    QCOMPARE(ViewerKeyCommand(Qt::Key_Equal, ctrl, false, false), int(ID_VIEW_ZOOMIN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_Plus, shift, false, false), int(ID_VIEW_ZOOMIN));
    QCOMPARE(ViewerKeyCommand(Qt::Key_1, alt, false, false), 0);
}

QTEST_APPLESS_MAIN(TestViewKeyRules)
#include "TestViewKeyRules.moc"
