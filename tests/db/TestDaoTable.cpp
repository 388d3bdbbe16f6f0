#include "TestDaoTable.h"
#include "common/DbTestData.h"

#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime g_date(QDate(2006, 12, 7), QTime(10, 30, 0));

// Writes a valid photo database with one record into the current folder.
bool MakeDatabase()
{
    CDao_Table table;
    if (!table.Connect())
        return false;
    AddPhoto(table.m_pCDaoDatabase, g_date, "a.jpg", "/p", "Trips");
    return true;
}

QStringList ThemesOf(const QComboBox& combo)
{
    QStringList ar;
    for (int i = 0; i < combo.count(); ++i)
        ar.append(combo.itemText(i));
    return ar;
}

} // namespace

void TestDaoTable::firstStartCreatesSchema()
{
    CTestWorkspace workspace;
    CMessageBoxRecorder recorder;
    CDao_Table table;
    QVERIFY(!QFile::exists(QStringLiteral("Photos.mdb"))); // nothing opened at construction
    QVERIFY(table.Connect());
    QVERIFY(QFile::exists(workspace.FilePath(QStringLiteral("Photos.mdb"))));
    QVERIFY(table.Connect()); // already open
    QCOMPARE(recorder.m_arTexts, QStringList());

    CDaoTableDef tableDef(table.m_pCDaoDatabase);
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
    AddPhoto(table.m_pCDaoDatabase, g_date, "a.jpg", "/p");
    AddPhoto(table.m_pCDaoDatabase, g_date, "b.jpg", "/p");
    CDaoRecordset recordset(table.m_pCDaoDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.MoveLast();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 2);
    recordset.Delete();
    AddPhoto(table.m_pCDaoDatabase, g_date, "c.jpg", "/p");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.MoveLast();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 3);
}

void TestDaoTable::secondStartChangesNothing()
{
    CTestWorkspace workspace;
    QVERIFY(MakeDatabase());
    const auto before = FolderChecksums(workspace.Path());
    CMessageBoxRecorder recorder;
    {
        CDao_Table table;
        QVERIFY(table.Connect());
        QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 1);
    }
    QCOMPARE(recorder.m_arTexts, QStringList());
    QCOMPARE(FolderChecksums(workspace.Path()), before);
}

void TestDaoTable::unusableFileUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");

    QByteArray jet("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    jet.append(4076, '\x00');
    QTest::newRow("text file") << "bytes" << QByteArray("my holiday notes\n");
    QTest::newRow("Jet file") << "bytes" << jet;
    QTest::newRow("damaged SQLite")
        << "bytes" << QByteArray("SQLite format 3\0", 16).append(4080, '\xAB');
    QTest::newRow("folder of that name") << "folder" << QByteArray();
    QTest::newRow("locked by another program") << "locked" << QByteArray();
}

void TestDaoTable::unusableFileUntouched()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    CTestWorkspace workspace;
    const QString strFile = workspace.FilePath(QStringLiteral("Photos.mdb"));
    if (kind == QLatin1String("bytes"))
        workspace.WriteFile(QStringLiteral("Photos.mdb"), bytes);
    else if (kind == QLatin1String("folder"))
        QDir(workspace.Path()).mkdir(QStringLiteral("Photos.mdb"));
    else
        QVERIFY(MakeDatabase());

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
        QVERIFY(!table.Connect());
        QCOMPARE(recorder.m_arTexts.size(), 1);
        QVERIFY2(recorder.m_arTexts[0].contains(QLatin1String("\"Photos.mdb\"")),
                 qPrintable(recorder.m_arTexts[0]));
        QVERIFY(!table.IsDatabaseOpen());
        // Later commands say why instead of failing silently.
        QVERIFY(!table.CheckDatabase());
        QCOMPARE(recorder.m_arTexts.size(), 2);
        QVERIFY(recorder.m_arTexts[1].contains(QLatin1String("\"Photos.mdb\"")));
        QVERIFY_THROWS_EXCEPTION(CDaoException, table.CountRecords(QStringLiteral("PHOTOS")));
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

void TestDaoTable::readOnlyFolderUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file; "db": a photo database
    QTest::addColumn<bool>("opens");

    QTest::newRow("empty folder") << QByteArray() << false;
    QTest::newRow("not a database") << QByteArray("notes") << false;
    QTest::newRow("photo database") << QByteArray("db") << true;
}

void TestDaoTable::readOnlyFolderUntouched()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (bytes == "db") {
        const QString strPrevious = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const bool bMade = MakeDatabase();
        QDir::setCurrent(strPrevious);
        QVERIFY(bMade);
    } else if (!bytes.isEmpty()) {
        QFile file(folder.filePath(QStringLiteral("Photos.mdb")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const auto before = FolderChecksums(folder.path());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                             QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);

    // A separate process, so that root can give up the rights that would let
    // it write into a read-only folder.
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/db_connect_probe"),
                {folder.path()});
    QVERIFY(probe.waitForFinished(30000));
    const QString strOutput = QString::fromUtf8(probe.readAllStandardOutput());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(probe.exitCode(), 0);

    const QStringList arLines = strOutput.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(arLines.last(), opens ? QStringLiteral("result 1") : QStringLiteral("result 0"));
    const QStringList arMessages = arLines.filter(QRegularExpression(QStringLiteral("^message ")));
    if (opens) {
        QCOMPARE(arMessages, QStringList());
    } else {
        QCOMPARE(arMessages.size(), 1);
        QVERIFY2(arMessages[0].contains(QLatin1String("\"Photos.mdb\"")),
                 qPrintable(arMessages[0]));
    }
    QCOMPARE(FolderChecksums(folder.path()), before);
}

