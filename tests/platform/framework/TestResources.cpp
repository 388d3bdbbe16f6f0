#include "TestResources.h"

#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CResources.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

namespace {

// Menus, tool bar and keys built from the program's resources by the same
// calls the main frame makes, so the test sees what the user sees.
class CResourceFrame : public CMDIFrameWnd
{
public:
    CResourceFrame()
    {
        SetDefaultMenu(128);
        SetMenuResource(128);
        CreateToolBar(128);
        LoadAccelTable(128);
    }
    QToolBar* ToolBar() const { return m_pToolBar; }
};

struct CExpectedMenu
{
    int nMenu;
    QString strTitle;
    // Caption and command id of each item; "-" (id 0) stands for a separator.
    QList<QPair<QString, int>> arItems;
};

const QPair<QString, int> sep{QStringLiteral("-"), 0};
// The ids of the commands added beyond the classic ones.
constexpr int kFirstAddedCommand = 32800, kLastAddedCommand = 32818;

// Menus 128 and 129 as the user is meant to see them.
QList<CExpectedMenu> ExpectedMenus()
{
    return {
        {128,
         "&File",
         {{"&Open...\tCtrl+O", 57601},
          sep,
          {"P&rint Setup...", 57606},
          sep,
          {"Recent File", 57616},
          sep,
          {"&Close", 57602},
          {"E&xit", 57665}}},
        {128, "&View", {{"&Toolbar", 59392}, {"&Status Bar", 59393}, sep, {"Slide show", 32780}}},
        {128,
         "Database",
         {{"Show Table", 32782},
          {"Show Record", 32783},
          sep,
          {"Find Record(s)", 32786},
          {"Delete Record(s)", 32784}}},
        {128, "&Help", {{"&Help Topics", 57667}, sep, {"&About Orvala...", 57664}}},
        {129,
         "&File",
         {{"&Open...\tCtrl+O", 57601},
          {"&Close", 57602},
          sep,
          {"&Print...\tCtrl+P", 57607},
          {"Print Pre&view", 57609},
          {"P&rint Setup...", 57606},
          sep,
          {"Recent File", 57616},
          sep,
          {"E&xit", 57665}}},
        {129,
         "&View",
         {{"&Toolbar", 59392},
          {"&Status Bar", 59393},
          sep,
          {"Full Size", 32773},
          {"Mosaic", 32775},
          {"Slide show", 32780},
          {"Pause", 32791},
          {"Loop", 32793},
          sep,
          {"Properties", 32779}}},
        {129,
         "Database",
         {{"Show Table", 32782}, {"Show Record", 32783}, sep, {"Find Record(s)", 32786}}},
        {129,
         "&Window",
         {{"&New Window", 57648},
          {"&Cascade", 57650},
          {"&Tile", 57651},
          {"&Arrange Icons", 57649}}},
        {129, "&Help", {{"&Help Topics", 57667}, sep, {"&About Orvala...", 57664}}},
    };
}

// Tool bar 128 from left to right, a separator between groups.
const QList<QList<int>> arExpectedToolBarGroups = {
    {57601, 57607}, {32779}, {32773, 32775}, {32780, 32791, 32793}, {32782, 32786, 32783, 32784},
    {57664}};

// The buttons in order, 0 for each separator.
QList<int> ExpectedToolBar()
{
    QList<int> arIDs;
    for (const QList<int>& arGroup : arExpectedToolBarGroups) {
        if (!arIDs.isEmpty())
            arIDs.append(0);
        arIDs.append(arGroup);
    }
    return arIDs;
}

QMenu* ShownMenu(CMDIFrameWnd& frame, int nIndex)
{
    const QList<QAction*> arMenus = frame.menuBar()->actions();
    return nIndex < arMenus.size() ? arMenus.at(nIndex)->menu() : nullptr;
}

} // namespace

void TestResources::menuBarTitles_data()
{
    QTest::addColumn<int>("nMenu");
    QTest::addColumn<QStringList>("arTitles");
    QTest::newRow("128") << 128 << QStringList{"&File", "&View", "Database", "&Help"};
    QTest::newRow("129") << 129 << QStringList{"&File", "&View", "Database", "&Window", "&Help"};
}

void TestResources::menuBarTitles()
{
    QFETCH(int, nMenu);
    QFETCH(QStringList, arTitles);
    CResourceFrame frame;
    frame.SetMenuResource(nMenu);
    QStringList arShown;
    for (QAction* pAction : frame.menuBar()->actions())
        arShown.append(pAction->text());
    QCOMPARE(arShown, arTitles);
}

