#include "TestPictureImport.h"
#include "common/DbTestData.h"

#include "common/MessageBoxRecorder.h"
#include "common/TestCameraFiles.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CPictureImport.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CEngineStatement.h"
#include "platform/picture/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <sqlite3.h>

#include <ctime>
#include <stdexcept>

namespace {

// Writes a picture with the given modification time and returns its path.
QString WritePicture(const QString& strFolder, const QString& strName, const QByteArray& bytes,
                     const QDateTime& modified = QDateTime())
{
    QDir().mkpath(strFolder);
    const QString strPath = strFolder + u'/' + strName;
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return strPath;
    file.write(bytes);
    file.flush(); // a later flush would set the time again
    if (modified.isValid())
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    return strPath;
}

struct CRecord
{
    QDateTime date;
    QString strName, strExtension, strSize, strDirectory;
    QVariant theme, comment;
    qint64 nKey = 0;
};

QMap<QString, CRecord> RecordsByName(CDao_Table& table)
{
    QMap<QString, CRecord> map;
    CDaoRecordset recordset(table.m_pCDaoDatabase.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo"));
    auto field = [&](EPhotoField eField) {
        return recordset.GetFieldValue(PhotoFieldName(eField));
    };
    for (; !recordset.IsEOF(); recordset.MoveNext()) {
        CRecord record{field(EPhotoField::Date).toDateTime(),
                       field(EPhotoField::Name).toString(),
                       field(EPhotoField::Extention).toString(),
                       field(EPhotoField::Size).toString(),
                       field(EPhotoField::Directory).toString(),
                       field(EPhotoField::Theme),
                       field(EPhotoField::Comment),
                       field(EPhotoField::ID_Photo).toLongLong()};
        map.insert(record.strDirectory + u'/' + record.strName, record);
    }
    return map;
}

const QDateTime g_modified(QDate(2010, 5, 6), QTime(7, 8, 9));

} // namespace

void TestPictureImport::initTestCase_data()
{
    CTestBackend::AddRows();
}

void TestPictureImport::init()
{
    if (!m_backend.Begin())
        QSKIP(qPrintable(m_backend.WhySkipped()));
}

void TestPictureImport::importsFolder()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("My Pictures"));
    const QStringList arPictures{
        WritePicture(strFolder, "exif.jpg", MakeJpeg("2006:12:07 14:03:22"), g_modified),
        WritePicture(strFolder, "plain.JPG", MakeJpeg(), g_modified),
        WritePicture(strFolder, "blank date.jpeg", MakeJpeg("    :  :     :  :  "), g_modified),
        WritePicture(strFolder, "red.bmp", EncodePicture("BMP", QSize(8, 8), Qt::red), g_modified),
    };

    CMessageBoxRecorder recorder;
    CPictureImport import(&table);
    QVERIFY(import.Import(strFolder + u'/', arPictures));
    QCOMPARE(import.m_nAdded, 4);
    QCOMPARE(import.m_nSkipped, 0);
    QCOMPARE(recorder.m_arTexts, QStringList());

    const QMap<QString, CRecord> records = RecordsByName(table);
    QCOMPARE(records.size(), 4);
    for (const QString& strPath : arPictures) {
        QVERIFY2(records.contains(strPath), qPrintable(strPath));
        const CRecord& record = records[strPath];
        QCOMPARE(record.strDirectory, strFolder);
        QCOMPARE(record.strSize, QString::number(QFileInfo(strPath).size()));
        QCOMPARE(record.theme, QVariant(QString()));
        QCOMPARE(record.comment, QVariant(QString()));
        QVERIFY(!record.theme.isNull());
    }
    const QString strExif = strFolder + QStringLiteral("/exif.jpg");
    // Dates read back as wall clocks, spec Qt::UTC; the file times are local.
    const QDateTime modified(g_modified.date(), g_modified.time(), Qt::UTC);
    QCOMPARE(records[strExif].date, QDateTime(QDate(2006, 12, 7), QTime(14, 3, 22), Qt::UTC));
    QCOMPARE(records[strExif].strExtension, QStringLiteral("jpg"));
    QCOMPARE(records[strFolder + QStringLiteral("/plain.JPG")].date, modified);
    QCOMPARE(records[strFolder + QStringLiteral("/plain.JPG")].strExtension, QStringLiteral("JPG"));
    QCOMPARE(records[strFolder + QStringLiteral("/blank date.jpeg")].date, modified);
    QCOMPARE(records[strFolder + QStringLiteral("/red.bmp")].date, modified);
}

