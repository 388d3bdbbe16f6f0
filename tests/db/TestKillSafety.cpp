#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "platform/database/CDaoDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// A process killed at a random point of a large database step leaves a sound
// file holding all of the step's changes or none of them.
class TestKillSafety : public QObject
{
    Q_OBJECT
private slots:
    void killedStepsAreWholeOrNone_data();
    void killedStepsAreWholeOrNone();
};

namespace {
constexpr int g_nRecords = 10000;

// Photos.mdb in strFolder holding g_nRecords records in /old.
void MakeDatabase(const QString& strFolder, int nRecords)
{
    const QString strBack = QDir::currentPath();
    QDir::setCurrent(strFolder);
    {
        CDao_Table table;
        QVERIFY(table.Connect());
        CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
        pDb->BeginTrans();
        for (int i = 0; i < nRecords; ++i)
            pDb->Execute("INSERT INTO PHOTOS (Name, Extention, Size, Directory) "
                         "VALUES (?, 'jpg', '1000', '/old')",
                         {QStringLiteral("%1.jpg").arg(i)});
        pDb->CommitTrans();
    }
    QDir::setCurrent(strBack);
}

// Whether the file is sound, and what a query's single number says.
QPair<QString, int> Inspect(const QString& strFile, const QString& strCount)
{
    QPair<QString, int> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "inspect");
        db.setDatabaseName(strFile);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("PRAGMA integrity_check") && query.next())
                result.first = query.value(0).toString();
            if (query.exec(strCount) && query.next())
                result.second = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("inspect");
    return result;
}
} // namespace

void TestKillSafety::killedStepsAreWholeOrNone_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("rounds");
    QTest::newRow("Remove Records") << "remove"
                                    << "SELECT COUNT(*) FROM PHOTOS" << 7;
    QTest::newRow("Locate Folder") << "locate"
                                   << "SELECT COUNT(*) FROM PHOTOS WHERE Directory = '/old'" << 7;
    QTest::newRow("import") << "import"
                            << "SELECT COUNT(*) FROM PHOTOS" << 6;
}

void TestKillSafety::killedStepsAreWholeOrNone()
{
    QFETCH(QString, step);
    QFETCH(QString, count);
    QFETCH(int, rounds);
    CTestWorkspace workspace;
    const bool bImport = step == QLatin1String("import");
    const QString strTemplate = workspace.FilePath("template");
    QDir().mkpath(strTemplate);
    MakeDatabase(strTemplate, bImport ? 0 : g_nRecords);
    const quint32 nSeed = QRandomGenerator::global()->generate();
    QRandomGenerator random(nSeed);

    // The first round runs whole and times the step; the others are killed
    // somewhere inside that time.
    qint64 nStepMs = 0;
    for (int nRound = 0; nRound < rounds; ++nRound) {
        const QString strFolder = workspace.FilePath(QStringLiteral("round%1").arg(nRound));
        QDir().mkpath(strFolder + "/pictures");
        QVERIFY(QFile::copy(strTemplate + "/Photos.mdb", strFolder + "/Photos.mdb"));
        if (bImport) {
            for (int i = 0; i < g_nRecords; ++i)
                QFile(strFolder + QStringLiteral("/pictures/%1.jpg").arg(i))
                    .open(QIODevice::WriteOnly);
        }
        QProcess probe;
        probe.start(QCoreApplication::applicationDirPath() + "/db_kill_probe", {strFolder, step});
        QVERIFY(probe.waitForReadyRead(30000));
        QVERIFY(probe.readLine().startsWith("go"));
        QElapsedTimer timer;
        timer.start();
        if (nRound == 0) {
            QVERIFY(probe.waitForFinished(60000));
            nStepMs = timer.elapsed();
        } else {
            QTest::qSleep(int(random.bounded(qMax<qint64>(nStepMs, 1))));
            probe.kill();
            probe.waitForFinished();
        }
        const bool bDone = probe.readAll().contains("done");
        const auto inspected = Inspect(strFolder + "/Photos.mdb", count);
        const QString strWhere = QStringLiteral("%1, round %2, seed %3, killed after %4 ms")
                                     .arg(step)
                                     .arg(nRound)
                                     .arg(nSeed)
                                     .arg(timer.elapsed());
        QVERIFY2(inspected.first == QLatin1String("ok"), qPrintable(strWhere));
        const int nUnchanged = bImport ? 0 : g_nRecords;
        const int nChanged = bImport ? g_nRecords : 0;
        QVERIFY2(inspected.second == nChanged || (!bDone && inspected.second == nUnchanged),
                 qPrintable(strWhere + QStringLiteral(": %1 records").arg(inspected.second)));
    }
}

QTEST_GUILESS_MAIN(TestKillSafety)
#include "TestKillSafety.moc"
