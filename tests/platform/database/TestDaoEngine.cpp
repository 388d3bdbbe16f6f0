#include "TestDaoEngine.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <exception>
#include <limits>

#include <time.h>

namespace {

const QString g_strListing = QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo, Date;");

QString FourFields(const QString& strText)
{
    return QStringLiteral("[Theme] LIKE '*%1*' OR [Comment] LIKE '*%1*' OR [Name] LIKE '*%1*' OR "
                          "[Directory] LIKE '*%1*'")
        .arg(strText);
}

QString DayRange(const QString& strDay)
{
    return QStringLiteral("[Date] >= #%1 00:00:00# AND [Date] <= #%1 23:59:59#").arg(strDay);
}

QDateTime At(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
{
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(nHour, nMinute, nSecond));
}

// A stored date as the engine reads it back: the wall clock, no zone.
QDateTime WallClock(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
{
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(nHour, nMinute, nSecond), Qt::UTC);
}

QString NumberedName(int nId, int nRecords)
{
    return QStringLiteral("%1.jpg").arg(nId * 7919 % nRecords, 4, 10, QLatin1Char('0'));
}

QList<int> Column0(CDaoRecordset& recordset)
{
    QList<int> ar;
    for (; !recordset.IsEOF(); recordset.MoveNext())
        ar.append(recordset.GetFieldValue(0).toInt());
    return ar;
}

// Adds records 9..nRecords, enough for several dynaset pages: each one's
// Theme is its key, its Name in an order unlike the keys.
void AddNumberedRecords(CDaoDatabase* pDb, int nRecords)
{
    CDaoRecordset writer(pDb);
    writer.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    pDb->BeginTrans();
    for (int nId = 9; nId <= nRecords; ++nId) {
        writer.AddNew();
        writer.SetFieldValue(QStringLiteral("Name"), NumberedName(nId, nRecords));
        writer.SetFieldValue(QStringLiteral("Theme"), QString::number(nId));
        writer.Update();
    }
    pDb->CommitTrans();
}

// The photo table, built with nothing but the engine.
void CreatePhotos(CDaoDatabase* pDb)
{
    CDaoTableDef tableDef(pDb);
    tableDef.Create(QStringLiteral("PHOTOS"));
    tableDef.CreateField(QStringLiteral("ID_Photo"), dbLong, 4, dbAutoIncrField);
    tableDef.CreateField(QStringLiteral("Date"), dbDate, 8);
    const QList<QPair<QString, long>> arTexts{{"Name", 150},  {"Extention", 60},
                                              {"Size", 60},   {"Directory", 250},
                                              {"Theme", 150}, {"Comment", 150}};
    for (const auto& text : arTexts)
        tableDef.CreateField(text.first, dbText, text.second);
    CDaoIndexInfo index;
    index.m_strName = QStringLiteral("PrimaryKey");
    index.m_arFields.append({QStringLiteral("ID_Photo"), false});
    index.m_bPrimary = index.m_bUnique = index.m_bRequired = true;
    tableDef.CreateIndex(index);
    tableDef.Append();
}

void AddPhoto(CDaoDatabase* pDb, const QDateTime& date, const QString& strName,
              const QString& strDirectory, const QString& strTheme = QString(),
              const QString& strComment = QString())
{
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.AddNew();
    recordset.SetFieldValue(QStringLiteral("Date"), date);
    recordset.SetFieldValue(QStringLiteral("Name"), strName);
    recordset.SetFieldValue(QStringLiteral("Extention"), strName.section(u'.', -1));
    recordset.SetFieldValue(QStringLiteral("Size"), QStringLiteral("1234"));
    recordset.SetFieldValue(QStringLiteral("Directory"), strDirectory);
    recordset.SetFieldValue(QStringLiteral("Theme"), strTheme);
    recordset.SetFieldValue(QStringLiteral("Comment"), strComment);
    recordset.Update();
}

} // namespace