void TestPictureImport::cameraFilesWithAllFormats()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("Phone"));
    const QImage image = MakeMarkedImage(QSize(32, 24), QPoint(0, 0), 8);
    WritePicture(strFolder, "a.jpg", MakeJpeg(), g_modified);
    WritePicture(strFolder, "b.heic", MakeHeic(image, 1, "2021:07:04 09:15:30"), g_modified);
    WritePicture(
        strFolder, "c.dng",
        MakeDng(EncodeImage(image, "JPG"), image.size(), QSize(64, 48), 1, "2019:03:02 11:22:33"),
        g_modified);

    CPictureImport import(&table);
    QStringList arClassic;
    ListPictureFiles(strFolder, arClassic, QString(), false);
    QVERIFY(import.Import(strFolder, arClassic));
    QCOMPARE(import.m_nAdded, 1);
    QStringList arAll;
    ListPictureFiles(strFolder, arAll, QString(), true);
    QVERIFY(import.Import(strFolder, arAll));
    QCOMPARE(import.m_nAdded, 2);
    QCOMPARE(import.m_nPresent, 1);

    const QMap<QString, CRecord> records = RecordsByName(table);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[strFolder + QStringLiteral("/b.heic")].date,
             QDateTime(QDate(2021, 7, 4), QTime(9, 15, 30), Qt::UTC));
    QCOMPARE(records[strFolder + QStringLiteral("/b.heic")].strExtension, QStringLiteral("heic"));
    QCOMPARE(records[strFolder + QStringLiteral("/c.dng")].date,
             QDateTime(QDate(2019, 3, 2), QTime(11, 22, 33), Qt::UTC));
}

void TestPictureImport::reimportAddsNothing()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("O'Brien"));
    QStringList arPictures{WritePicture(strFolder, "a.jpg", MakeJpeg()),
                           WritePicture(strFolder, "b.jpg", MakeJpeg())};
    CPictureImport import(&table);
    QVERIFY(import.Import(strFolder, arPictures));
    QCOMPARE(import.m_nAdded, 2);
    QVERIFY(import.Import(strFolder, arPictures));
    QCOMPARE(import.m_nAdded, 0);
    QCOMPARE(import.m_nPresent, 2);

    // Only the new picture is added; the same name elsewhere or in other
    // letter case is another picture.
    arPictures.append(WritePicture(strFolder, "A.JPG", MakeJpeg()));
    QVERIFY(import.Import(strFolder, arPictures));
    QCOMPARE(import.m_nAdded, 1);
    const QString strOther = workspace.FilePath(QStringLiteral("other"));
    QVERIFY(import.Import(strOther, {WritePicture(strOther, "a.jpg", MakeJpeg())}));
    QCOMPARE(import.m_nAdded, 1);
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 4);

    // A record the user deleted stays deleted while its file stays; a picture
    // new to the folder is still added.
    const QMap<QString, CRecord> records = RecordsByName(table);
    table.DeleteRecords({records[strFolder + QStringLiteral("/b.jpg")].nKey});
    arPictures.append(WritePicture(strFolder, "c.jpg", MakeJpeg()));
    QVERIFY(import.Import(strFolder, arPictures));
    QCOMPARE(import.m_nAdded, 1);
    QCOMPARE(import.m_nForgotten, 1);
    QVERIFY(!RecordsByName(table).contains(strFolder + QStringLiteral("/b.jpg")));
}

