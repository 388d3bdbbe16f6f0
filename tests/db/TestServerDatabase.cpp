#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/PgTestServer.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDia_ServerPassword.h"
#include "db/CPictureImport.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoDatabase.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

// The photo database on a PostgreSQL server of the test's own: what only a
// server does, refuses or suffers (other programs at once, a server gone).
class TestServerDatabase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void serverAnswers();
    void refusalsInWords();
    void twoStartAndImportAtOnce();
    void saveAfterAnotherDeletes();
    void serverStoppedInAFill();
    void serverStoppedInADelete();
    void passwordAskedAtStart_data();
    void passwordAskedAtStart();

private:
    std::unique_ptr<CPgTestServer> m_pServer;
};

namespace {
const QDateTime g_date(QDate(2006, 12, 7), QTime(23, 59, 30), Qt::UTC);

} // namespace

void TestServerDatabase::initTestCase()
{
    m_pServer = std::make_unique<CPgTestServer>();
    if (!m_pServer->IsAvailable())
        QSKIP(qPrintable(m_pServer->WhyUnavailable()));
}

void TestServerDatabase::init()
{
    // A fault test that failed half-way may have left it stopped.
    QVERIFY2(m_pServer->Start(), qPrintable(m_pServer->Error()));
}

// What only a server answers: the suites of the table windows and the
// import run on both databases.
void TestServerDatabase::serverAnswers()
{
    QVERIFY2(m_pServer->CreateDatabase("photos"), qPrintable(m_pServer->Error()));
    CDao_Table table;
    QVERIFY2(table.ConnectServer(m_pServer->Connection("photos")),
             qPrintable(table.UnavailableMessage()));
    QVERIFY(table.IsDatabaseWritable());
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p");
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "c.jpg", "/P");
    QCOMPARE(table.ReadFileRecords("/p").size(), 1); // "/P" is another folder

    // An error of the server's own is no lost connection, even in a
    // transaction it will not go on with.
    CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
    pDb->BeginTrans();
    QVERIFY(!DaoRefusal([&] { pDb->Execute("SELECT * FROM no_such_table"); }).isEmpty());
    QCOMPARE(table.LostConnectionMessage("x", CDao_Table::EFailedAt::Reading), QString());
    pDb->Rollback();

    // The database check's repairs.
    const qint64 nKey = table.ReadFileRecords("/p").value(0).m_nKey;
    table.RelocateRecords({{nKey, "/q/r"}});
    table.UpdateSizes({{nKey, 5000000000}});
    const SFileRecord moved = table.ReadFileRecords("/q").value(0);
    QCOMPARE(moved.m_nKey, nKey);
    QCOMPARE(moved.m_strDirectory, QStringLiteral("/q/r"));
    QCOMPARE(moved.m_nSize, 5000000000);

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

    // A user who may not make the table where there is none.
    QVERIFY2(m_pServer->CreateDatabase("guarded"), qPrintable(m_pServer->Error()));
    {
        CDaoDatabase db;
        db.OpenServer(m_pServer->Connection("guarded"));
        db.Execute("CREATE ROLE visitor LOGIN");
    }
    SServerConnection visitor = m_pServer->Connection("guarded");
    visitor.m_strUser = QStringLiteral("visitor");
    CDao_Table unpermitted;
    QVERIFY(!unpermitted.ConnectServer(visitor));
    QVERIFY2(unpermitted.UnavailableMessage().contains("permission denied"),
             qPrintable(unpermitted.UnavailableMessage()));

    m_pServer->Stop();
    CDao_Table down;
    QVERIFY(!down.ConnectServer(m_pServer->Connection("photos")));
    QVERIFY2(down.UnavailableMessage().contains("PostgreSQL server"),
             qPrintable(down.UnavailableMessage()));
    m_pServer->Start();
}