void TestDaoEngine::initTestCase()
{
    // A zone with daylight saving, for the whole run: stored dates must not
    // pass through it.
    m_oldTimeZone = qgetenv("TZ");
    m_bHadTimeZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestDaoEngine::cleanupTestCase()
{
    if (m_bHadTimeZone)
        qputenv("TZ", m_oldTimeZone);
    else
        qunsetenv("TZ");
    tzset();
}

void TestDaoEngine::init()
{
    m_pFolder = std::make_unique<QTemporaryDir>();
    m_strPreviousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_pFolder->path()));
    m_pDb = std::make_unique<CDaoDatabase>();
    m_pDb->Create(QStringLiteral("Photos.mdb"));
    CreatePhotos(m_pDb.get());
    CDaoDatabase* pDb = m_pDb.get();
    // Records 1..8: both sides of midnight, both sides of 1970, 2029 and 1930.
    pDb->BeginTrans();
    AddPhoto(pDb, At(2006, 12, 6, 23, 59, 59), "a.jpg", "/photos/2006", "Beach");
    AddPhoto(pDb, At(2006, 12, 7, 0, 0, 0), "b.jpg", "/photos/2006", "", "BEACH day");
    AddPhoto(pDb, At(2006, 12, 7, 23, 59, 59), "c.JPG", "/photos/O'Brien", "Family", "été à Nice");
    AddPhoto(pDb, At(2006, 12, 8, 0, 0, 0), "beach.bmp", "/photos/2006", "Trips");
    AddPhoto(pDb, At(1969, 12, 31, 23, 59, 59), "old.gif", "/scans", "Family", "ÉTÉ 69");
    AddPhoto(pDb, At(1970, 1, 1, 0, 0, 0), "new.gif", "/scans", "", "50% *off*");
    AddPhoto(pDb, At(2029, 6, 1, 12, 0, 0), "future.jpg", "/scans", "Trips");
    AddPhoto(pDb, At(1930, 6, 1, 12, 0, 0), "olden.jpg", "/scans");
    pDb->CommitTrans();
}

void TestDaoEngine::cleanup()
{
    m_pDb.reset();
    QDir::setCurrent(m_strPreviousDir);
    m_pFolder.reset();
}

void TestDaoEngine::criterionMeaning_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("number") << "ID_Photo=3" << QList<int>{3};
    QTest::newRow("number, none") << "ID_Photo=99" << QList<int>{};
    QTest::newRow("text") << "[Name]='a.jpg'" << QList<int>{1};
    QTest::newRow("text ignores case") << "Name='C.jpg'" << QList<int>{3};
    QTest::newRow("text with quote") << "[Directory]='/photos/O''Brien'" << QList<int>{3};
    QTest::newRow("find beach") << FourFields("beach") << QList<int>{1, 2, 4};
    QTest::newRow("find été") << FourFields("été") << QList<int>{3, 5};
    QTest::newRow("find o'brien") << FourFields("o''brien") << QList<int>{3};
    QTest::newRow("find nothing") << FourFields("zebra") << QList<int>{};
    QTest::newRow("day, two-digit year") << DayRange("12/07/06") << QList<int>{2, 3};
    QTest::newRow("day, four-digit year") << DayRange("12/7/2006") << QList<int>{2, 3};
    QTest::newRow("day before 1970") << DayRange("12/31/69") << QList<int>{5};
    QTest::newRow("first day of 1970") << DayRange("01/01/70") << QList<int>{6};
    QTest::newRow("across 1970")
        << "[Date] >= #12/31/1969 12:00:00# AND [Date] <= #1/1/1970 12:00:00#" << QList<int>{5, 6};
    QTest::newRow("29 is 2029") << DayRange("6/1/29") << QList<int>{7};
    QTest::newRow("30 is 1930") << DayRange("6/1/30") << QList<int>{8};
    QTest::newRow("date equality") << "[Date] = #12/07/06 00:00:00#" << QList<int>{2};
    QTest::newRow("AND before OR")
        << "ID_Photo=1 OR ID_Photo=2 AND [Theme]='Family'" << QList<int>{1};
    QTest::newRow("literal star") << "[Comment] LIKE '*[*]off[*]*'" << QList<int>{6};
    QTest::newRow("percent is no wildcard") << "[Comment] LIKE '*%*'" << QList<int>{6};
    QTest::newRow("underscore is no wildcard") << "[Name] LIKE '_.jpg'" << QList<int>{};
    QTest::newRow("question mark") << "[Name] LIKE '?.jpg'" << QList<int>{1, 2, 3};
    QTest::newRow("digits") << "[Directory] LIKE '*/####'" << QList<int>{1, 2, 4};
}

