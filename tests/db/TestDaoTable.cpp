#include "TestDaoTable.h"
#include "common/DbTestData.h"

#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

namespace {

const QDateTime g_date(QDate(2006, 12, 7), QTime(10, 30, 0));

} // namespace

void TestDaoTable::initTestCase_data()
{
    CTestBackend::AddRows();
}

void TestDaoTable::init()
{
    if (!m_backend.Begin())
        QSKIP(qPrintable(m_backend.WhySkipped()));
}

void TestDaoTable::countRecords_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<int>("count"); // -1: an engine error that names the damage

    QTest::newRow("empty") << 0 << false << 0;
    QTest::newRow("three") << 3 << false << 3;
    QTest::newRow("more than a page") << 2500 << false << 2500;
    QTest::newRow("damaged table") << 2500 << true << -1;
}

void TestDaoTable::countRecords()
{
    QFETCH(int, records);
    QFETCH(bool, damaged);
    QFETCH(int, count);
    if (damaged && m_backend.IsServer())
        QSKIP("A server keeps its files whole itself.");
    CTestWorkspace workspace;
    {
        CDao_Table table;
        QVERIFY(m_backend.Connect(table));
        table.m_pCDaoDatabase->BeginTrans();
        for (int i = 0; i < records; ++i)
            AddPhoto(table.m_pCDaoDatabase.get(), g_date, QStringLiteral("%1.jpg").arg(i), "/p");
        table.m_pCDaoDatabase->CommitTrans();
    }
    if (damaged) {
        // The table's pages after the first few turn to rubbish; the file's
        // first page, with the table's definition, stays whole.
        QFile file(workspace.FilePath(QStringLiteral("Photos.mdb")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() > 8 * 4096);
        QVERIFY(file.seek(4 * 4096));
        file.write(QByteArray(file.size() - 5 * 4096, '\xA5'));
    }
    CMessageBoxRecorder recorder;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    if (count >= 0) {
        QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), count);
    } else {
        try {
            const int nCount = table.CountRecords(QStringLiteral("PHOTOS"));
            QFAIL(qPrintable(QStringLiteral("counted %1").arg(nCount)));
        } catch (const CDaoException& e) {
            QVERIFY2(e.GetErrorDescription().contains(QLatin1String("malformed")),
                     qPrintable(e.GetErrorDescription()));
        }
    }
    QCOMPARE(recorder.m_arTexts, QStringList());
}

