// Times the photo database on generated data: counting, reading the records,
// text and date finds over 100,000 records, and importing 10,000 pictures.
// With --server, only the import of a camera's folder, into a PostgreSQL
// server of the bench's own on this machine (pg_import_10k_s).
// Prints one line per figure: name value unit.
#include "BenchCommon.h"

#include "common/PgTestServer.h"
#include "common/TestExifJpeg.h"
#include "common/TestPictures.h"
#include "db/CDao_Table.h"
#include "db/CDao_TableInfo.h"
#include "db/CPictureImport.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

constexpr int g_nRecords = 100000;
constexpr int g_nPictures = 10000;

void Print(const char* pszName, double dValue)
{
    std::printf("%s %.3f s\n", pszName, dValue);
    std::fflush(stdout);
}

void FillDatabase(CDaoDatabase* pDatabase)
{
    static const char* const s_arThemes[] = {"Trips", "Family", "", "Été", "Garden", "Birthday"};
    CDaoRecordset recordset(pDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    pDatabase->BeginTrans();
    const QDateTime start(QDate(1965, 1, 1), QTime(0, 0));
    for (int i = 0; i < g_nRecords; ++i) {
        recordset.AddNew();
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date),
                                start.addSecs(qint64(i) * 21613));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name),
                                QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0')));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), QStringLiteral("JPG"));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size), QString::number(100000 + i * 7));
        recordset.SetFieldValue(
            PhotoFieldName(EPhotoField::Directory),
            QStringLiteral("/home/user/Pictures/%1/roll %2").arg(1965 + i / 2500).arg(i / 100));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme),
                                QString::fromUtf8(s_arThemes[i % 6]));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment),
                                i % 97 == 0 ? QStringLiteral("A day at the Beach")
                                            : QStringLiteral("comment %1").arg(i));
        recordset.Update();
    }
    pDatabase->CommitTrans();
}

// A camera's folder of 10,000 JPEG files with their EXIF blocks, imported
// as opening one of its pictures imports it: in the steps of 250 pictures
// the picture window takes (db/CFolderImport), each its own transaction, on
// this thread. The total until every record is added, and the longest step,
// during which the window takes no keys and paints nothing.
bool ImportCameraFolder(const QString& strFolder, const CPgTestServer* pServer = nullptr)
{
    constexpr int nStep = 250;
    QDir().mkpath(strFolder);
    const QByteArray jpeg = MakeExifCameraJpeg();
    QStringList arPictures;
    for (int i = 0; i < g_nPictures; ++i)
        arPictures.append(WriteBenchFile(
            strFolder + QStringLiteral("/DSC%1.JPG").arg(i, 5, 10, QLatin1Char('0')), jpeg));
    QFile::remove(QStringLiteral("Photos.mdb"));
    CDao_Table table;
    if (pServer ? !table.ConnectServer(pServer->Connection(QStringLiteral("photos")))
                : !table.Connect())
        return false;
    int nAdded = 0;
    double dLongest = 0;
    const double dTotal = Seconds([&] {
        // The names of the folder's listing, as the window hands them on.
        QSet<QString> setNames;
        for (const QString& strPath : std::as_const(arPictures))
            setNames.insert(QFileInfo(strPath).fileName());
        for (int nFirst = 0; nFirst < arPictures.size(); nFirst += nStep) {
            CPictureImport import(&table);
            import.SetFolderNames(setNames);
            dLongest =
                qMax(dLongest,
                     Seconds([&] { import.Import(strFolder, arPictures.mid(nFirst, nStep)); }));
            nAdded += import.m_nAdded;
        }
    });
    Print(pServer ? "pg_import_10k_s" : "import_open_10k_s", dTotal);
    std::printf("import_step_max_ms %.1f ms\n", dLongest * 1000);
    if (nAdded != g_nPictures) {
        std::fprintf(stderr, "the camera import added %d\n", nAdded);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir workDir;
    if (!workDir.isValid() || !QDir::setCurrent(workDir.path()))
        return 1;

    if (QCoreApplication::arguments().contains(QStringLiteral("--server"))) {
        CPgTestServer server;
        if (!server.IsAvailable() || !server.CreateDatabase(QStringLiteral("photos"))) {
            std::fprintf(stderr, "no server: %s%s\n", qPrintable(server.WhyUnavailable()),
                         qPrintable(server.Error()));
            return 1;
        }
        return ImportCameraFolder(workDir.filePath(QStringLiteral("camera")), &server) ? 0 : 1;
    }
    int nStatus = 0;
    {
        CDao_Table table;
        if (!table.Connect())
            return 1;
        FillDatabase(table.m_pCDaoDatabase.get());

        int nCount = 0;
        Print("db_count_100k_s",
              Seconds([&] { nCount = table.CountRecords(QStringLiteral("PHOTOS")); }));
        int nRows = 0;
        Print("db_read_ordered_100k_s",
              Seconds([&] { nRows = table.ReadRecords(QString()).Size(); }));
        int nText = 0;
        Print("db_find_text_100k_s", Seconds([&] {
                  nText = int(table
                                  .ReadRecords(QStringLiteral(
                                      "[Theme] LIKE '*beach*' OR [Comment] LIKE '*beach*' OR "
                                      "[Name] LIKE '*beach*' OR [Directory] LIKE '*beach*'"))
                                  .Size());
              }));
        int nDate = 0;
        Print("db_find_date_100k_s", Seconds([&] {
                  nDate = int(
                      table
                          .ReadRecords(QStringLiteral(
                              "[Date] >= #12/07/06 00:00:00# AND [Date] <= #12/07/06 23:59:59#"))
                          .Size());
              }));
        if (nCount != g_nRecords || nRows != g_nRecords || nText != (g_nRecords + 96) / 97 ||
            nDate < 1) {
            std::fprintf(stderr, "wrong results: count %d rows %d text %d date %d\n", nCount, nRows,
                         nText, nDate);
            nStatus = 1;
        }
    }

    QFile::remove(QStringLiteral("Photos.mdb"));
    CDao_Table table;
    if (!table.Connect())
        return 1;
    const QString strFolder = workDir.filePath(QStringLiteral("pictures"));
    QDir().mkpath(strFolder);
    const QByteArray jpeg = EncodePicture("JPG", QSize(32, 24), Qt::darkGreen);
    QStringList arPictures;
    for (int i = 0; i < g_nPictures; ++i) {
        const QString strPath =
            strFolder + QStringLiteral("/DSC_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        QFile file(strPath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(jpeg);
        arPictures.append(strPath);
    }
    CPictureImport import(&table);
    bool bImported = false;
    Print("db_import_10k_s", Seconds([&] { bImported = import.Import(strFolder, arPictures); }));
    if (!bImported || import.m_nAdded != g_nPictures) {
        std::fprintf(stderr, "import added %d: %s\n", import.m_nAdded,
                     qPrintable(import.m_strError));
        nStatus = 1;
    }
    if (!ImportCameraFolder(workDir.filePath(QStringLiteral("camera"))))
        nStatus = 1;
    return nStatus;
}