void TestDaoEngine::criterionMeaning()
{
    QFETCH(QString, criterion);
    QFETCH(QList<int>, ids);
    CDaoRecordset recordset(m_pDb.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QList<int> arFound;
    for (bool bFound = recordset.FindFirst(criterion); bFound;
         bFound = recordset.FindNext(criterion))
        arFound.append(recordset.GetFieldValue(QStringLiteral("ID_Photo")).toInt());
    QCOMPARE(arFound, ids);
}

void TestDaoEngine::orderAndGroup()
{
    CDaoDatabase* pDb = m_pDb.get();
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY [Date]"));
    QCOMPARE(Column0(recordset), (QList<int>{8, 5, 6, 1, 2, 3, 4, 7}));
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY Date DESC"));
    QCOMPARE(Column0(recordset), (QList<int>{7, 4, 3, 2, 1, 6, 5, 8}));

    // Text groups and sorts ignoring case, as the engine's general order
    // does; a null theme and an empty one are two groups.
    AddPhoto(pDb, At(2007, 1, 1, 0, 0, 0), "d.jpg", "/x", "trips");
    AddPhoto(pDb, At(2007, 1, 1, 0, 0, 0), "e.jpg", "/x", "album");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT Theme FROM PHOTOS GROUP BY Theme ORDER BY Theme"));
    QStringList arThemes;
    for (; !recordset.IsEOF(); recordset.MoveNext())
        arThemes.append(recordset.GetFieldValue(QStringLiteral("Theme")).toString().toLower());
    QCOMPARE(arThemes, (QStringList{"", "", "album", "beach", "family", "trips"}));
}

void TestDaoEngine::movingAndCount()
{
    CDaoRecordset recordset(m_pDb.get());
    recordset.m_strFilter = QStringLiteral("ID_Photo=99");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QVERIFY(recordset.IsBOF());
    QVERIFY(recordset.IsEOF());
    QCOMPARE(recordset.GetRecordCount(), 0L);
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.MoveLast());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.MoveFirst());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.GetFieldValue(0));

    recordset.m_strFilter.clear();
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QVERIFY(!recordset.IsBOF());
    recordset.MoveLast();
    QCOMPARE(recordset.GetRecordCount(), 8L);
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 8);
    recordset.MoveNext();
    QVERIFY(recordset.IsEOF());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.MoveNext());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.GetFieldValue(0));
    recordset.MoveFirst();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 1);
}

// Read straight through: the filter's rows in the statement's order, the
// stored text and numbers as SQLite holds them, and no way back.
void TestDaoEngine::forwardOnly()
{
    CDaoRecordset recordset(m_pDb.get());
    recordset.m_strFilter = QStringLiteral("[Directory]='/scans' OR [Theme]='family'");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY Date DESC"), dbForwardOnly);
    QList<int> arKeys;
    QStringList arDates;
    for (; !recordset.IsEOF(); recordset.MoveNext()) {
        qint64 nKey = 0;
        QByteArrayView date;
        QVERIFY(recordset.GetFieldInteger(0, &nKey));
        QVERIFY(recordset.GetFieldText(1, &date));
        QVERIFY(!recordset.GetFieldText(0, &date));
        arKeys.append(int(nKey));
        arDates.append(QString::fromUtf8(date));
    }
    QCOMPARE(arKeys, (QList<int>{7, 3, 6, 5, 8}));
    QCOMPARE(arDates.first(), QStringLiteral("2029-06-01 12:00:00"));
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.MoveNext());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.MoveFirst());

    recordset.m_strFilter = QStringLiteral("ID_Photo=99");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing, dbForwardOnly);
    QVERIFY(recordset.IsBOF());
    QVERIFY(recordset.IsEOF());
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.GetFieldValue(0));
}

void TestDaoEngine::findAndDelete()
{
    CDaoDatabase* pDb = m_pDb.get();
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    QVERIFY(recordset.FindFirst(QStringLiteral("ID_Photo=5")));
    QVERIFY(!recordset.FindFirst(QStringLiteral("ID_Photo=42")));
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 5); // a failed find does not move
    recordset.Delete();
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.GetFieldValue(0));
    QVERIFY(!recordset.FindFirst(QStringLiteral("ID_Photo=5")));
    QVERIFY(recordset.FindFirst(QStringLiteral("[Theme]='Family'")));
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 3);
    QVERIFY(!recordset.FindNext(QStringLiteral("[Theme]='Family'")));
    recordset.Delete();
    recordset.Close();

    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QCOMPARE(Column0(recordset), (QList<int>{1, 2, 4, 6, 7, 8}));
    // A grouped result has no records to find or delete.
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT Theme FROM PHOTOS GROUP BY Theme"));
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.FindFirst(QStringLiteral("ID_Photo=1")));
    QVERIFY_THROWS_EXCEPTION(CDaoException, recordset.Delete());
}