void TestServerDatabase::twoStartAndImportAtOnce()
{
    // Both find no photo table and make it, then import one folder: the
    // second takes the first's table, and each picture is stored once.
    CTestWorkspace workspace;
    QStringList arPictures;
    for (int i = 0; i < 50; ++i)
        arPictures.append(workspace.WriteFile(QStringLiteral("shared/%1.jpg").arg(i), "x"));
    const QString strFolder = workspace.FilePath("shared");
    for (int nRound = 0; nRound < 5; ++nRound) {
        const QString strName = QStringLiteral("race%1").arg(nRound);
        QVERIFY2(m_pServer->CreateDatabase(strName), qPrintable(m_pServer->Error()));
        const SServerConnection connection = m_pServer->Connection(strName);
        std::atomic<int> nReady{0};
        QString arProblems[2];
        int arAdded[2] = {0, 0};
        auto start = [&](int nWhich) {
            CDao_Table table;
            ++nReady;
            while (nReady < 2) {
            }
            if (!table.ConnectServer(connection)) {
                arProblems[nWhich] = table.UnavailableMessage();
                return;
            }
            CPictureImport import(&table);
            if (!import.Import(strFolder, arPictures))
                arProblems[nWhich] = import.m_strError;
            arAdded[nWhich] = import.m_nAdded;
        };
        std::thread second(start, 1);
        start(0);
        second.join();
        QVERIFY2(arProblems[0].isEmpty() && arProblems[1].isEmpty(),
                 qPrintable(arProblems[0] + arProblems[1]));
        QCOMPARE(arAdded[0] + arAdded[1], 50);
        CDao_Table table;
        QVERIFY(table.ConnectServer(connection));
        QCOMPARE(table.CountRecords("PHOTOS"), 50);
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
    const QString strRefusal = DaoRefusal([&] {
        table.SaveEditedTexts(nKey, {}, {"late", QString()});
    });
    other.join();
    QCOMPARE(strRefusal, QStringLiteral("The record can not be saved: it is no longer in the "
                                        "table."));
}

namespace {
// Adds records quickly, straight in the server's own SQL.
void AddManyPhotos(CDaoDatabase* pDb, int nRecords)
{
    pDb->Execute(QStringLiteral(R"(INSERT INTO "PHOTOS" ("Date", "Name", "Extention", "Size",
        "Directory", "Theme", "Comment") SELECT TIMESTAMP '2006-12-07 10:00' + n * INTERVAL
        '1 minute', 'IMG_' || n || '.JPG', 'JPG', '2400000', '/pictures/roll ' || (n / 100),
        'holiday', 'a comment long enough to fill the rows out a little' FROM
        generate_series(1, %1) AS n)")
                     .arg(nRecords));
}
} // namespace

void TestServerDatabase::serverStoppedInAFill()
{
    QVERIFY2(m_pServer->CreateDatabase("fill"), qPrintable(m_pServer->Error()));
    CDao_Table table;
    QVERIFY(table.ConnectServer(m_pServer->Connection("fill")));
    AddManyPhotos(table.m_pCDaoDatabase.get(), 50000);

    // Stopped a tenth of the way: the reading fails in words, as a loss.
    bool bStopped = false;
    const QString strRefusal = DaoRefusal([&] {
        table.ReadRecords(QString(), [&](int nPercent) {
            if (nPercent == 10 && !bStopped)
                bStopped = m_pServer->Stop();
        });
    });
    QVERIFY(bStopped);
    QVERIFY2(
        strRefusal.startsWith(QStringLiteral("The connection to the photo database \"fill@")) &&
            strRefusal.endsWith(QStringLiteral("The next command connects again.")),
        qPrintable(strRefusal));

    // The server still down: the next command says so, and the one after
    // the server is back connects again without a word.
    CMessageBoxRecorder messages;
    QVERIFY(!CheckDatabase(table));
    QCOMPARE(messages.m_arTexts.size(), 1);
    QVERIFY2(messages.m_arTexts[0].contains(QStringLiteral("PostgreSQL server")),
             qPrintable(messages.m_arTexts[0]));
    QVERIFY(m_pServer->Start());
    QVERIFY(CheckDatabase(table));
    QCOMPARE(messages.m_arTexts.size(), 1);
    QCOMPARE(table.ReadRecords(QString()).Size(), 50000);
}