void TestResources::menusShowTheirItemsAndSeparators_data()
{
    QTest::addColumn<int>("nMenu");
    QTest::addColumn<int>("nIndex");
    QTest::addColumn<QString>("strTitle");
    QTest::addColumn<QStringList>("arCaptions");
    QTest::addColumn<QList<int>>("arIDs");
    int nIndex = 0;
    int nPrevious = 0;
    for (const CExpectedMenu& menu : ExpectedMenus()) {
        nIndex = menu.nMenu == nPrevious ? nIndex + 1 : 0;
        nPrevious = menu.nMenu;
        QStringList arCaptions;
        QList<int> arIDs;
        for (const auto& item : menu.arItems) {
            arCaptions.append(item.first);
            arIDs.append(item.second);
        }
        QTest::addRow("%d %s", menu.nMenu, qPrintable(menu.strTitle))
            << menu.nMenu << nIndex << menu.strTitle << arCaptions << arIDs;
    }
}

void TestResources::menusShowTheirItemsAndSeparators()
{
    QFETCH(int, nMenu);
    QFETCH(int, nIndex);
    QFETCH(QString, strTitle);
    QFETCH(QStringList, arCaptions);
    QFETCH(QList<int>, arIDs);
    CResourceFrame frame;
    frame.SetMenuResource(nMenu);
    QMenu* pMenu = ShownMenu(frame, nIndex);
    QVERIFY(pMenu);
    QCOMPARE(pMenu->title(), strTitle);

    // Commands added beyond the classic ones may sit between the classic items
    // (with separators of their own): the classic items keep their order.
    QList<QAction*> arActions;
    for (QAction* pAction : pMenu->actions()) {
        bool bAdded = false;
        for (int nID = kFirstAddedCommand; nID <= kLastAddedCommand; ++nID)
            bAdded = bAdded || pAction == frame.GetCommandAction(nID);
        const bool bDoubleSeparator =
            pAction->isSeparator() && (arActions.isEmpty() || arActions.last()->isSeparator());
        if (!bAdded && !bDoubleSeparator)
            arActions.append(pAction);
    }
    if (!arActions.isEmpty() && arActions.last()->isSeparator())
        arActions.removeLast();
    QStringList arShown;
    for (QAction* pAction : arActions)
        arShown.append(pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
    QCOMPARE(arShown, arCaptions);
    for (int i = 0; i < arActions.size(); ++i) {
        if (arIDs.at(i) == 57616) {
            // With no recent files the item stands in for the list, disabled.
            QVERIFY(!arActions.at(i)->isEnabled());
        } else if (arIDs.at(i) != 0) {
            QVERIFY2(arActions.at(i) == frame.GetCommandAction(arIDs.at(i)),
                     qPrintable(arCaptions.at(i)));
        }
    }
}

void TestResources::toolBarButtonsInOrder()
{
    CResourceFrame frame;
    QVERIFY(frame.ToolBar());
    const QList<int> arExpectedToolBar = ExpectedToolBar();
    const QList<QAction*> arActions = frame.ToolBar()->actions();
    QCOMPARE(arActions.size(), arExpectedToolBar.size());
    for (int i = 0; i < arActions.size(); ++i) {
        const int nID = arExpectedToolBar.at(i);
        const QByteArray position = QByteArray::number(i);
        if (nID == 0) {
            QVERIFY2(arActions.at(i)->isSeparator(), position);
            continue;
        }
        QVERIFY2(arActions.at(i) == frame.GetCommandAction(nID), position);
        QVERIFY2(!arActions.at(i)->icon().isNull(), position);
    }
}

void TestResources::everyCommandShownHasAPrompt()
{
    CResourceFrame frame;
    const QList<int> arExpectedToolBar = ExpectedToolBar();
    QList<int> arIDs = arExpectedToolBar;
    for (const CExpectedMenu& menu : ExpectedMenus()) {
        for (const auto& item : menu.arItems)
            arIDs.append(item.second);
    }
    for (int nID : std::as_const(arIDs)) {
        if (nID != 0)
            QVERIFY2(!frame.GetCommandAction(nID)->statusTip().isEmpty(),
                     qPrintable(QString::number(nID)));
    }
    // What the pointer over a tool bar button shows.
    for (int nID : arExpectedToolBar) {
        if (nID == 0)
            continue;
        QWidget* pButton = frame.ToolBar()->widgetForAction(frame.GetCommandAction(nID));
        QVERIFY(pButton);
        QVERIFY2(!pButton->toolTip().isEmpty(), qPrintable(QString::number(nID)));
        QVERIFY2(!pButton->statusTip().isEmpty(), qPrintable(QString::number(nID)));
    }
}

void TestResources::programCommandsPromptAndTip_data()
{
    QTest::addColumn<int>("nID");
    QTest::addColumn<QString>("strPrompt");
    QTest::addColumn<QString>("strToolTip");
    QTest::newRow("Full Size") << 32773 << "Full Size"
                               << "Full Size";
    QTest::newRow("Mosaic") << 32775 << "Show Mosaic"
                            << "Show Mosaic";
    QTest::newRow("Properties") << 32779 << "Show Properties Dialog"
                                << "Show Properties Dialog";
    QTest::newRow("Slide show") << 32780 << "Slide show"
                                << "Slide show";
    QTest::newRow("Show Table") << 32782 << "Show Table"
                                << "Show Table";
    QTest::newRow("Show Record") << 32783 << "Show Record"
                                 << "Show Record";
    QTest::newRow("Delete Record(s)") << 32784 << "Delete Record(s)"
                                      << "Delete Record(s)";
    QTest::newRow("Find Record(s)") << 32786 << "Find Record(s)"
                                    << "Find Record(s)";
    QTest::newRow("Pause") << 32791 << "Pause"
                           << "Pause";
    QTest::newRow("Loop") << 32793 << "Slideshow cicled"
                          << "Slideshow cicled";
}

void TestResources::programCommandsPromptAndTip()
{
    QFETCH(int, nID);
    QFETCH(QString, strPrompt);
    QFETCH(QString, strToolTip);
    CResourceFrame frame;
    QAction* pAction = frame.GetCommandAction(nID);
    QCOMPARE(pAction->statusTip(), strPrompt);
    QCOMPARE(pAction->toolTip(), strToolTip);
    // Every one of them is on the tool bar.
    QWidget* pButton = frame.ToolBar()->widgetForAction(pAction);
    QVERIFY(pButton);
    QCOMPARE(pButton->toolTip(), strToolTip);
}

void TestResources::acceleratorsReachTheirCommands_data()
{
    QTest::addColumn<QString>("strKeys");
    QTest::addColumn<int>("nID");
    QTest::newRow("new") << "Ctrl+N" << 57600;
    QTest::newRow("open") << "Ctrl+O" << 57601;
    QTest::newRow("save") << "Ctrl+S" << 57603;
    QTest::newRow("print") << "Ctrl+P" << 57607;
    QTest::newRow("undo") << "Ctrl+Z" << 57643;
    QTest::newRow("undo, old key") << "Alt+Backspace" << 57643;
    QTest::newRow("cut") << "Ctrl+X" << 57635;
    QTest::newRow("cut, old key") << "Shift+Del" << 57635;
    QTest::newRow("copy") << "Ctrl+C" << 57634;
    QTest::newRow("copy, old key") << "Ctrl+Ins" << 57634;
    QTest::newRow("paste") << "Ctrl+V" << 57637;
    QTest::newRow("paste, old key") << "Shift+Ins" << 57637;
    QTest::newRow("next pane") << "F6" << 57680;
    QTest::newRow("previous pane") << "Shift+F6" << 57681;
    QTest::newRow("help") << "F1" << 57670;
    QTest::newRow("context help") << "Shift+F1" << 57669;
}

void TestResources::acceleratorsReachTheirCommands()
{
    QFETCH(QString, strKeys);
    QFETCH(int, nID);
    CResourceFrame frame;
    const QKeySequence keys(strKeys, QKeySequence::PortableText);
    QVERIFY(frame.GetCommandAction(nID)->shortcuts().contains(keys));
    // No other command answers to the same keys.
    int nOwners = 0;
    for (QAction* pAction : frame.findChildren<QAction*>())
        nOwners += pAction->shortcuts().contains(keys) ? 1 : 0;
    QCOMPARE(nOwners, 1);
}

void TestResources::stringsAndIcons()
{
    const CResources& res = CResources::Get();
    QCOMPARE(res.LoadString(57345), QStringLiteral(" ")); // the idle message
    QCOMPARE(res.LoadString(128), QStringLiteral("Orvala"));
    QCOMPARE(res.LoadString(57344), QStringLiteral("Orvala"));
    for (int nIcon : {128, 129, 502})
        QVERIFY(QFile::exists(res.GetIconPath(nIcon)));
}

void TestResources::malformedResourcesAreRefused()
{
    QString strError;
    CResources res;
    QVERIFY(!res.Parse("{ not json", &strError));
    QVERIFY(!strError.isEmpty());
    QVERIFY(!CResources().Parse(R"({"strings": {"abc": "x"}})", &strError));
    QVERIFY(strError.contains(QStringLiteral("abc")));
    QVERIFY(!CResources().Parse(R"({"menus": {"1": [{"caption": "M", "items": [{}]}]}})"));
    QVERIFY(!CResources().Parse(R"({"accelerators": {"1": [{"keys": "", "id": 5}]}})"));
}

QTEST_MAIN(TestResources)
