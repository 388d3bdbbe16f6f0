#include "TestDaoTableStart.h"
#include "common/DbTestData.h"

#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/DatabaseFile.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QDateTime g_date(QDate(2006, 12, 7), QTime(10, 30, 0));

// Writes a valid photo database with one record into the current folder.
bool MakeDatabase()
{
    CDao_Table table;
    if (!table.Connect())
        return false;
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p", "Trips");
    return true;
}

} // namespace

void TestDaoTableStart::initTestCase()
{
    // A lock is found out without the user's five seconds of patience.
    CDaoDatabase::SetBusyTimeout(100);
}

void TestDaoTableStart::firstStartCreatesSchema()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(!QFile::exists(QStringLiteral("Photos.mdb"))); // nothing opened at construction
    QVERIFY(table.Connect());
    QVERIFY(QFile::exists(workspace.FilePath(QStringLiteral("Photos.mdb"))));
    QVERIFY(table.Connect()); // already open

    CDaoTableDef tableDef(table.m_pCDaoDatabase.get());
    tableDef.Open(QStringLiteral("PHOTOS"));
    QCOMPARE(tableDef.GetName(), QStringLiteral("PHOTOS"));
    // Spelled out, not taken from the program: this is the schema it must make.
    const QStringList arNames{"ID_Photo", "Date",      "Name",  "Extention",
                              "Size",     "Directory", "Theme", "Comment"};
    const QList<int> arTypes{dbLong, dbDate, dbText, dbText, dbText, dbText, dbText, dbText};
    const QList<long> arSizes{4, 8, 150, 60, 60, 250, 150, 150};
    QCOMPARE(tableDef.GetFieldCount(), 8);
    for (int i = 0; i < 8; ++i) {
        CDaoFieldInfo field;
        tableDef.GetFieldInfo(i, field);
        QCOMPARE(field.m_strName, arNames[i]);
        QCOMPARE(field.m_nType, arTypes[i]);
        QCOMPARE(field.m_lSize, arSizes[i]);
        QCOMPARE(field.m_lAttributes, i == 0 ? long(dbAutoIncrField) : 0L);
    }
    QCOMPARE(tableDef.GetIndexCount(), 1);
    CDaoIndexInfo index;
    tableDef.GetIndexInfo(0, index);
    QCOMPARE(index.m_strName, QStringLiteral("PrimaryKey"));
    QCOMPARE(index.m_arFields.size(), 1);
    QCOMPARE(index.m_arFields[0].m_strName, QStringLiteral("ID_Photo"));
    QVERIFY(index.m_bPrimary && index.m_bUnique && index.m_bRequired && !index.m_bIgnoreNulls);

    // The key counts up by itself and is never reused after a delete.
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p");
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "b.jpg", "/p");
    CDaoRecordset recordset(table.m_pCDaoDatabase.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.MoveLast();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 2);
    recordset.Delete();
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "c.jpg", "/p");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.MoveLast();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 3);
}

void TestDaoTableStart::secondStartChangesNothing()
{
    CTestWorkspace workspace;
    QVERIFY(MakeDatabase());
    const auto before = FolderChecksums(workspace.Path());
    CMessageBoxRecorder recorder;
    {
        CDao_Table table;
        QVERIFY(ConnectPhotoDatabase(table));
        QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 1);
    }
    QCOMPARE(recorder.m_arTexts, QStringList());
    QCOMPARE(FolderChecksums(workspace.Path()), before);
}