void TestServerDatabase::serverStoppedInADelete()
{
    QVERIFY2(m_pServer->CreateDatabase("delete"), qPrintable(m_pServer->Error()));
    CDao_Table table;
    QVERIFY(table.ConnectServer(m_pServer->Connection("delete")));
    AddManyPhotos(table.m_pCDaoDatabase.get(), 2000);
    QList<qint64> arKeys;
    for (qint64 nKey = 1; nKey <= 2000; ++nKey)
        arKeys.append(nKey);

    // Another program holds record 1500, so the delete waits there with
    // 1499 records deleted; then the server stops.
    CDaoDatabase other;
    other.OpenServer(m_pServer->Connection("delete"));
    other.Execute("BEGIN");
    other.Execute(R"(SELECT 1 FROM "PHOTOS" WHERE "ID_Photo" = 1500 FOR UPDATE)");
    std::thread stopper([this] {
        CDaoDatabase watch;
        watch.OpenServer(m_pServer->Connection("delete"));
        for (int i = 0; i < 5000; ++i) {
            const auto pWaiting = watch.Query("SELECT count(*) FROM pg_locks WHERE NOT granted");
            if (pWaiting->Step() && pWaiting->Integer(0) > 0)
                break;
            QThread::msleep(1);
        }
        watch.Close();
        m_pServer->Stop();
    });
    QSignalSpy deleted(&table.Notifier(), &CDao_TableNotifier::RecordsDeleted);
    const QString strRefusal = DaoRefusal([&] { table.DeleteRecords(arKeys); });
    stopper.join();
    QVERIFY2(strRefusal.contains(QStringLiteral("nothing of it was stored")),
             qPrintable(strRefusal));
    QCOMPARE(deleted.size(), 0);

    QVERIFY(m_pServer->Start());
    QVERIFY(CheckDatabase(table));
    QCOMPARE(table.CountRecords("PHOTOS"), 2000);
}

void TestServerDatabase::passwordAskedAtStart_data()
{
    QTest::addColumn<QStringList>("typed"); // one a question; empty for Cancel
    QTest::addColumn<bool>("connected");
    QTest::newRow("wrong, then right") << QStringList{"wrong", "secret"} << true;
    QTest::newRow("Cancel") << QStringList{""} << false;
}

void TestServerDatabase::passwordAskedAtStart()
{
    QFETCH(QStringList, typed);
    QFETCH(bool, connected);
    CTestWorkspace ws;
    CPgTestServer guarded(QStringLiteral("secret"));
    QVERIFY2(guarded.CreateDatabase("photos"), qPrintable(guarded.Error()));
    SServerConnection chosen = guarded.Connection("photos");
    chosen.m_strPassword.clear();
    QStringList arAsked; // the words each question showed
    CDialog::SetModalHook([&](CDialog* pDialog) {
        QStringList arWords;
        for (const QLabel* pLabel : pDialog->findChildren<QLabel*>())
            arWords << pLabel->text();
        arAsked << arWords.join(u' ');
        const QString strTyped = typed.value(arAsked.size() - 1);
        static_cast<CDia_ServerPassword*>(pDialog)->m_editPassword->setText(strTyped);
        return strTyped.isEmpty() ? int(IDCANCEL) : int(IDOK);
    });
    CMessageBoxRecorder messages;
    CDao_Table table;
    QCOMPARE(ConnectPhotoDatabase(table, chosen), connected);
    CDialog::SetModalHook({});
    QCOMPARE(arAsked.size(), typed.size());
    QVERIFY(!arAsked[0].contains("password authentication failed"));
    if (!connected) {
        QCOMPARE(messages.m_arTexts.size(), 1);
        return;
    }
    QVERIFY2(arAsked[1].contains("password authentication failed"), qPrintable(arAsked[1]));
    QVERIFY(messages.m_arTexts.isEmpty());
    // A server restarted: the next command connects again with what was typed.
    QVERIFY(guarded.Stop());
    QVERIFY2(guarded.Start(), qPrintable(guarded.Error()));
    table.Recheck();
    QVERIFY2(table.IsDatabaseOpen(), qPrintable(table.UnavailableMessage()));
    QCOMPARE(table.CountRecords("PHOTOS"), 0);
    // Kept in memory only.
    for (const QString& strFolder : {QDir::homePath(), QDir::currentPath()}) {
        QDirIterator files(strFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("secret"), qPrintable(file.fileName()));
        }
    }
}

QTEST_MAIN(TestServerDatabase)
#include "TestServerDatabase.moc"
