#include "TestRecentFileList.h"

#include "common/TestWorkspace.h"
#include "platform/framework/CRecentFileList.h"

#include <QSettings>
#include <QTest>

void TestRecentFileList::keepsFifteenMostRecentFirst()
{
    CRecentFileList list(15);
    for (int i = 1; i <= 20; ++i)
        list.Add(QStringLiteral("/p/%1.jpg").arg(i));
    QCOMPARE(list.GetCount(), 15);
    QCOMPARE(list[0], QStringLiteral("/p/20.jpg"));
    QCOMPARE(list[14], QStringLiteral("/p/6.jpg"));
    QCOMPARE(list[15], QString());
}

void TestRecentFileList::reopenedFileMovesToTop()
{
    CRecentFileList list(15);
    list.Add(QStringLiteral("/a.jpg"));
    list.Add(QStringLiteral("/b.jpg"));
    list.Add(QStringLiteral("/a.jpg"));
    QCOMPARE(list.GetCount(), 2);
    QCOMPARE(list[0], QStringLiteral("/a.jpg"));
    QCOMPARE(list[1], QStringLiteral("/b.jpg"));
    list.Remove(0);
    list.Remove(7);
    QCOMPARE(list.GetCount(), 1);
    QCOMPARE(list[0], QStringLiteral("/b.jpg"));
}

void TestRecentFileList::roundTripThroughSettings()
{
    CTestWorkspace ws;
    QSettings settings(ws.FilePath(QStringLiteral("mru.conf")), QSettings::IniFormat);
    CRecentFileList list(15);
    list.Add(QStringLiteral("/x/one.jpg"));
    list.Add(QStringLiteral("/x/two.bmp"));
    list.WriteList(settings);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(),
             QStringLiteral("/x/two.bmp"));
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File2")).toString(),
             QStringLiteral("/x/one.jpg"));

    // A shorter list later must not leave stale entries behind.
    CRecentFileList shorter(15);
    shorter.Add(QStringLiteral("/x/only.gif"));
    shorter.WriteList(settings);
    CRecentFileList read(15);
    read.ReadList(settings);
    QCOMPARE(read.GetCount(), 1);
    QCOMPARE(read[0], QStringLiteral("/x/only.gif"));
}

void TestRecentFileList::menuTextShortensAndEscapes()
{
    CRecentFileList list(15);
    list.Add(QStringLiteral("/photos/Tom & Ann.jpg"));
    QCOMPARE(list.GetMenuText(0), QStringLiteral("&1 /photos/Tom && Ann.jpg"));

    const QString strLong = QStringLiteral("/very/long/folder/name/that/keeps/going/and/going/"
                                           "and/going/on/picture.jpg");
    list.Add(strLong);
    const QString strText = list.GetMenuText(0, 40);
    QVERIFY(strText.startsWith(QStringLiteral("&1 /very")));
    QVERIFY(strText.endsWith(QStringLiteral(".../picture.jpg")));
    QVERIFY(strText.size() <= 3 + 40);
}

QTEST_MAIN(TestRecentFileList)
