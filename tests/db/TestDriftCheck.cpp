#include "common/DbTestData.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDriftCheck.h"
#include "platform/database/CDaoDatabase.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

// What the database check finds on disk, and the repairs it offers, on a real
// database and real folders.
class TestDriftCheck : public QObject
{
    Q_OBJECT
private slots:
    void findsEachDisagreement();
    void relocatedDirectory();
    void removableMountPlace_data();
    void removableMountPlace();
    void repairsAreWholeOrNothing();
};

namespace {
const QDateTime g_date(QDate(2020, 5, 1), QTime(9, 0), Qt::UTC);

void AddSizedPhoto(CDaoDatabase* pDb, const QString& strName, const QString& strDirectory,
                   const QString& strSize)
{
    AddPhoto(pDb, g_date, strName, strDirectory);
    pDb->Execute(QStringLiteral("UPDATE PHOTOS SET Size = ? WHERE Name = ?"), {strSize, strName});
}

QStringList Directories(CDao_Table& table)
{
    QStringList ar;
    for (const SFileRecord& record : table.ReadFileRecords())
        ar.append(record.m_strName + u'@' + record.m_strDirectory + u':' +
                  QString::number(record.m_nSize));
    return ar;
}
} // namespace

void TestDriftCheck::findsEachDisagreement()
{
    CTestWorkspace workspace;
    const QString strHere = workspace.Path() + "/here";
    QDir().mkpath(strHere);
    workspace.WriteFile("here/same.jpg", QByteArray(10, 'x'));
    workspace.WriteFile("here/grown.jpg", QByteArray(25, 'x'));
    const QList<SFileRecord> arRecords = {
        {1, strHere, "same.jpg", 10, {}},          {2, strHere, "gone.jpg", 10, {}},
        {3, strHere, "grown.jpg", 20, {}},         {4, strHere, "Same.jpg", 10, {}},
        {5, strHere + "/renamed", "a.jpg", 7, {}}, {6, strHere + "/renamed", "b.jpg", 8, {}}};
    std::atomic<bool> bStop{false};
    std::atomic<int> nDone{0};
    const QList<qint64> arSizes = CDriftCheck::DiskSizes(arRecords, bStop, nDone);
    QCOMPARE(arSizes, (QList<qint64>{10, -1, 25, -1, -2, -2}));
    QCOMPARE(nDone.load(), 6);

    const QList<SDriftRow> arRows = DriftReport(arRecords, arSizes);
    QStringList arLines;
    for (const SDriftRow& row : arRows) {
        QStringList arKeys;
        for (qint64 nKey : row.m_arKeys)
            arKeys.append(QString::number(nKey));
        arLines.append(DriftText(row.m_eKind) + u' ' +
                       QDir(strHere).relativeFilePath(row.m_strDirectory + u'/' + row.m_strName) +
                       u' ' + arKeys.join(u',') + u' ' + QString::number(row.m_nDiskSize));
    }
    QCOMPARE(arLines, (QStringList{"Folder missing renamed 5,6 -1", "File missing Same.jpg 4 -1",
                                   "File missing gone.jpg 2 -1", "Size differs grown.jpg 3 25"}));
    // A stopped check reports only on the records it looked at.
    QCOMPARE(DriftReport(arRecords, arSizes.mid(0, 2)).size(), 1);

    bStop = true;
    QVERIFY(CDriftCheck::DiskSizes(arRecords, bStop, nDone).isEmpty());
}

void TestDriftCheck::relocatedDirectory()
{
    QCOMPARE(RelocatedDirectory("/a/old", "/a/old", "/b/new"), QStringLiteral("/b/new"));
    QCOMPARE(RelocatedDirectory("/a/old/2020/May", "/a/old", "/b/new"),
             QStringLiteral("/b/new/2020/May"));
    // A sibling whose name starts alike, and the parent, are not inside.
    QVERIFY(RelocatedDirectory("/a/older", "/a/old", "/b/new").isEmpty());
    QVERIFY(RelocatedDirectory("/a", "/a/old", "/b/new").isEmpty());
}

void TestDriftCheck::removableMountPlace_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("removable");
    QTest::newRow("udisks") << "/run/media/anna/CAMERA" << true;
    QTest::newRow("media of a user") << "/media/anna/CAMERA" << true;
    QTest::newRow("media") << "/media/CAMERA" << true;
    QTest::newRow("mnt") << "/mnt/usb" << true;
    QTest::newRow("inside a disk") << "/media/anna/CAMERA/DCIM" << false;
    QTest::newRow("home") << "/home/anna/Pictures" << false;
    QTest::newRow("run") << "/run/user" << false;
}

void TestDriftCheck::removableMountPlace()
{
    QFETCH(QString, folder);
    QFETCH(bool, removable);
    QCOMPARE(IsRemovableMountPlace(folder), removable);
}

void TestDriftCheck::repairsAreWholeOrNothing()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
    AddSizedPhoto(pDb, "a.jpg", "/p/old", "100");
    AddSizedPhoto(pDb, "b.jpg", "/p/old/sub", "200 bytes");
    AddSizedPhoto(pDb, "c.jpg", "/p/older", "300");
    AddSizedPhoto(pDb, "d.jpg", "/P/old", "400");

    QStringList arNames;
    for (const SFileRecord& record : table.ReadFileRecords("/p/old"))
        arNames.append(record.m_strName);
    QCOMPARE(arNames, (QStringList{"a.jpg", "b.jpg"}));

    QSignalSpy changed(&table.Notifier(), &CDao_TableNotifier::RecordsChanged);
    table.RelocateRecords({{1, "/q/new"}, {2, "/q/new/sub"}});
    table.UpdateSizes({{3, 333}});
    QCOMPARE(Directories(table), (QStringList{"d.jpg@/P/old:400", "c.jpg@/p/older:333",
                                              "a.jpg@/q/new:100", "b.jpg@/q/new/sub:200"}));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed[0][0].value<QList<SPhotoRecord>>().value(1).m_strDirectory,
             QStringLiteral("/q/new/sub"));
    QCOMPARE(changed[1][0].value<QList<SPhotoRecord>>().value(0).m_nSize, qint64(333));

    // A write refused half-way leaves every record as it was.
    pDb->Execute("CREATE TRIGGER refuse BEFORE UPDATE ON PHOTOS WHEN NEW.ID_Photo = 4 "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const QStringList arBefore = Directories(table);
    QVERIFY(!DaoRefusal([&] { table.RelocateRecords({{3, "/x"}, {4, "/x"}}); }).isEmpty());
    QVERIFY(!DaoRefusal([&] { table.UpdateSizes({{1, 1}, {4, 4}}); }).isEmpty());
    QCOMPARE(Directories(table), arBefore);
    QCOMPARE(changed.size(), 2);
}

QTEST_GUILESS_MAIN(TestDriftCheck)
#include "TestDriftCheck.moc"