namespace {

const QString g_strUnavailable = QStringLiteral("The photo database is not available: ");

// Runs statements on a database file through a connection of its own.
void RunSql(const QString& strFile, const QStringList& arStatements)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(strFile);
        QVERIFY(db.open());
        for (const QString& strSql : arStatements)
            QVERIFY2(QSqlQuery(db).exec(strSql), qPrintable(strSql));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

// The program's own table, as a list of column declarations to edit.
QStringList PhotoColumns()
{
    return {"ID_Photo INTEGER CONSTRAINT PrimaryKey PRIMARY KEY AUTOINCREMENT NOT NULL",
            "Date DATETIME",
            "Name VARCHAR(150)",
            "Extention VARCHAR(60)",
            "Size VARCHAR(60)",
            "Directory VARCHAR(250)",
            "Theme VARCHAR(150)",
            "Comment VARCHAR(150)"};
}

QString CreatePhotos(const QStringList& arColumns)
{
    return QStringLiteral("CREATE TABLE PHOTOS (%1)").arg(arColumns.join(QStringLiteral(", ")));
}

// Puts what a row names as "Photos.mdb" into the folder.
void MakeStartFile(const QString& strFolder, const QString& strKind)
{
    const QString strFile = strFolder + QStringLiteral("/Photos.mdb");
    auto write = [&strFile](const QByteArray& bytes) {
        QFile file(strFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    QByteArray jet("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    jet.append(4076, '\x00');
    QStringList arOtherTypes = PhotoColumns();
    arOtherTypes[0] = QStringLiteral("ID_Photo TEXT");
    arOtherTypes[1] = QStringLiteral("Date TEXT");
    arOtherTypes[6] = QStringLiteral("Theme INTEGER");
    QStringList arExtra = PhotoColumns();
    arExtra.append(QStringLiteral("Rating INTEGER"));

    if (strKind == QLatin1String("none")) {
    } else if (strKind == QLatin1String("empty file")) {
        write(QByteArray());
    } else if (strKind == QLatin1String("text file")) {
        write("my holiday notes\n");
    } else if (strKind == QLatin1String("random bytes")) {
        QByteArray bytes(8192, '\0');
        quint32 nState = 12345;
        for (char& c : bytes) {
            nState = nState * 1103515245u + 12345u;
            c = char(nState >> 24);
        }
        write(bytes);
    } else if (strKind == QLatin1String("Jet file")) {
        write(jet);
    } else if (strKind == QLatin1String("damaged SQLite")) {
        write(QByteArray("SQLite format 3\0", 16).append(4080, '\xAB'));
    } else if (strKind == QLatin1String("folder")) {
        QDir(strFolder).mkdir(QStringLiteral("Photos.mdb"));
    } else if (strKind == QLatin1String("no table")) {
        RunSql(strFile, {QStringLiteral("CREATE TABLE OTHER (x INTEGER)")});
    } else if (strKind == QLatin1String("view")) {
        RunSql(strFile, {CreatePhotos(PhotoColumns())
                             .replace(QLatin1String("PHOTOS ("), QLatin1String("OTHER (")),
                         QStringLiteral("CREATE VIEW PHOTOS AS SELECT * FROM OTHER")});
    } else if (strKind == QLatin1String("missing fields")) {
        RunSql(strFile, {CreatePhotos(PhotoColumns().mid(0, 6))});
    } else if (strKind == QLatin1String("other types")) {
        RunSql(strFile, {CreatePhotos(arOtherTypes.mid(0, 7))});
    } else if (strKind == QLatin1String("extra fields and tables")) {
        RunSql(strFile,
               {CreatePhotos(arExtra), QStringLiteral("CREATE TABLE NOTES (x TEXT)"),
                QStringLiteral("INSERT INTO PHOTOS (Date, Name) VALUES ('2006-12-07 10:30:00', "
                               "'a.jpg')")});
    } else if (strKind == QLatin1String("db") || strKind == QLatin1String("locked")) {
        RunSql(strFile, {CreatePhotos(PhotoColumns()),
                         QStringLiteral("INSERT INTO PHOTOS (Date, Name) VALUES "
                                        "('2006-12-07 10:30:00', 'a.jpg')")});
    } else {
        QFAIL(qPrintable(strKind));
    }
}

} // namespace

void TestDaoTableStart::startUpMessages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // empty: the database opens without a word

    const QString strNotOurs =
        QStringLiteral("\"Photos.mdb\" is not a database this program can "
                       "read; it may be damaged or made by another program.");
    QTest::newRow("text file") << "text file" << strNotOurs;
    QTest::newRow("random bytes") << "random bytes" << strNotOurs;
    QTest::newRow("Jet file") << "Jet file" << strNotOurs;
    QTest::newRow("damaged SQLite") << "damaged SQLite" << strNotOurs;
    QTest::newRow("folder of that name") << "folder"
                                         << "\"Photos.mdb\" is not a file.";
    QTest::newRow("no table PHOTOS") << "no table"
                                     << "\"Photos.mdb\" has no table \"PHOTOS\".";
    QTest::newRow("PHOTOS a view") << "view"
                                   << "\"PHOTOS\" in \"Photos.mdb\" is a view, not a table.";
    QTest::newRow("missing fields")
        << "missing fields"
        << "Table \"PHOTOS\" in \"Photos.mdb\" lacks the fields \"Theme\" and \"Comment\".";
    QTest::newRow("other types")
        << "other types"
        << "Table \"PHOTOS\" in \"Photos.mdb\" lacks the field \"Comment\"; its field "
           "\"ID_Photo\" holds text, not whole numbers; its field \"Date\" holds text, not "
           "dates; its field \"Theme\" holds whole numbers, not text.";
    QTest::newRow("extra fields and tables") << "extra fields and tables"
                                             << "";
    QTest::newRow("locked by another program")
        << "locked"
        << "Database \"Photos.mdb\" is locked by another program.";
}

// What the user is told at start about a Photos.mdb that is there already,
// which stays as it was, whatever it holds.
void TestDaoTableStart::startUpMessages()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    CTestWorkspace workspace;
    const QString strFile = workspace.FilePath(QStringLiteral("Photos.mdb"));
    MakeStartFile(workspace.Path(), kind);

    // Another program holds the database for its own writing.
    QSqlDatabase locker;
    if (kind == QLatin1String("locked")) {
        locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        locker.setDatabaseName(strFile);
        QVERIFY(locker.open());
        QVERIFY(QSqlQuery(locker).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    }
    const auto before = FolderChecksums(workspace.Path());
    const QStringList arEntries = QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden);

    CMessageBoxRecorder recorder;
    {
        CDao_Table table;
        QCOMPARE(ConnectPhotoDatabase(table), reason.isEmpty());
        if (reason.isEmpty()) {
            QCOMPARE(recorder.m_arTexts, QStringList());
            QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 1);
        } else {
            QCOMPARE(recorder.m_arTexts,
                     QStringList(g_strUnavailable + reason +
                                 QStringLiteral("\nPictures can still be browsed.")));
            QCOMPARE(recorder.m_arTypes.first() & 0xF0, int(MB_ICONERROR));
            QVERIFY(!table.IsDatabaseOpen());
            // Later commands say the same instead of failing on their own.
            QVERIFY(!CheckDatabase(table));
            QCOMPARE(recorder.m_arTexts.size(), 2);
            QCOMPARE(recorder.m_arTexts[1], g_strUnavailable + reason);
            QCOMPARE(DaoRefusal([&] {
                         table.SaveEditedTexts(1, {}, {"t", "c"});
                     }),
                     g_strUnavailable + reason);
        }
    }
    QCOMPARE(FolderChecksums(workspace.Path()), before);
    QCOMPARE(QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden), arEntries);

    if (locker.isValid()) {
        QSqlQuery(locker).exec(QStringLiteral("ROLLBACK"));
        locker.close();
        locker = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    }
}