void TestDaoEngine::dynasetPages()
{
    CDaoDatabase* pDb = m_pDb.get();
    constexpr int nRecords = 2500;
    AddNumberedRecords(pDb, nRecords);
    const QList<int> arGone{100, 999, 1001, 2400};
    CDaoRecordset byName(pDb);
    byName.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS ORDER BY Name"));
    CDaoRecordset byKey(pDb);
    byKey.Open(AFX_DAO_USE_DEFAULT_TYPE,
               QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo DESC"));
    {
        // Deleted elsewhere after both were opened.
        CDaoRecordset deleter(pDb);
        deleter.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
        for (const int nId : arGone) {
            QVERIFY(deleter.FindFirst(QStringLiteral("ID_Photo=%1").arg(nId)));
            deleter.Delete();
        }
    }

    QString strPrevious;
    int nRead = 0;
    for (; !byName.IsEOF(); byName.MoveNext(), ++nRead) {
        const int nId = byName.GetFieldValue(0).toInt();
        const QString strName = byName.GetFieldValue(QStringLiteral("Name")).toString();
        QVERIFY(!arGone.contains(nId));
        QVERIFY2(strPrevious.compare(strName, Qt::CaseInsensitive) < 0, qPrintable(strName));
        if (nId > 8) {
            QCOMPARE(byName.GetFieldValue(QStringLiteral("Theme")).toString(),
                     QString::number(nId));
            QCOMPARE(strName, NumberedName(nId, nRecords));
        }
        strPrevious = strName;
    }
    QCOMPARE(nRead, nRecords - arGone.size());
    QCOMPARE(byName.GetRecordCount(), long(nRecords - arGone.size()));

    QList<int> arExpected;
    for (int nId = nRecords; nId >= 1; --nId)
        if (!arGone.contains(nId))
            arExpected.append(nId);
    QCOMPARE(Column0(byKey), arExpected);
    byKey.MoveLast();
    QCOMPARE(byKey.GetFieldValue(0).toInt(), 1);
}

void TestDaoEngine::wallClockDates_data()
{
    QTest::addColumn<QDateTime>("stored");
    QTest::addColumn<QDateTime>("read");
    QTest::addColumn<QString>("literal"); // the same time in a criterion

    // Berlin went from 02:00 to 03:00 on 26 March 2006, and from 03:00 back
    // to 02:00 on 29 October 2006.
    QTest::newRow("gap, wall clock") << WallClock(2006, 3, 26, 2, 30, 0)
                                     << WallClock(2006, 3, 26, 2, 30, 0) << "3/26/2006 02:30:00";
    QTest::newRow("gap, local time")
        << At(2006, 3, 26, 2, 30, 0) << WallClock(2006, 3, 26, 2, 30, 0) << "3/26/06 2:30 AM";
    QTest::newRow("repeated hour, wall clock")
        << WallClock(2006, 10, 29, 2, 30, 0) << WallClock(2006, 10, 29, 2, 30, 0)
        << "10/29/2006 02:30:00";
    QTest::newRow("repeated hour, local time")
        << At(2006, 10, 29, 2, 59, 59) << WallClock(2006, 10, 29, 2, 59, 59)
        << "10/29/2006 02:59:59";
    QTest::newRow("summer, local time")
        << At(2006, 7, 1, 0, 0, 0) << WallClock(2006, 7, 1, 0, 0, 0) << "7/1/2006";
    QTest::newRow("other zone keeps its own clock")
        << QDateTime(QDate(2006, 3, 26), QTime(2, 30), QTimeZone("America/New_York"))
        << WallClock(2006, 3, 26, 2, 30, 0) << "3/26/2006 02:30:00";
}

void TestDaoEngine::wallClockDates()
{
    QFETCH(QDateTime, stored);
    QFETCH(QDateTime, read);
    QFETCH(QString, literal);
    // Without the zone's rules the gap rows would test nothing.
    QVERIFY(!QDateTime(QDate(2006, 3, 26), QTime(2, 30)).isValid());
    CDaoDatabase* pDb = m_pDb.get();
    AddPhoto(pDb, stored, "clock.jpg", "/x");

    CDaoRecordset recordset(pDb);
    recordset.m_strFilter = QStringLiteral("[Date] >= #%1# AND [Date] <= #%1#").arg(literal);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QCOMPARE(recordset.GetRecordCount(), 1L);
    const QDateTime dateTime = recordset.GetFieldValue(QStringLiteral("Date")).toDateTime();
    QVERIFY(dateTime.isValid());
    QCOMPARE(dateTime, read);
    QCOMPARE(dateTime.date(), read.date());
    QCOMPARE(dateTime.time(), read.time());

    // Written back as read, it stays the same.
    recordset.Edit();
    recordset.SetFieldValue(QStringLiteral("Date"), dateTime);
    recordset.Update();
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Date")).toDateTime(), read);
}

void TestDaoEngine::editAfterFind_data()
{
    QTest::addColumn<bool>("fromLast"); // where the recordset stands before the find
    QTest::addColumn<int>("id");

    QTest::newRow("same page") << false << 5;
    QTest::newRow("page not read yet") << false << 2345;
    QTest::newRow("page read before") << true << 17;
}

void TestDaoEngine::editAfterFind()
{
    // The record table's find-then-edit, on a dynaset of several pages.
    QFETCH(bool, fromLast);
    QFETCH(int, id);
    constexpr int nRecords = 2500;
    AddNumberedRecords(m_pDb.get(), nRecords);
    CDaoRecordset recordset(m_pDb.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    if (fromLast)
        recordset.MoveLast();
    QVERIFY(recordset.GetFieldValue(0).isValid()); // its page is read
    QVERIFY(recordset.FindFirst(QStringLiteral("ID_Photo=%1").arg(id)));
    recordset.Edit();
    recordset.SetFieldValue(QStringLiteral("Theme"), QStringLiteral("Snowfall in the hills"));
    recordset.Update();
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(),
             QStringLiteral("Snowfall in the hills"));
    QCOMPARE(recordset.GetFieldValue(0).toInt(), id);
    if (id > 8)
        QCOMPARE(recordset.GetFieldValue(QStringLiteral("Name")).toString(),
                 NumberedName(id, nRecords));
    recordset.MoveNext();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), id + 1);
}

