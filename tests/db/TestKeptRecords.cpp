// Records that outlive their picture's trip to the trash, a rename or a
// repair, on the file and on a server.
#include "common/DbTestData.h"
#include "common/TestBackend.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDriftCheck.h"
#include "db/CPictureImport.h"
#include "platform/database/CDaoDatabase.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

const QDateTime g_date(QDate(2006, 12, 7), QTime(10, 30, 0), Qt::UTC);

QString WriteFile(const QString& strPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(strPath).path());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return strPath;
}

void SetModified(const QString& strPath, const QDateTime& modified)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(modified, QFileDevice::FileModificationTime))
        qFatal("can not date %s", qPrintable(strPath));
}

// Imports the folder's files as a picture window does.
CPictureImport Import(CDao_Table& table, const QString& strFolder)
{
    CPictureImport import(&table);
    QStringList arPaths;
    for (const QString& strName : QDir(strFolder).entryList(QDir::Files, QDir::Name))
        arPaths.append(strFolder + u'/' + strName);
    import.Import(strFolder, arPaths);
    return import;
}

// Name -> Theme|Comment of every record.
QMap<QString, QString> Captions(CDao_Table& table)
{
    QMap<QString, QString> map;
    const CPhotoColumns records = table.ReadRecords(QString());
    for (int i = 0; i < records.Size(); ++i) {
        const SPhotoRecord record = records.Record(i);
        map.insert(record.m_strName, record.m_strTheme + u'|' + record.m_strComment);
    }
    return map;
}

} // namespace

class TestKeptRecords : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { CTestBackend::AddRows(); }
    void init()
    {
        if (!m_backend.Begin())
            QSKIP(qPrintable(m_backend.WhySkipped()));
    }
    void trashAndRestore();
    void trashedPictureComesBack();
    void olderImportStillInserts();
    void checkFindsRenameAndFollows();
    void importFollowsUniqueRename();
    void removedMissingRecordsForgotten();

private:
    CTestBackend m_backend;
};

void TestKeptRecords::trashAndRestore()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    // An earlier picture trashed under the same name keeps its record aside.
    const QString strPath = WriteFile(strFolder + QStringLiteral("/a.jpg"), "an earlier one");
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", strFolder, "Earlier", "");
    QCOMPARE(table.TrashRecordsOf(strPath, PictureFingerprint(strPath)).size(), 1);
    WriteFile(strPath, "aaaa");
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "a.jpg", strFolder, "Trips", "Sea");
    AddPhoto(table.m_pCDaoDatabase.get(), g_date, "b.jpg", strFolder, "Home", "");
    QSignalSpy deleted(&table.Notifier(), &CDao_TableNotifier::RecordsDeleted);
    const SPictureFingerprint fingerprint = PictureFingerprint(strPath);
    QVERIFY(fingerprint.IsValid());

    const QList<SPhotoRecord> arTrashed = table.TrashRecordsOf(strPath, fingerprint);
    QCOMPARE(arTrashed.size(), 1);
    QCOMPARE(arTrashed[0].m_strComment, QStringLiteral("Sea"));
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(Captions(table), (QMap<QString, QString>{{"b.jpg", "Home|"}}));
    // A picture without a record: nothing to keep.
    QVERIFY(table.TrashRecordsOf(strFolder + QStringLiteral("/none.jpg"), fingerprint).isEmpty());

    QSignalSpy added(&table.Notifier(), &CDao_TableNotifier::RecordsAdded);
    QCOMPARE(table.RestoreTrashedRecords(strPath), 1);
    QCOMPARE(Captions(table), (QMap<QString, QString>{{"a.jpg", "Trips|Sea"}, {"b.jpg", "Home|"}}));
    QCOMPARE(added.size(), 1);
    const auto arAdded = added[0][0].value<QList<SPhotoRecord>>();
    QCOMPARE(arAdded.size(), 1);
    QCOMPARE(arAdded[0].m_dtDate, g_date);
    // Kept once: a second Undo finds nothing, and the import adds nothing.
    QCOMPARE(table.RestoreTrashedRecords(strPath), 0);
    QCOMPARE(Import(table, strFolder).m_nAdded, 0);
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 2);
}