void TestDaoTableStart::emptyFileReplaced()
{
    // What a start killed while making the database used to leave behind.
    CTestWorkspace workspace;
    MakeStartFile(workspace.Path(), QStringLiteral("empty file"));
    const QStringList arEntries = QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden);
    CMessageBoxRecorder recorder;
    CDao_Table table;
    QVERIFY(table.Connect());
    QCOMPARE(recorder.m_arTexts, QStringList());
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 0);
    QCOMPARE(QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden), arEntries);
}

namespace {

// Every connection opened while it is registered finds its file full.
int LimitPages(sqlite3* pDb, char**, const sqlite3_api_routines*)
{
    return sqlite3_exec(pDb, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
}

} // namespace

void TestDaoTableStart::writeFailsAtFirstStart_data()
{
    QTest::addColumn<bool>("fullDatabase"); // else: files may not grow past 2 KB
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full") << true << "database or disk is full.";
    QTest::newRow("file size limit") << false << "disk I/O error.";
}

void TestDaoTableStart::writeFailsAtFirstStart()
{
    QFETCH(bool, fullDatabase);
    QFETCH(QString, reason);
    CTestWorkspace workspace;
    const QStringList arEntries = QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden);
    CMessageBoxRecorder recorder;
    {
        const auto autoExtension = reinterpret_cast<void (*)()>(&LimitPages);
        struct rlimit previous;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        struct rlimit small = previous;
        small.rlim_cur = 2048;
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        if (fullDatabase)
            QCOMPARE(sqlite3_auto_extension(autoExtension), SQLITE_OK);
        else
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        CDao_Table table;
        const bool bConnected = ConnectPhotoDatabase(table);
        setrlimit(RLIMIT_FSIZE, &previous);
        signal(SIGXFSZ, oldHandler);
        sqlite3_cancel_auto_extension(autoExtension);
        QVERIFY(!bConnected);
    }
    QCOMPARE(recorder.m_arTexts,
             QStringList(g_strUnavailable +
                         QStringLiteral("Can not create database \"Photos.mdb\": ") + reason +
                         QStringLiteral("\nPictures can still be browsed.")));
    // Nothing half-made stays behind, so the next start makes the database.
    QCOMPARE(QDir(workspace.Path()).entryList(QDir::AllEntries | QDir::Hidden), arEntries);
    CDao_Table table;
    QVERIFY(table.Connect());
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 0);
    QCOMPARE(recorder.m_arTexts.size(), 1);
}