void TestDaoEngine::fieldValues()
{
    CDaoDatabase* pDb = m_pDb.get();
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    recordset.MoveNext();
    const QVariant id = recordset.GetFieldValue(QStringLiteral("id_photo"));
    QCOMPARE(id.metaType().id(), QMetaType::LongLong);
    QCOMPARE(id.toInt(), 2);
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Date")).toDateTime(),
             WallClock(2006, 12, 7, 0, 0, 0));
    QCOMPARE(recordset.GetFieldValue(2).toString(), QStringLiteral("b.jpg"));
    QCOMPARE(recordset.GetFieldValue(7).toString(), QStringLiteral("BEACH day"));

    recordset.Edit();
    recordset.SetFieldValue(QStringLiteral("Theme"), QStringLiteral("Snow"));
    recordset.Update();
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(), QStringLiteral("Snow"));
    QVERIFY(recordset.FindFirst(QStringLiteral("[Theme]='snow'")));
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 2);

    // A field never set stays null.
    recordset.AddNew();
    recordset.SetFieldValue(QStringLiteral("Name"), QStringLiteral("bare.jpg"));
    recordset.Update();
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    recordset.MoveLast();
    QCOMPARE(recordset.GetFieldValue(0).toInt(), 9);
    QVERIFY(recordset.GetFieldValue(QStringLiteral("Date")).isNull());
    QVERIFY(recordset.GetFieldValue(QStringLiteral("Theme")).isNull());
}