void TestPictureImport::longNamesSkipped()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("long"));
    const QStringList arPictures{
        WritePicture(strFolder, QString(146, u'n') + QStringLiteral(".jpg"), MakeJpeg()), // 150
        WritePicture(strFolder, QString(147, u'n') + QStringLiteral(".jpg"), MakeJpeg()), // 151
        WritePicture(strFolder, QStringLiteral("x.") + QString(61, u'e'), MakeJpeg()),
        strFolder + QStringLiteral("/gone.jpg"),
    };
    CPictureImport import(&table);
    QVERIFY(import.Import(strFolder, arPictures));
    QCOMPARE(import.m_nAdded, 1);
    QCOMPARE(import.m_nSkipped, 3);
    QCOMPARE(RecordsByName(table).firstKey(), arPictures[0]);

    // A folder path over 250 characters fits no record.
    const QString strDeep = workspace.FilePath(QString(200, u'd') + u'/' + QString(60, u'd'));
    QVERIFY(import.Import(strDeep, {WritePicture(strDeep, "a.jpg", MakeJpeg())}));
    QCOMPARE(import.m_nAdded, 0);
    QCOMPARE(import.m_nSkipped, 1);
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 1);
}

void TestPictureImport::closedDatabaseAddsNothing()
{
    if (m_backend.IsServer())
        QSKIP("The file is not made when it can not be opened.");
    CTestWorkspace workspace;
    CMessageBoxRecorder recorder;
    CDao_Table table;
    CPictureImport import(&table);
    QVERIFY(
        !import.Import(workspace.Path(), {WritePicture(workspace.Path(), "a.jpg", MakeJpeg())}));
    QCOMPARE(import.m_nAdded, 0);
    QVERIFY(import.m_strError.contains(QLatin1String("Photos.mdb")));
    QCOMPARE(recorder.m_arTexts, QStringList());
    QVERIFY(!QFile::exists(workspace.FilePath(QStringLiteral("Photos.mdb"))));
}

namespace {

// The second program's import, on its own connection and thread. Its busy
// handler tells the first program when it has to wait for the lock.
struct CSecondImport
{
    QString strFolder;
    QStringList arPictures;
    QSemaphore waitingOrDone;
    bool bResult = false;
    int nAdded = -1;
    int nPresent = -1;
    QString strError;

    static int Busy(void* pThis, int nCount)
    {
        if (nCount == 0)
            static_cast<CSecondImport*>(pThis)->waitingOrDone.release();
        sqlite3_sleep(5);
        return nCount < 2000 ? 1 : 0;
    }

    void Run()
    {
        {
            CDao_Table table;
            if (table.Connect()) {
                sqlite3_busy_handler(table.m_pCDaoDatabase->Handle(), &CSecondImport::Busy, this);
                CPictureImport import(&table);
                bResult = import.Import(strFolder, arPictures);
                nAdded = import.m_nAdded;
                nPresent = import.m_nPresent;
                strError = import.m_strError;
            }
        }
        waitingOrDone.release();
    }
};

struct CFirstImportHook
{
    CSecondImport* pSecond;
    std::unique_ptr<QThread> pThread;
};

// Called for each record the first import adds: at the first, the second
// import starts, and the first goes on once the second waits or is done.
void OnFirstInsert(void* pHook, int, const char*, const char*, sqlite3_int64)
{
    auto pFirst = static_cast<CFirstImportHook*>(pHook);
    if (pFirst->pThread)
        return;
    pFirst->pThread.reset(QThread::create([pFirst] { pFirst->pSecond->Run(); }));
    pFirst->pThread->start();
    pFirst->pSecond->waitingOrDone.tryAcquire(1, 60000);
}

} // namespace