void TestDaoTableStart::permissionsAtStart_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QString>("outcome"); // "ok", "read-only" or "unavailable"
    QTest::addColumn<QString>("reason");  // %1 is the folder

    const QString strCreate =
        QStringLiteral("Can not create database \"Photos.mdb\": Permission denied.");
    QTest::newRow("photo database") << "db" << 0777 << 0666 << "ok"
                                    << "";
    QTest::newRow("read-only file") << "db" << 0777 << 0444 << "read-only"
                                    << "\"Photos.mdb\" is read-only.";
    QTest::newRow("unreadable file") << "db" << 0777 << 0 << "unavailable"
                                     << "\"Photos.mdb\" can not be read: Permission denied.";
    QTest::newRow("read-only folder, no file") << "none" << 0555 << 0 << "unavailable" << strCreate;
    QTest::newRow("read-only folder, empty file")
        << "empty file" << 0555 << 0644 << "unavailable" << strCreate;
    QTest::newRow("read-only folder, not a database")
        << "text file" << 0555 << 0644 << "unavailable"
        << "\"Photos.mdb\" is not a database this program can read; it may be damaged or made "
           "by another program.";
    QTest::newRow("read-only folder, photo database")
        << "db" << 0555 << 0666 << "read-only"
        << "the folder of \"Photos.mdb\" is read-only.";
    QTest::newRow("unreadable folder")
        << "db" << 0 << 0666 << "unavailable"
        << "Can not look for \"Photos.mdb\" in folder \"%1\": Permission denied.";
}

namespace {

// Runs the program's start in the folder, and then the commands, as an
// unprivileged user in a process of its own: root may read and write anything.
QStringList RunProbe(const QString& strFolder, const QStringList& arCommands)
{
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/db_connect_probe"),
                QStringList{strFolder} + arCommands);
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return {QStringLiteral("the probe failed")};
    return QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

// Rights at the start. The probe then saves a record and imports.
void TestDaoTableStart::permissionsAtStart()
{
    QFETCH(QString, kind);
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    QFETCH(QString, outcome);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString strFile = folder.filePath(QStringLiteral("Photos.mdb"));
    MakeStartFile(folder.path(), kind);
    if (QFile::exists(strFile))
        QCOMPARE(chmod(QFile::encodeName(strFile).constData(), mode_t(fileMode)), 0);
    const auto before = FolderChecksums(folder.path());
    QCOMPARE(chmod(QFile::encodeName(folder.path()).constData(), mode_t(folderMode)), 0);

    const QStringList arOutput = RunProbe(folder.path(), {"save", "import"});
    QCOMPARE(chmod(QFile::encodeName(folder.path()).constData(), 0700), 0);

    reason = reason.arg(folder.path());
    QStringList arExpected;
    if (outcome == QLatin1String("ok")) {
        arExpected = QStringList{"save 1", "import 1 ", "result 1"};
    } else {
        const bool bReadOnly = outcome == QLatin1String("read-only");
        const QString strWhy =
            (bReadOnly ? QStringLiteral("The photo database can not be changed: ")
                       : g_strUnavailable) +
            reason;
        const QString strGoOn = bReadOnly
                                    ? QStringLiteral(" Its records can still be browsed and found.")
                                    : QStringLiteral(" Pictures can still be browsed.");
        arExpected = QStringList{"message " + strWhy + strGoOn, "message " + strWhy, "save 0",
                                 "import 0 " + strWhy, bReadOnly ? "result 1" : "result 0"};
    }
    QCOMPARE(arOutput, arExpected);
    if (kind == QLatin1String("none"))
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    else if (outcome != QLatin1String("ok"))
        QCOMPARE(FolderChecksums(folder.path()), before);
}

void TestDaoTableStart::leftoversRemoved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // "file", "folder" or "link"
    QTest::addColumn<int>("age");      // seconds
    QTest::addColumn<bool>("removed");
    QTest::newRow("killed start") << ".Photos.mdb-new-3k9x1z"
                                  << "file" << 3600 << true;
    QTest::newRow("its journal") << ".Photos.mdb-new-3k9x1z-journal"
                                 << "file" << 3600 << true;
    QTest::newRow("a start building now") << ".Photos.mdb-new-3k9x1z"
                                          << "file" << 2 << false;
    QTest::newRow("other suffix") << ".Photos.mdb-new-3k9x1z.bak"
                                  << "file" << 3600 << false;
    QTest::newRow("not hidden") << "Photos.mdb-new-3k9x1z"
                                << "file" << 3600 << false;
    QTest::newRow("folder") << ".Photos.mdb-new-3k9x1z"
                            << "folder" << 3600 << false;
    QTest::newRow("link") << ".Photos.mdb-new-3k9x1z"
                          << "link" << 3600 << false;
}