void TestDaoEngine::rowidColumns_data()
{
    // Tables made elsewhere whose columns take SQLite's names for the row id.
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("shadows"); // columns named like the row id, all holding 7
    QTest::addColumn<bool>("refused");

    QTest::newRow("key and a rowid column")
        << "ID_Photo INTEGER PRIMARY KEY, rowid INTEGER, Name VARCHAR(150), Theme VARCHAR(150)"
        << "rowid" << false;
    QTest::newRow("key and every rowid name")
        << "rowid INTEGER, _rowid_ INTEGER, oid INTEGER, ID_Photo INTEGER CONSTRAINT PrimaryKey "
           "PRIMARY KEY AUTOINCREMENT, Name VARCHAR(150), Theme VARCHAR(150)"
        << "rowid,_rowid_,oid" << false;
    QTest::newRow("no key, a rowid column")
        << "ROWID INTEGER, Name VARCHAR(150), Theme VARCHAR(150)"
        << "ROWID" << false;
    QTest::newRow("text key, two rowid names taken")
        << "Name VARCHAR(150) PRIMARY KEY, rowid INTEGER, oid INTEGER, Theme VARCHAR(150)"
        << "rowid,oid" << false;
    QTest::newRow("no key, every rowid name taken")
        << "rowid INTEGER, _rowid_ INTEGER, oid INTEGER, Name VARCHAR(150), Theme VARCHAR(150)"
        << "rowid,_rowid_,oid" << true;
}

void TestDaoEngine::rowidColumns()
{
    QFETCH(QString, columns);
    QFETCH(QString, shadows);
    QFETCH(bool, refused);
    CDaoDatabase* pDb = m_pDb.get();
    pDb->Execute(QStringLiteral("CREATE TABLE ELSEWHERE (%1)").arg(columns));
    const QStringList arShadows = shadows.split(u',');
    for (const char* pszName : {"d.jpg", "b.jpg", "a.jpg", "c.jpg"})
        pDb->Execute(
            QStringLiteral("INSERT INTO ELSEWHERE (Name, %1) VALUES (?%2)")
                .arg(arShadows.join(u','), QStringLiteral(", 7").repeated(arShadows.size())),
            {QString::fromLatin1(pszName)});
    const QString strListing = QStringLiteral("SELECT * FROM ELSEWHERE ORDER BY Name");
    auto contents = [&] {
        CDaoRecordset reader(pDb);
        reader.Open(AFX_DAO_USE_DEFAULT_TYPE,
                    QStringLiteral("SELECT Name, Theme FROM ELSEWHERE GROUP BY Name, Theme"));
        QStringList ar;
        for (; !reader.IsEOF(); reader.MoveNext())
            ar.append(reader.GetFieldValue(0).toString() + u'=' +
                      reader.GetFieldValue(1).toString());
        return ar;
    };

    CDaoRecordset recordset(pDb);
    if (refused) {
        try {
            recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, strListing);
            QFAIL("opened");
        } catch (const CDaoException& e) {
            QVERIFY2(e.GetErrorDescription().contains(QLatin1String("ELSEWHERE")),
                     qPrintable(e.GetErrorDescription()));
        }
        QCOMPARE(contents(), (QStringList{"a.jpg=", "b.jpg=", "c.jpg=", "d.jpg="}));
        return;
    }
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, strListing);
    QStringList arNames;
    for (; !recordset.IsEOF(); recordset.MoveNext()) {
        arNames.append(recordset.GetFieldValue(QStringLiteral("Name")).toString());
        QCOMPARE(recordset.GetFieldValue(arShadows[0]).toInt(), 7);
    }
    QCOMPARE(arNames, (QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));

    QVERIFY(recordset.FindFirst(QStringLiteral("[Name]='b.jpg'")));
    recordset.Edit();
    recordset.SetFieldValue(QStringLiteral("Theme"), QStringLiteral("Only b"));
    recordset.Update();
    QVERIFY(recordset.FindFirst(QStringLiteral("[Name]='c.jpg'")));
    recordset.Delete();
    QCOMPARE(contents(), (QStringList{"a.jpg=", "b.jpg=Only b", "d.jpg="}));
}