void TestPictureImport::concurrentImportsAddOnce()
{
    if (m_backend.IsServer())
        QSKIP("The file's own lock; two imports on a server are tried with the server's faults.");
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    const QString strFolder = workspace.FilePath(QStringLiteral("shared"));
    QStringList arPictures;
    for (int i = 0; i < 20; ++i)
        arPictures.append(WritePicture(strFolder, QStringLiteral("%1.jpg").arg(i), MakeJpeg()));

    // Two programs started on one folder: the second reads what is present
    // while the first is adding.
    CSecondImport second;
    second.strFolder = strFolder;
    second.arPictures = arPictures;
    CFirstImportHook hook{&second, nullptr};
    sqlite3_update_hook(table.m_pCDaoDatabase->Handle(), &OnFirstInsert, &hook);
    CPictureImport import(&table);
    QVERIFY(import.Import(strFolder, arPictures));
    sqlite3_update_hook(table.m_pCDaoDatabase->Handle(), nullptr, nullptr);
    QVERIFY(hook.pThread);
    QVERIFY(hook.pThread->wait(60000));

    QCOMPARE(import.m_nAdded, 20);
    QVERIFY2(second.bResult, qPrintable(second.strError));
    QCOMPARE(second.nAdded, 0);
    QCOMPARE(second.nPresent, 20);
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 20);
}

void TestPictureImport::wallClockDates_data()
{
    QTest::addColumn<QByteArray>("exif");
    QTest::addColumn<QString>("stored");

    QTest::newRow("winter") << QByteArray("2006:12:07 14:03:22") << "2006-12-07 14:03:22";
    QTest::newRow("hour skipped in spring")
        << QByteArray("2006:03:26 02:30:00") << "2006-03-26 02:30:00";
    QTest::newRow("hour twice in autumn")
        << QByteArray("2006:10:29 02:30:00") << "2006-10-29 02:30:00";
}

// A camera's clock knows no zone: its time is stored as it reads, whatever
// the zone's changes of the clock make of that hour here.
void TestPictureImport::wallClockDates()
{
    QFETCH(QByteArray, exif);
    QFETCH(QString, stored);
    const QByteArray previousZone = qgetenv("TZ");
    const bool bHadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    CTestWorkspace workspace;
    {
        CDao_Table table;
        QVERIFY(m_backend.Connect(table));
        const QString strFolder = workspace.FilePath(QStringLiteral("camera"));
        CPictureImport import(&table);
        QVERIFY(import.Import(
            strFolder, {WritePicture(strFolder, "a.jpg", MakeJpeg(exif.constData()), g_modified)}));
        QCOMPARE(import.m_nAdded, 1);
    }
    // As stored: the file's text, the server's timestamp as text.
    QStringList arDates;
    {
        CDaoDatabase db;
        m_backend.OpenOther(db);
        const auto pStatement = db.Query(
            m_backend.IsServer() ? QStringLiteral("SELECT CAST(\"Date\" AS text) FROM \"PHOTOS\"")
                                 : QStringLiteral("SELECT Date FROM PHOTOS"));
        while (pStatement->Step())
            arDates.append(QString::fromUtf8(pStatement->Text(0).toByteArray()));
    }
    if (bHadZone)
        qputenv("TZ", previousZone);
    else
        qunsetenv("TZ");
    tzset();
    QCOMPARE(arDates, QStringList(stored));
}

void TestPictureImport::otherErrorsRollBack()
{
    if (m_backend.IsServer())
        QSKIP("Asks the file whether a transaction is open.");
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(table.Connect());
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    const QStringList arPictures{WritePicture(strFolder, "a.jpg", MakeJpeg())};
    // A description without the Directory field is a programming error.
    table.m_TableInfo.m_arSizes.resize(PhotoColumn(EPhotoField::Directory));
    CPictureImport import(&table);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, import.Import(strFolder, arPictures));
    // No transaction is left open: the file takes another writer at once.
    QVERIFY(sqlite3_get_autocommit(table.m_pCDaoDatabase->Handle()));
    CDao_Table other;
    QVERIFY(other.Connect());
    CPictureImport otherImport(&other);
    QVERIFY2(otherImport.Import(strFolder, arPictures), qPrintable(otherImport.m_strError));
    QCOMPARE(otherImport.m_nAdded, 1);
}

QTEST_MAIN(TestPictureImport)