void TestDaoTable::countRecords()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 0);
    for (int i = 0; i < 3; ++i)
        AddPhoto(table.m_pCDaoDatabase, g_date, QStringLiteral("%1.jpg").arg(i), "/p");
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 3);
}

void TestDaoTable::fillDistinct()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    const QStringList arThemes{"Trips", "Family", "Trips", ""};
    for (const QString& strTheme : arThemes)
        AddPhoto(table.m_pCDaoDatabase, g_date, "a.jpg", "/p", strTheme);
    AddPhoto(table.m_pCDaoDatabase, g_date, "b.jpg", "/p", QString()); // null theme

    QComboBox combo;
    table.FillDistinct(&combo, QStringLiteral("Theme"));
    QCOMPARE(ThemesOf(combo), (QStringList{"Family", "Trips"}));
    QCOMPARE(combo.currentText(), QStringLiteral("Family"));

    // Values are added to what the list holds already.
    QComboBox filled;
    filled.addItem(QStringLiteral("Zoo"));
    filled.setCurrentIndex(-1);
    table.FillDistinct(&filled, QStringLiteral("Theme"));
    QCOMPARE(ThemesOf(filled), (QStringList{"Zoo", "Family", "Trips"}));
    QCOMPARE(filled.currentIndex(), 0);
}

void TestDaoTable::fillDistinctEmpty()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    QComboBox combo;
    table.FillDistinct(&combo, QStringLiteral("Theme"));
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);

    // Only empty themes: no item, still no selection.
    AddPhoto(table.m_pCDaoDatabase, g_date, "a.jpg", "/p", "");
    table.FillDistinct(&combo, QStringLiteral("Theme"));
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);
}

void TestDaoTable::saveRecord_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("message"); // part of the refusal; empty when stored

    QTest::newRow("plain") << 1 << "Trips"
                           << "Nice day"
                           << "";
    QTest::newRow("quotes") << 1 << "O'Brien's"
                            << "\"x\"; DROP TABLE PHOTOS"
                            << "";
    QTest::newRow("cleared") << 1 << ""
                             << ""
                             << "";
    QTest::newRow("at the limits") << 1 << QString(150, u't') << QString(150, u'c') << "";
    QTest::newRow("theme too long") << 1 << QString(151, u't') << "ok"
                                    << "Theme is 151 characters";
    QTest::newRow("comment too long")
        << 1 << "ok" << QString(200, u'c') << "Comment is 200 characters";
    QTest::newRow("record gone") << 42 << "Trips"
                                 << ""
                                 << "no longer in the table";
}

void TestDaoTable::saveRecord()
{
    QFETCH(int, id);
    QFETCH(QString, theme);
    QFETCH(QString, comment);
    QFETCH(QString, message);
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    AddPhoto(table.m_pCDaoDatabase, g_date, "a.jpg", "/p", "Old theme", "Old comment");

    CMessageBoxRecorder recorder;
    QCOMPARE(table.SaveRecord(id, theme, comment), message.isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(recorder.m_arTexts, QStringList());
    } else {
        QCOMPARE(recorder.m_arTexts.size(), 1);
        QVERIFY2(recorder.m_arTexts[0].contains(message), qPrintable(recorder.m_arTexts[0]));
    }
    CDaoRecordset recordset(table.m_pCDaoDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    QCOMPARE(recordset.GetRecordCount(), 1L);
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(),
             message.isEmpty() ? theme : QStringLiteral("Old theme"));
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Comment")).toString(),
             message.isEmpty() ? comment : QStringLiteral("Old comment"));
}

void TestDaoTable::closedDatabase()
{
    CTestWorkspace workspace;
    CMessageBoxRecorder recorder;
    CDao_Table table; // never connected
    QVERIFY(!table.IsDatabaseOpen());
    QVERIFY(!table.CheckDatabase());
    QVERIFY(!table.SaveRecord(1, QStringLiteral("t"), QStringLiteral("c")));
    QCOMPARE(recorder.m_arTexts.size(), 2);
    for (const QString& strText : std::as_const(recorder.m_arTexts))
        QVERIFY2(strText.contains(QLatin1String("\"Photos.mdb\"")), qPrintable(strText));
    QVERIFY_THROWS_EXCEPTION(CDaoException, table.CountRecords(QStringLiteral("PHOTOS")));

    // A database without the table opens quietly; the table's absence shows
    // when it is queried.
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(workspace.FilePath(QStringLiteral("Photos.mdb")));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE OTHER (x INTEGER)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    QVERIFY(table.Connect());
    QCOMPARE(recorder.m_arTexts.size(), 2);
    QVERIFY_THROWS_EXCEPTION(CDaoException, table.CountRecords(QStringLiteral("PHOTOS")));
}

QTEST_MAIN(TestDaoTable)