void TestKeptRecords::trashedPictureComesBack()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    const QString strKept = WriteFile(strFolder + QStringLiteral("/kept.jpg"), "kept");
    const QString strDeleted = WriteFile(strFolder + QStringLiteral("/deleted.jpg"), "gone");
    QCOMPARE(Import(table, strFolder).m_nAdded, 2);
    const QList<qint64> arKept = table.KeysOfPicture(strKept);
    table.SaveEditedTexts(arKept.value(0), {}, {QStringLiteral("Trips"), QStringLiteral("Sea")});
    // Delete Record(s): the picture stays and is not imported again.
    table.DeleteRecords(table.KeysOfPicture(strDeleted));
    // Move to Trash, then a file manager puts it back.
    const QDateTime modified = QFileInfo(strKept).lastModified();
    table.TrashRecordsOf(strKept, PictureFingerprint(strKept));
    QVERIFY(QFile::remove(strKept));
    QCOMPARE(Import(table, strFolder).m_nAdded, 0);
    WriteFile(strKept, "kept");
    SetModified(strKept, modified);

    const CPictureImport import = Import(table, strFolder);
    QCOMPARE(import.m_nRestored, 1);
    QCOMPARE(import.m_nAdded, 0);
    QCOMPARE(import.m_nForgotten, 1);
    QCOMPARE(Captions(table), (QMap<QString, QString>{{"kept.jpg", "Trips|Sea"}}));
}

void TestKeptRecords::olderImportStillInserts()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    WriteFile(strFolder + QStringLiteral("/a.jpg"), "aaaa");
    QCOMPARE(Import(table, strFolder).m_nAdded, 1);
    // What an Orvala of before the fingerprints writes.
    CDaoDatabase other;
    m_backend.OpenOther(other);
    QCOMPARE(DaoRefusal([&] {
                 other.Execute(
                     QStringLiteral("INSERT INTO IMPORTED_FILES (Directory, Name) VALUES (?, ?)"),
                     {strFolder, QStringLiteral("b.jpg")});
             }),
             QString());
    WriteFile(strFolder + QStringLiteral("/b.jpg"), "bbbb");
    const CPictureImport import = Import(table, strFolder);
    QCOMPARE(import.m_nForgotten, 1);
    QCOMPARE(import.m_nPresent, 1);
}

void TestKeptRecords::checkFindsRenameAndFollows()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    const QString strOther = workspace.FilePath(QStringLiteral("q"));
    WriteFile(strFolder + QStringLiteral("/IMG_10.JPG"), "ten");
    WriteFile(strFolder + QStringLiteral("/IMG_11.JPG"), "eleven");
    WriteFile(strOther + QStringLiteral("/x.JPG"), "x");
    QCOMPARE(Import(table, strFolder).m_nAdded, 2);
    QCOMPARE(Import(table, strOther).m_nAdded, 1);
    table.SaveEditedTexts(table.KeysOfPicture(strFolder + "/IMG_10.JPG").value(0), {},
                          {"Trips", "Sea"});
    table.SaveEditedTexts(table.KeysOfPicture(strFolder + "/IMG_11.JPG").value(0), {},
                          {"Home", "Cat"});
    QVERIFY(QFile::rename(strFolder + "/IMG_10.JPG", strFolder + "/IMG_10_renamed.JPG"));
    QVERIFY(QFile::rename(strFolder + "/IMG_11.JPG", strOther + "/IMG_11.JPG"));

    const QList<SFileRecord> arRecords = table.ReadFileRecords();
    std::atomic<bool> bStop{false};
    std::atomic<int> nDone{0};
    const QList<qint64> arSizes = CDriftCheck::DiskSizes(arRecords, bStop, nDone);
    const CDriftCheck::SFound found =
        CDriftCheck::FindRenames(arRecords, arSizes, table.ReadFingerprints(), false);
    const QList<SDriftRow> arRows = DriftReport(arRecords, arSizes, found.m_arRenamed);
    QStringList arLines;
    for (const SDriftRow& row : arRows)
        arLines.append(DriftText(row.m_eKind) + u' ' + RenamedText(row));
    QCOMPARE(arLines, (QStringList{"Renamed IMG_10.JPG \u2192 IMG_10_renamed.JPG",
                                   "Renamed IMG_11.JPG \u2192 " + strOther + "/IMG_11.JPG"}));

    table.FollowRenames(arRows);
    QCOMPARE(Captions(table),
             (QMap<QString, QString>{
                 {"IMG_10_renamed.JPG", "Trips|Sea"}, {"IMG_11.JPG", "Home|Cat"}, {"x.JPG", "|"}}));
    QCOMPARE(table.ReadFileRecords().value(1).m_strDirectory, strOther);
    // The new names are known, the old ones forgotten: nothing to import.
    QCOMPARE(Import(table, strFolder).m_nAdded, 0);
    QCOMPARE(Import(table, strOther).m_nAdded, 0);
    WriteFile(strFolder + QStringLiteral("/IMG_10.JPG"), "new ten");
    QCOMPARE(Import(table, strFolder).m_nAdded, 1);
}