void TestDaoEngine::wideKeys()
{
    // Keys of a table filled elsewhere may need all 64 bits, and lie far apart.
    CDaoDatabase* pDb = m_pDb.get();
    constexpr qint64 nBig = Q_INT64_C(5000000000);
    constexpr qint64 nLargest = std::numeric_limits<qint64>::max();
    constexpr qint64 nNegative = Q_INT64_C(-4294967297);
    for (const qint64 nKey : {nBig, nLargest, nNegative})
        pDb->Execute(QStringLiteral("INSERT INTO PHOTOS (ID_Photo, Name) VALUES (?, 'wide.jpg')"),
                     {nKey});

    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QList<qint64> arKeys;
    for (; !recordset.IsEOF(); recordset.MoveNext())
        arKeys.append(recordset.GetFieldValue(QStringLiteral("ID_Photo")).toLongLong());
    QCOMPARE(arKeys, (QList<qint64>{nNegative, 1, 2, 3, 4, 5, 6, 7, 8, nBig, nLargest}));

    QVERIFY(recordset.FindFirst(QStringLiteral("ID_Photo=%1").arg(nBig)));
    QCOMPARE(recordset.GetFieldValue(0).toLongLong(), nBig);
    recordset.Edit();
    recordset.SetFieldValue(QStringLiteral("Theme"), QStringLiteral("Far"));
    recordset.Update();
    QVERIFY(recordset.FindFirst(QStringLiteral("ID_Photo=%1").arg(nNegative)));
    recordset.Delete();
    recordset.Close();

    recordset.m_strFilter = QStringLiteral("[Theme]='Far' OR [Name]='wide.jpg'");
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    QCOMPARE(recordset.GetRecordCount(), 2L);
    QCOMPARE(recordset.GetFieldValue(0).toLongLong(), nBig);
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(), QStringLiteral("Far"));
    recordset.MoveNext();
    QCOMPARE(recordset.GetFieldValue(0).toLongLong(), nLargest);
    QVERIFY(recordset.GetFieldValue(QStringLiteral("Theme")).isNull());
}

void TestDaoEngine::sqliteOwnTablesRefused_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("table");

    QTest::newRow("master") << "SELECT * FROM sqlite_master"
                            << "sqlite_master";
    QTest::newRow("schema") << "SELECT * FROM sqlite_schema"
                            << "sqlite_schema";
    QTest::newRow("temp master") << "SELECT * FROM sqlite_temp_master"
                                 << "sqlite_temp_master";
    QTest::newRow("sequence") << "SELECT * FROM sqlite_sequence"
                              << "sqlite_sequence";
    QTest::newRow("sequence, other case, grouped")
        << "SELECT name FROM [SQLite_Sequence] GROUP BY name"
        << "SQLite_Sequence";
    QTest::newRow("statistics") << "SELECT * FROM sqlite_stat1"
                                << "sqlite_stat1";
}

void TestDaoEngine::sqliteOwnTablesRefused()
{
    QFETCH(QString, statement);
    QFETCH(QString, table);
    CDaoDatabase* pDb = m_pDb.get();
    pDb->Execute(QStringLiteral("ANALYZE")); // makes sqlite_stat1
    CDaoRecordset recordset(pDb);
    try {
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, statement);
        QFAIL("opened");
    } catch (const CDaoException& e) {
        QVERIFY2(e.GetErrorDescription().contains(table), qPrintable(e.GetErrorDescription()));
    }
    CDaoTableDef tableDef(pDb);
    QVERIFY_THROWS_EXCEPTION(CDaoException, tableDef.Open(table));
}

void TestDaoEngine::limitsAndTypesRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("refused");

    const QString strEmoji = QString::fromUcs4(U"\U0001F30A");
    QTest::newRow("Name 150") << "Name" << QVariant(QString(150, u'n')) << false;
    QTest::newRow("Name 151") << "Name" << QVariant(QString(151, u'n')) << true;
    QTest::newRow("Name 150 outside the BMP")
        << "Name" << QVariant(strEmoji.repeated(150)) << false;
    QTest::newRow("Extention 61") << "Extention" << QVariant(QString(61, u'e')) << true;
    QTest::newRow("Size 61") << "Size" << QVariant(QString(61, u'9')) << true;
    QTest::newRow("Directory 250") << "Directory" << QVariant(QString(250, u'd')) << false;
    QTest::newRow("Directory 251") << "Directory" << QVariant(QString(251, u'd')) << true;
    QTest::newRow("Theme 151") << "Theme" << QVariant(QString(151, u't')) << true;
    QTest::newRow("Comment 151") << "Comment" << QVariant(QString(151, u'c')) << true;
    QTest::newRow("key is counted") << "ID_Photo" << QVariant(77) << true;
    QTest::newRow("date from text") << "Date" << QVariant(QStringLiteral("yesterday")) << true;
    // Half a surrogate pair is no character: SQLite would keep another one.
    const QChar high(0xD83C);
    const QChar low(0xDF0A);
    QTest::newRow("lone high surrogate")
        << "Theme" << QVariant(QStringLiteral("ab") + high + QStringLiteral("c")) << true;
    QTest::newRow("lone low surrogate at the end")
        << "Comment" << QVariant(QStringLiteral("x") + low) << true;
    QTest::newRow("surrogates in the wrong order")
        << "Name" << QVariant(QString(low) + high + QStringLiteral(".jpg")) << true;
    QTest::newRow("surrogate pair") << "Theme" << QVariant(QString(high) + low) << false;
    QTest::newRow("year 99") << "Date" << QVariant(WallClock(99, 12, 31, 23, 59, 59)) << true;
    QTest::newRow("year 100") << "Date" << QVariant(WallClock(100, 1, 1, 0, 0, 0)) << false;
    QTest::newRow("year 9999") << "Date" << QVariant(WallClock(9999, 12, 31, 23, 59, 59)) << false;
    QTest::newRow("year 10000") << "Date" << QVariant(WallClock(10000, 1, 1, 0, 0, 0)) << true;
    QTest::newRow("year before Christ") << "Date" << QVariant(QDate(-44, 3, 15)) << true;
}

