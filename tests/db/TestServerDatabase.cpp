#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/PgTestServer.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CPhotoColumns.h"
#include "db/CPictureImport.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

// The photo database on a PostgreSQL server of the test's own: what a table
// window and the import do gives what it gives on the file.
class TestServerDatabase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void recordsOnAServer();
    void refusalsInWords();
    void twoStartAtOnce();
    void saveAfterAnotherDeletes();

private:
    std::unique_ptr<CPgTestServer> m_pServer;
};

namespace {
const QDateTime g_date(QDate(2006, 12, 7), QTime(23, 59, 30), Qt::UTC);

QStringList Names(const CPhotoColumns& columns)
{
    QStringList ar;
    for (int i = 0; i < columns.Size(); ++i)
        ar.append(columns.Record(i).m_strName);
    return ar;
}
} // namespace

void TestServerDatabase::initTestCase()
{
    m_pServer = std::make_unique<CPgTestServer>();
    if (!m_pServer->IsAvailable())
        QSKIP(qPrintable(m_pServer->WhyUnavailable()));
}

void TestServerDatabase::recordsOnAServer()
{
    CTestWorkspace workspace;
    QVERIFY2(m_pServer->CreateDatabase("photos"), qPrintable(m_pServer->Error()));
    CDao_Table table;
    QVERIFY2(table.ConnectServer(m_pServer->Connection("photos")),
             qPrintable(table.UnavailableMessage()));
    QVERIFY(table.IsDatabaseWritable());
    CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
    AddPhoto(pDb, g_date, "a.jpg", "/p", "Beach trip", "O'Brien's dog");
    AddPhoto(pDb, g_date.addDays(1), "B.JPG", "/p", "beach");
    AddPhoto(pDb, g_date.addDays(-3), "c.jpg", "/P", "[x]*");

    const CPhotoColumns all = table.ReadRecords(QString());
    QCOMPARE(Names(all), (QStringList{"a.jpg", "B.JPG", "c.jpg"}));
    QCOMPARE(all.Record(0).m_dtDate, g_date);
    QCOMPARE(all.Record(0).m_strComment, QStringLiteral("O'Brien's dog"));
    // Letter case ignored, pattern characters kept apart, dates by the day.
    QCOMPARE(Names(table.ReadRecords("[theme] LIKE '*BEACH*'")), (QStringList{"a.jpg", "B.JPG"}));
    QCOMPARE(Names(table.ReadRecords("[Theme] LIKE '[[]x]*'")), QStringList{"c.jpg"});
    QCOMPARE(Names(table.ReadRecords("[Theme] = 'BEACH'")), QStringList{"B.JPG"});
    QCOMPARE(Names(table.ReadRecords("[Date] >= #12/8/2006# AND [Date] <= #12/8/2006 23:59:59#")),
             QStringList{"B.JPG"});
    QCOMPARE(table.DistinctValues(EPhotoField::Theme),
             (QStringList{"[x]*", "beach", "Beach trip"}));

    table.SaveRecord(all.Record(0).m_nKey, "Zoo", "lion");
    table.DeleteRecords({all.Record(1).m_nKey});
    QCOMPARE(table.ReadRecord(all.Record(0).m_nKey)->m_strTheme, QStringLiteral("Zoo"));
    QCOMPARE(table.CountRecords("PHOTOS"), 2);
    QCOMPARE(table.ReadFileRecords("/p").size(), 1); // "/P" is another folder

    // A folder imported twice is stored once.
    const QString strFolder = workspace.Path() + "/pictures";
    QDir().mkpath(strFolder);
    const QStringList arFiles{workspace.WriteFile("pictures/1.jpg", "x"),
                              workspace.WriteFile("pictures/2.jpg", "y")};
    for (int i = 0; i < 2; ++i) {
        CPictureImport import(&table);
        QVERIFY2(import.Import(strFolder, arFiles), qPrintable(import.m_strError));
        QCOMPARE(import.m_nAdded, i == 0 ? 2 : 0);
    }
    QCOMPARE(table.CountRecords("PHOTOS"), 4);

    // No file to check, and no claim that one was.
    CMessageBoxRecorder answers;
    VerifyPhotoDatabase(table);
    QVERIFY2(answers.m_arTexts.value(0).contains("no file here to check"),
             qPrintable(answers.m_arTexts.value(0)));
}