void TestKeptRecords::importFollowsUniqueRename()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    WriteFile(strFolder + QStringLiteral("/a.jpg"), "aaaa");
    WriteFile(strFolder + QStringLiteral("/b.jpg"), "bbbb");
    QCOMPARE(Import(table, strFolder).m_nAdded, 2);
    table.SaveEditedTexts(table.KeysOfPicture(strFolder + "/a.jpg").value(0), {}, {"Trips", "Sea"});
    table.SaveEditedTexts(table.KeysOfPicture(strFolder + "/b.jpg").value(0), {}, {"Home", "Cat"});

    QVERIFY(QFile::rename(strFolder + "/a.jpg", strFolder + "/a2.jpg"));
    const CPictureImport followed = Import(table, strFolder);
    QCOMPARE(followed.m_nFollowed, 1);
    QCOMPARE(followed.m_nAdded, 0);
    // b.jpg gone, and two files that each could be it: none is.
    QVERIFY(QFile::copy(strFolder + "/b.jpg", strFolder + "/b2.jpg"));
    QVERIFY(QFile::rename(strFolder + "/b.jpg", strFolder + "/b3.jpg"));
    SetModified(strFolder + "/b2.jpg", QFileInfo(strFolder + "/b3.jpg").lastModified());
    const CPictureImport ambiguous = Import(table, strFolder);
    QCOMPARE(ambiguous.m_nFollowed, 0);
    QCOMPARE(ambiguous.m_nAdded, 2);
    QCOMPARE(
        Captions(table),
        (QMap<QString, QString>{
            {"a2.jpg", "Trips|Sea"}, {"b.jpg", "Home|Cat"}, {"b2.jpg", "|"}, {"b3.jpg", "|"}}));
}

void TestKeptRecords::removedMissingRecordsForgotten()
{
    CTestWorkspace workspace;
    CDao_Table table;
    QVERIFY(m_backend.Connect(table));
    const QString strFolder = workspace.FilePath(QStringLiteral("p"));
    const QString strPath = WriteFile(strFolder + QStringLiteral("/a.jpg"), "aaaa");
    QCOMPARE(Import(table, strFolder).m_nAdded, 1);
    QVERIFY(QFile::rename(strPath, strPath + ".away"));
    QSignalSpy deleted(&table.Notifier(), &CDao_TableNotifier::RecordsDeleted);
    table.RemoveMissingRecords(table.KeysOfPicture(strPath));
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(table.CountRecords(QStringLiteral("PHOTOS")), 0);
    QVERIFY(QFile::rename(strPath + ".away", strPath));
    QCOMPARE(Import(table, strFolder).m_nAdded, 1);
}

QTEST_GUILESS_MAIN(TestKeptRecords)
#include "TestKeptRecords.moc"
