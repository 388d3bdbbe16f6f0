#include "TestResources.h"

#include "platform/framework/CResources.h"

#include <QTest>

namespace {

// A menu written as "Caption:id|Caption:id|-|...", "-" for a separator.
QString Flatten(const CMenuData& menu)
{
    QStringList arParts;
    for (const CMenuItemData& item : menu.arItems)
        arParts.append(item.bSeparator
                           ? QStringLiteral("-")
                           : QStringLiteral("%1:%2").arg(item.strCaption).arg(item.nID));
    return menu.strCaption + QLatin1Char('=') + arParts.join(QLatin1Char('|'));
}

} // namespace

void TestResources::menusHaveTheirItemsAndSeparators_data()
{
    QTest::addColumn<int>("nMenu");
    QTest::addColumn<int>("nIndex");
    QTest::addColumn<QString>("strExpected");

    QTest::newRow("128 File") << 128 << 0
                              << "&File=&Open...\tCtrl+O:57601|-|P&rint Setup...:57606|-|"
                                 "Recent File:57616|-|&Close:57602|E&xit:57665";
    QTest::newRow("128 View") << 128 << 1
                              << "&View=&Toolbar:59392|&Status Bar:59393|-|Slide show:32780";
    QTest::newRow("128 Database") << 128 << 2
                                  << "Database=Show Table:32782|Show Record:32783|-|"
                                     "Find Record(s):32786|Delete Record(s):32784";
    QTest::newRow("128 Help") << 128 << 3 << "&Help=&Help Topics:57667|-|&About Orvala...:57664";
    QTest::newRow("129 File") << 129 << 0
                              << "&File=&Open...\tCtrl+O:57601|&Close:57602|-|"
                                 "&Print...\tCtrl+P:57607|Print Pre&view:57609|"
                                 "P&rint Setup...:57606|-|Recent File:57616|-|E&xit:57665";
    QTest::newRow("129 View") << 129 << 1
                              << "&View=&Toolbar:59392|&Status Bar:59393|-|Full Size:32773|"
                                 "Mosaic:32775|Slide show:32780|Pause:32791|Loop:32793|-|"
                                 "Properties:32779";
    QTest::newRow("129 Database")
        << 129 << 2 << "Database=Show Table:32782|Show Record:32783|-|Find Record(s):32786";
    QTest::newRow("129 Window") << 129 << 3
                                << "&Window=&New Window:57648|&Cascade:57650|&Tile:57651|"
                                   "&Arrange Icons:57649";
    QTest::newRow("129 Help") << 129 << 4 << "&Help=&Help Topics:57667|-|&About Orvala...:57664";
}

void TestResources::menusHaveTheirItemsAndSeparators()
{
    QFETCH(int, nMenu);
    QFETCH(int, nIndex);
    QFETCH(QString, strExpected);
    const QList<CMenuData> arMenus = CResources::Get().GetMenu(nMenu);
    QCOMPARE(arMenus.size(), nMenu == 128 ? 4 : 5);
    QCOMPARE(Flatten(arMenus.at(nIndex)), strExpected);
}

void TestResources::toolBarHasThirteenButtonsInGroups()
{
    QStringList arGroups;
    QList<int> arGroup;
    int nButtons = 0;
    const QList<CToolBarButtonData> arButtons = CResources::Get().GetToolBar(128);
    for (const CToolBarButtonData& button : arButtons) {
        if (button.bSeparator) {
            arGroups.append(QString::number(arGroup.size()));
            arGroup.clear();
            continue;
        }
        ++nButtons;
        arGroup.append(button.nID);
        QVERIFY2(QFile::exists(CResources::ToolBarIconPath(button.strIcon)),
                 qPrintable(button.strIcon));
    }
    arGroups.append(QString::number(arGroup.size()));
    QCOMPARE(nButtons, 13);
    QCOMPARE(arGroups.join(QLatin1Char(',')), QStringLiteral("2,1,2,3,4,1"));
    QCOMPARE(arButtons.first().nID, 57601);
    QCOMPARE(arButtons.last().nID, 57664);
}

void TestResources::acceleratorsAndPrompts()
{
    const CResources& res = CResources::Get();
    QHash<QString, int> mapKeys;
    for (const CAcceleratorData& accel : res.GetAccelerators(128))
        mapKeys.insert(accel.keys.toString(QKeySequence::PortableText), accel.nID);
    QCOMPARE(mapKeys.size(), 16);
    QCOMPARE(mapKeys.value(QStringLiteral("Ctrl+N")), 57600);
    QCOMPARE(mapKeys.value(QStringLiteral("Alt+Backspace")), 57643);
    QCOMPARE(mapKeys.value(QStringLiteral("Shift+Ins")), 57637);
    QCOMPARE(mapKeys.value(QStringLiteral("Shift+F1")), 57669);

    QCOMPARE(res.GetPrompt(32793), QStringLiteral("Slideshow cicled"));
    QCOMPARE(res.GetToolTip(32775), QStringLiteral("Show Mosaic"));
    QCOMPARE(res.LoadString(57345), QStringLiteral(" "));
    QCOMPARE(res.LoadString(128), QStringLiteral("Orvala"));
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