void TestServerDatabase::refusalsInWords()
{
    CDao_Table missing;
    QVERIFY(!missing.ConnectServer(m_pServer->Connection("no_such_photos")));
    QVERIFY2(missing.UnavailableMessage().contains("no_such_photos"),
             qPrintable(missing.UnavailableMessage()));

    // A table made elsewhere is read, never altered.
    QVERIFY2(m_pServer->CreateDatabase("other"), qPrintable(m_pServer->Error()));
    {
        CDaoDatabase db;
        db.OpenServer(m_pServer->Connection("other"));
        db.Execute("CREATE TABLE \"PHOTOS\" (\"ID_Photo\" BIGINT PRIMARY KEY, \"Name\" TEXT)");
    }
    CDao_Table other;
    QVERIFY(!other.ConnectServer(m_pServer->Connection("other")));
    QVERIFY2(other.UnavailableMessage().contains("lacks the fields"),
             qPrintable(other.UnavailableMessage()));

    // A wrong password is refused in words; the right one is let in.
    CPgTestServer guarded(QStringLiteral("secret"));
    QVERIFY2(guarded.CreateDatabase("photos"), qPrintable(guarded.Error()));
    SServerConnection connection = guarded.Connection("photos");
    connection.m_strPassword = QStringLiteral("wrong");
    CDao_Table refused;
    QVERIFY(!refused.ConnectServer(connection));
    QVERIFY2(refused.UnavailableMessage().contains("password authentication failed"),
             qPrintable(refused.UnavailableMessage()));
    connection.m_strPassword = QStringLiteral("secret");
    CDao_Table admitted;
    QVERIFY2(admitted.ConnectServer(connection), qPrintable(admitted.UnavailableMessage()));

    m_pServer->Stop();
    CDao_Table down;
    QVERIFY(!down.ConnectServer(m_pServer->Connection("photos")));
    QVERIFY2(down.UnavailableMessage().contains("PostgreSQL server"),
             qPrintable(down.UnavailableMessage()));
    m_pServer->Start();
}

void TestServerDatabase::twoStartAtOnce()
{
    // Both find no photo table, both make it: the second must take the first's.
    for (int nRound = 0; nRound < 5; ++nRound) {
        const QString strName = QStringLiteral("race%1").arg(nRound);
        QVERIFY2(m_pServer->CreateDatabase(strName), qPrintable(m_pServer->Error()));
        const SServerConnection connection = m_pServer->Connection(strName);
        std::atomic<int> nReady{0};
        QString arProblems[2];
        auto start = [&](int nWhich) {
            CDao_Table table;
            ++nReady;
            while (nReady < 2) {
            }
            if (!table.ConnectServer(connection))
                arProblems[nWhich] = table.UnavailableMessage();
        };
        std::thread second(start, 1);
        start(0);
        second.join();
        QVERIFY2(arProblems[0].isEmpty() && arProblems[1].isEmpty(),
                 qPrintable(arProblems[0] + arProblems[1]));
    }
}

void TestServerDatabase::saveAfterAnotherDeletes()
{
    QVERIFY2(m_pServer->CreateDatabase("shared"), qPrintable(m_pServer->Error()));
    CDao_Table table;
    QVERIFY(table.ConnectServer(m_pServer->Connection("shared")));
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p");
    const qint64 nKey = table.ReadRecords(QString()).Record(0).m_nKey;

    // Another Orvala deletes the record and commits while this one saves.
    std::atomic<bool> bDeleting{false};
    std::thread other([&] {
        CDao_Table deleting;
        deleting.ConnectServer(m_pServer->Connection("shared"));
        CDaoDatabase* pDb = deleting.m_pCDaoDatabase.get();
        pDb->BeginTrans();
        pDb->Execute("DELETE FROM \"PHOTOS\" WHERE \"ID_Photo\" = ?", {nKey});
        bDeleting = true;
        QThread::msleep(300);
        pDb->CommitTrans();
    });
    while (!bDeleting) {
    }
    const QString strRefusal = DaoRefusal([&] { table.SaveRecord(nKey, "late", QString()); });
    other.join();
    QCOMPARE(strRefusal, QStringLiteral("The record can not be saved: it is no longer in the "
                                        "table."));
}

QTEST_GUILESS_MAIN(TestServerDatabase)
#include "TestServerDatabase.moc"