// What a first start killed while making the database leaves goes at the next
// start; the database, and anything else, stays.
void TestDaoTableStart::leftoversRemoved()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(int, age);
    QFETCH(bool, removed);
    CTestWorkspace workspace;
    QVERIFY(MakeDatabase());
    const QString strPath = workspace.FilePath(name);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(strPath));
    else if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(workspace.FilePath(QStringLiteral("Photos.mdb")), strPath));
    else
        workspace.WriteFile(name, "SQLite format 3");
    const QByteArray path = QFile::encodeName(strPath);
    const struct timespec times[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
    QCOMPARE(utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW), 0);
    const auto before = FolderChecksums(workspace.Path());

    CDao_Table table;
    QVERIFY(table.Connect());
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 1);
    QCOMPARE(QFileInfo::exists(strPath) || QFileInfo(strPath).isSymLink(), !removed);
    auto after = FolderChecksums(workspace.Path());
    if (removed)
        after.insert(name, before.value(name));
    QCOMPARE(after, before);
}

void TestDaoTableStart::fileChangedWhileRunning_data()
{
    QTest::addColumn<QString>("change"); // a probe command
    QTest::addColumn<QString>("write");  // a probe command
    QTest::addColumn<QString>("message");
    const QString strGone =
        QStringLiteral("The photo database is not available: \"Photos.mdb\" no longer exists.");
    const QString strReadOnly = QStringLiteral(
        "The photo database can not be changed: \"Photos.mdb\" has become read-only.");
    QTest::newRow("deleted, then Save") << "rm"
                                        << "save" << strGone;
    QTest::newRow("deleted, then Delete") << "rm"
                                          << "delete" << strGone;
    QTest::newRow("read-only, then Save") << "chmod"
                                          << "save" << strReadOnly;
    QTest::newRow("read-only, then Delete") << "chmod"
                                            << "delete" << strReadOnly;
}

// Another program deletes the file or takes its write rights after the start.
void TestDaoTableStart::fileChangedWhileRunning()
{
    QFETCH(QString, change);
    QFETCH(QString, write);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    MakeStartFile(folder.path(), QStringLiteral("db"));
    const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("Photos.mdb")));
    QCOMPARE(chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
    if (geteuid() == 0)
        QCOMPARE(chown(file.constData(), 65534, 65534), 0);
    const auto before = FolderChecksums(folder.path());

    QCOMPARE(RunProbe(folder.path(), {change, write}),
             (QStringList{"message " + message, write + " 0", "result 1"}));
    if (change == QLatin1String("chmod"))
        QCOMPARE(FolderChecksums(folder.path()), before);
}

void TestDaoTableStart::networkFileSystems_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("network");
    QTest::newRow("NFS") << QByteArray("nfs4") << true;
    QTest::newRow("SMB") << QByteArray("cifs") << true;
    QTest::newRow("SSH") << QByteArray("fuse.sshfs") << true;
    QTest::newRow("local") << QByteArray("ext4") << false;
    QTest::newRow("local FUSE") << QByteArray("fuse.ntfs-3g") << false;
}

void TestDaoTableStart::networkFileSystems()
{
    QFETCH(QByteArray, type);
    QFETCH(bool, network);
    QCOMPARE(IsNetworkFileSystemType(type), network);
    // The tests' own folder is local: no warning at start.
    CTestWorkspace ws;
    QCOMPARE(NetworkFileSystemOf(QStringLiteral("Photos.mdb")), QString());
}

QTEST_GUILESS_MAIN(TestDaoTableStart)