void TestDaoEngine::limitsAndTypesRefused()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(bool, refused);
    CDaoRecordset recordset(m_pDb.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    recordset.AddNew();
    try {
        recordset.SetFieldValue(field, value);
        recordset.Update();
        QVERIFY(!refused);
    } catch (const CDaoException& e) {
        QVERIFY2(refused, qPrintable(e.GetErrorDescription()));
        QVERIFY2(e.GetErrorDescription().contains(field), qPrintable(e.GetErrorDescription()));
    }
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, g_strListing);
    recordset.MoveLast();
    QCOMPARE(recordset.GetRecordCount(), refused ? 8L : 9L);
    if (!refused)
        QCOMPARE(recordset.GetFieldValue(field), value); // whole, never cut
}

void TestDaoEngine::unknownNamesRaise_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("token"); // the message must name it

    QTest::newRow("column") << "SELECT Nmae FROM PHOTOS"
                            << ""
                            << ""
                            << "Nmae";
    QTest::newRow("order") << "SELECT * FROM PHOTOS ORDER BY Nmae"
                           << ""
                           << ""
                           << "Nmae";
    QTest::newRow("group") << "SELECT Theme FROM PHOTOS GROUP BY Thema"
                           << ""
                           << ""
                           << "Thema";
    QTest::newRow("table") << "SELECT * FROM PHOTOTS"
                           << ""
                           << ""
                           << "PHOTOTS";
    QTest::newRow("filter") << g_strListing << "Nmae=1"
                            << ""
                            << "Nmae";
    QTest::newRow("find") << g_strListing << ""
                          << "[Nmae]='x'"
                          << "Nmae";
    // A message quotes at most 200 characters of a name.
    QTest::newRow("long name") << g_strListing << ""
                               << QStringLiteral("[%1]='x'").arg(QString(300, u'N'))
                               << QString(200, u'N');
    QTest::newRow("long table name")
        << QStringLiteral("SELECT * FROM [%1]").arg(QString(300, u'T')) << ""
        << "" << QString(200, u'T');
    QTest::newRow("name outside ASCII") << "SELECT * FROM PHOTOS ORDER BY [Thème]"
                                        << ""
                                        << ""
                                        << "Thème";
}

void TestDaoEngine::unknownNamesRaise()
{
    QFETCH(QString, statement);
    QFETCH(QString, filter);
    QFETCH(QString, find);
    QFETCH(QString, token);
    CDaoRecordset recordset(m_pDb.get());
    recordset.m_strFilter = filter;
    try {
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, statement);
        if (!find.isEmpty())
            recordset.FindFirst(find);
        QFAIL("no exception");
    } catch (const std::exception& e) {
        // The command route shows what() of whatever it catches.
        const QString strShown = QString::fromUtf8(e.what());
        QVERIFY2(strShown.contains(token), qPrintable(strShown));
        QVERIFY2(strShown.size() < 300, qPrintable(strShown));
        const auto pDao = dynamic_cast<const CDaoException*>(&e);
        QVERIFY(pDao);
        QCOMPARE(strShown, pDao->GetErrorDescription());
    }
}

QTEST_GUILESS_MAIN(TestDaoEngine)