void TestDaoTable::verifyDatabaseChangesNothing()
{
    if (m_backend.IsServer())
        QSKIP("About the file; a server's answer is tried with its faults.");
    CTestWorkspace workspace;
    const QString strFile = workspace.FilePath(QStringLiteral("Photos.mdb"));
    {
        CDao_Table table;
        QVERIFY(table.Connect());
        table.m_pCDaoDatabase->BeginTrans();
        for (int i = 0; i < 2500; ++i)
            AddPhoto(table.m_pCDaoDatabase.get(), g_date, QStringLiteral("%1.jpg").arg(i), "/p");
        table.m_pCDaoDatabase->CommitTrans();
        CMessageBoxRecorder recorder;
        VerifyPhotoDatabase(table);
        QCOMPARE(recorder.m_arTexts,
                 QStringList{QStringLiteral(
                     "\"Photos.mdb\" was checked and no damage was found. Nothing was changed.")});
    }
    // Pages in the middle turn to rubbish, as in countRecords.
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(4 * 4096));
    file.write(QByteArray(file.size() - 5 * 4096, '\xA5'));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    CMessageBoxRecorder recorder;
    CDao_Table table;
    QVERIFY(table.Connect());
    VerifyPhotoDatabase(table);
    QCOMPARE(recorder.m_arTexts.size(), 1);
    const QString strText = recorder.m_arTexts.first();
    QVERIFY2(strText.startsWith(QLatin1String("\"Photos.mdb\" is damaged. The check found:\n")) ||
                 strText.startsWith(QLatin1String("\"Photos.mdb\" could not be checked: ")),
             qPrintable(strText));
    QVERIFY(strText.contains(QLatin1String("Nothing was")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestDaoTable::distinctValues_data()
{
    QTest::addColumn<QStringList>("themes"); // stored; a null one is added too
    QTest::addColumn<QStringList>("values");
    QTest::newRow("sorted, once each, no empty")
        << QStringList{"Trips", "Family", "Trips", ""} << QStringList{"Family", "Trips"};
    QTest::newRow("only empty ones") << QStringList{""} << QStringList{};
    QTest::newRow("no records") << QStringList{} << QStringList{};
}

void TestDaoTable::distinctValues()
{
    QFETCH(QStringList, themes);
    QFETCH(QStringList, values);
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    for (const QString& strTheme : themes)
        AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p", strTheme);
    if (!themes.isEmpty())
        AddPhoto(table.m_pCDaoDatabase.get(), g_date, "b.jpg", "/p", QString());
    QCOMPARE(table.DistinctValues(EPhotoField::Theme), values);
}

void TestDaoTable::readRecords_data()
{
    QTest::addColumn<QString>("size"); // as stored
    QTest::addColumn<QString>("date"); // as stored
    QTest::addColumn<qint64>("sizeValue");
    QTest::addColumn<QDateTime>("dateValue"); // the wall clock, no zone
    const QDateTime wall(QDate(2006, 12, 7), QTime(10, 30), Qt::UTC);
    QTest::newRow("whole number") << "1234"
                                  << "2006-12-07 10:30:00" << qint64(1234) << wall;
    QTest::newRow("beyond 32 bits") << "5000000000"
                                    << "" << qint64(5000000000) << QDateTime();
    QTest::newRow("leading number") << " 2.5 MB"
                                    << "12/7/2006 10:30" << qint64(2) << wall;
    QTest::newRow("no number, no date") << "KB"
                                        << "someday" << qint64(0) << QDateTime();
}

// Records as the windows get them: by key, and all of them in key order
// with the progress of the reading.
void TestDaoTable::readRecords()
{
    if (m_backend.IsServer())
        QSKIP("Stores texts in Date, which only the file takes.");
    QFETCH(QString, size);
    QFETCH(QString, date);
    QFETCH(qint64, sizeValue);
    QFETCH(QDateTime, dateValue);
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
    AddPhoto(pDb, g_date, "b.jpg", "/p", "Trips", "sea");
    AddPhoto(pDb, g_date, "a.jpg", "/p");
    pDb->Execute(QStringLiteral("UPDATE PHOTOS SET ID_Photo = 3000000000, Size = ?, Date = ? "
                                "WHERE ID_Photo = 1"),
                 {size, date.isEmpty() ? QVariant() : QVariant(date)});

    const std::optional<SPhotoRecord> record = table.ReadRecord(3000000000);
    QVERIFY(record);
    QCOMPARE(record->m_nSize, sizeValue);
    QCOMPARE(record->m_dtDate, dateValue);
    QCOMPARE((QStringList{record->m_strName, record->m_strExtension, record->m_strDirectory,
                          record->m_strTheme, record->m_strComment}),
             (QStringList{"b.jpg", "jpg", "/p", "Trips", "sea"}));
    QVERIFY(!table.ReadRecord(1));

    QList<int> arPercents;
    const CPhotoColumns records =
        table.ReadRecords(QString(), [&](int nPercent) { arPercents.append(nPercent); });
    QCOMPARE(records.Keys(), (QList<qint64>{2, 3000000000}));
    QCOMPARE(records.Record(1).m_nSize, sizeValue);
    QCOMPARE(records.Record(1).m_dtDate, dateValue);
    QCOMPARE(arPercents, (QList<int>{0, 50}));
    QCOMPARE(table.ReadRecords(QStringLiteral("[Theme]='trips'")).Keys(),
             QList<qint64>{3000000000});
}

void TestDaoTable::deleteRecords()
{
    if (m_backend.IsServer())
        QSKIP("A refusal made by the file's own trigger.");
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    CDaoDatabase* pDb = table.m_pCDaoDatabase.get();
    for (const char* pszName : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
        AddPhoto(pDb, g_date, pszName, "/p");
    QSignalSpy deleted(&table.Notifier(), &CDao_TableNotifier::RecordsDeleted);
    // Record 3 can not go: deleting it, with others, deletes none.
    pDb->Execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON PHOTOS WHEN "
                                "old.ID_Photo = 3 BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    QCOMPARE(DaoRefusal([&] { table.DeleteRecords({1, 3}); }), QStringLiteral("kept."));
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 4);
    QCOMPARE(deleted.size(), 0);
    // A key without a record is no error.
    table.DeleteRecords({4, 1, 99});
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 2);
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(deleted[0][0].value<QList<qint64>>(), (QList<qint64>{4, 1, 99}));
    // No transaction is left open: another writer gets the file at once.
    QVERIFY(sqlite3_get_autocommit(pDb->Handle()));
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
    QVERIFY(m_backend.Connect(table));
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", "/p", "Old theme", "Old comment");

    QSignalSpy changed(&table.Notifier(), &CDao_TableNotifier::RecordsChanged);
    const QString strRefusal = DaoRefusal([&] {
        table.SaveEditedTexts(id, {"Old theme", "Old comment"}, {theme, comment});
    });
    QVERIFY2(message.isEmpty() ? strRefusal.isEmpty() : strRefusal.contains(message),
             qPrintable(strRefusal));
    QCOMPARE(changed.size(), message.isEmpty() ? 1 : 0);
    if (message.isEmpty()) {
        const auto record = changed[0][0].value<QList<SPhotoRecord>>().value(0);
        QCOMPARE((QStringList{record.m_strName, record.m_strTheme, record.m_strComment}),
                 (QStringList{"a.jpg", theme, comment}));
    }
    CDaoRecordset recordset(table.m_pCDaoDatabase.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    QCOMPARE(recordset.GetRecordCount(), 1L);
    QCOMPARE(recordset.GetFieldValue(PhotoFieldName(EPhotoField::Theme)).toString(),
             message.isEmpty() ? theme : QStringLiteral("Old theme"));
    QCOMPARE(recordset.GetFieldValue(PhotoFieldName(EPhotoField::Comment)).toString(),
             message.isEmpty() ? comment : QStringLiteral("Old comment"));
}

void TestDaoTable::closedDatabase()
{
    if (m_backend.IsServer())
        QSKIP("Names the file.");
    CTestWorkspace workspace;
    CMessageBoxRecorder recorder;
    CDao_Table table; // never connected
    QVERIFY(!table.IsDatabaseOpen());
    QVERIFY(!CheckDatabase(table));
    QCOMPARE(recorder.m_arTexts.size(), 1);
    QVERIFY2(recorder.m_arTexts[0].contains(QLatin1String("\"Photos.mdb\"")),
             qPrintable(recorder.m_arTexts[0]));
    QCOMPARE(DaoRefusal([&] { table.SaveEditedTexts(1, {}, {"t", "c"}); }), recorder.m_arTexts[0]);
    QCOMPARE(DaoRefusal([&] { table.DeleteRecords({1}); }), recorder.m_arTexts[0]);
    QVERIFY_THROWS_EXCEPTION(CDaoException, table.CountRecords(QStringLiteral("PHOTOS")));
}

QTEST_GUILESS_MAIN(TestDaoTable)
