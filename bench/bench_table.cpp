// Times the record table on generated records in a temporary folder (a
// million unless --records=N says otherwise): filling a table window, the
// memory it adds, sorting, finding by text and by date, deleting selected
// records with the Delete key, and paging through the list. With --server
// the same records are on a PostgreSQL server of the bench's own, on this
// machine, and the figures' names begin with "pg_".
// Prints one line per figure: name value unit.
#include "BenchCommon.h"

#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/MessageBoxRecorder.h"
#include "common/PgTestServer.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDao_TableInfo.h"
#include "db/DatabaseChoice.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CEngineStatement.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStringList>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

int g_nRecords = 1000000;
bool g_bServer = false;

// "1m", "100k", or the number itself.
QByteArray CountName(int nCount)
{
    if (nCount % 1000000 == 0)
        return QByteArray::number(nCount / 1000000) + "m";
    if (nCount % 1000 == 0)
        return QByteArray::number(nCount / 1000) + "k";
    return QByteArray::number(nCount);
}

// "table_fill" and 1000000 print as "table_fill_1m_s 1.234 s"; on a server
// as "pg_table_fill_1m_s", or under the name given for it.
void Print(const char* pszName, int nCount, const char* pszSuffix, double dValue,
           const char* pszUnit, const char* pszServerName = nullptr)
{
    const QByteArray name = !g_bServer      ? QByteArray(pszName)
                            : pszServerName ? QByteArray(pszServerName)
                                            : "pg_" + QByteArray(pszName);
    std::printf("%s_%s_%s %.3f %s\n", name.constData(), CountName(nCount).constData(), pszSuffix,
                dValue, pszUnit);
    std::fflush(stdout);
}

// A CASE choosing one of the texts by the value of strIndex.
QString Choice(const QString& strIndex, const QStringList& arTexts)
{
    QString str = QStringLiteral("CASE (") + strIndex + QStringLiteral(") % ") +
                  QString::number(arTexts.size());
    for (int i = 0; i < arTexts.size(); ++i)
        str += QStringLiteral(" WHEN ") + QString::number(i) + QStringLiteral(" THEN '") +
               QString(arTexts[i]).replace(u'\'', QStringLiteral("''")) + u'\'';
    return str + QStringLiteral(" END");
}

// A photo collection as people have: folders of 120 pictures named by their
// day and event, over 20 years and in no order of time; camera names with
// the four-digit counters cameras use, so that they repeat across folders; a theme on three folders
// of five; a comment on one picture in twenty. One statement, so that a million records take
// seconds.
void FillDatabase(CDaoDatabase* pDatabase)
{
    const QStringList arEvents = {"Lake trip", "Birthday", "Christmas",   "Garden",
                                  "Hiking",    "Wedding",  "Zoo",         "Beach",
                                  "Skiing",    "Grandma",  "School play", "Concert",
                                  "City walk", "Harbour",  "Camping",     "Museum"};
    const QStringList arThemes = {
        "Trips",   "Family",  "Beach",  "Garden",  "Birthday",  "Holidays", "Friends",   "Nature",
        "Animals", "Sports",  "Food",   "Cars",    "Mountains", "Sea",      "City",      "Night",
        "Snow",    "Flowers", "Birds",  "Kids",    "School",    "Work",     "House",     "Music",
        "Art",     "Boats",   "Trains", "Sunsets", "Parties",   "Weddings", "Christmas", "Easter",
        "Autumn",  "Spring",  "Summer", "Winter"};
    const QStringList arComments = {"A windy day at the beach.", "Ann on her new bike.",
                                    "The view from the top.",    "Too dark, keep anyway.",
                                    "First snow this year.",     "Dinner with the neighbours.",
                                    "Grandpa's garden in June.", "Waiting for the ferry."};
    // 2004-01-01 (the first folder's day) and 7305 days (20 years) on.
    // Concatenated, not arg(): the statement is full of '%'.
    const QString strSql =
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?), "
            "r(i, f, day, h) AS (SELECT i, i / 120, 1072915200 + ((i / 120) * 7919 % 7305) * "
            "86400, (i * 2654435761) % 4294967291 FROM n) "
            "INSERT INTO PHOTOS (Date, Name, Extention, Size, Directory, Theme, Comment) "
            "SELECT datetime(day + 28800 + (i % 120) * 211, 'unixepoch'), "
            "CASE f % 3 WHEN 0 THEN printf('IMG_%04d.JPG', i % 10000) "
            "WHEN 1 THEN printf('DSC%05d.JPG', i % 10000) "
            "ELSE printf('P%03d%04d.JPG', 100 + f % 9, i % 10000) END, 'JPG', "
            "printf('%d', 1000000 + h % 11000000), "
            "'/home/ann/Pictures/' || strftime('%Y', day, 'unixepoch') || '/' || "
            "date(day, 'unixepoch') || ' ' || (") +
        Choice(QStringLiteral("f"), arEvents) +
        QStringLiteral("), CASE WHEN f % 5 < 2 THEN '' ELSE (") +
        Choice(QStringLiteral("f * 31"), arThemes) +
        QStringLiteral(") END, CASE WHEN h % 20 = 0 THEN (") +
        Choice(QStringLiteral("h / 20"), arComments) + QStringLiteral(") ELSE '' END FROM r");
    pDatabase->BeginTrans();
    pDatabase->Execute(strSql, {g_nRecords});
    pDatabase->CommitTrans();
}

// The file's generated records onto the server, a thousand rows a statement.
void CopyToServer(CDaoDatabase* pFile, const SServerConnection& server)
{
    CDao_Table table;
    if (!table.ConnectServer(server))
        qFatal("%s", qPrintable(table.UnavailableMessage()));
    CDaoDatabase* pServer = table.m_pCDaoDatabase.get();
    const auto pRows = pFile->Query(QStringLiteral(
        "SELECT Date, Name, Extention, Size, Directory, Theme, Comment FROM PHOTOS"));
    const QString strInsert = QStringLiteral(
        R"(INSERT INTO "PHOTOS" ("Date", "Name", "Extention", "Size", "Directory", "Theme",)"
        R"( "Comment") VALUES )");
    const QString strRow = QStringLiteral("(CAST(? AS timestamp), ?, ?, ?, ?, ?, ?)");
    pServer->BeginTrans();
    QVariantList arValues;
    int nRows = 0;
    auto flush = [&] {
        if (nRows == 0)
            return;
        QStringList arRows(nRows, strRow);
        pServer->Execute(strInsert + arRows.join(u','), arValues);
        arValues.clear();
        nRows = 0;
    };
    while (pRows->Step()) {
        for (int i = 0; i < 7; ++i)
            arValues.append(QString::fromUtf8(pRows->Text(i).toByteArray()));
        if (++nRows == 1000)
            flush();
    }
    flush();
    pServer->CommitTrans();
}

CListView_Table* ActiveTable(CMainFrame* pFrame)
{
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    auto* pView = pChild ? dynamic_cast<CListView_Table*>(pChild->GetActiveView()) : nullptr;
    if (!pView)
        qFatal("no table window");
    return pView;
}

double FindSeconds(CMainFrame* pFrame, const QString& strText)
{
    CDialog::SetModalHook([strText](CDialog* pDialog) {
        pDialog->findChild<QLineEdit*>()->setText(strText);
        for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
            if (pButton->text() == QLatin1String("OK"))
                pButton->click();
        }
        return int(IDOK);
    });
    const double dSeconds = Seconds([&] { pFrame->SendCommand(ID_DATABASE_FINDRECORDS); });
    CDialog::SetModalHook({});
    return dSeconds;
}

// Page Down through a million rows would take minutes, so the list is put
// at 20 places spread over it with its scroll bar, and Page Down pressed 10
// times at each; a step is the key, a repaint of the whole list, and the
// events the key posted. The slowest step in milliseconds.
double PageDownMaxMs(CListView_Table* pTable)
{
    CMDIChildWnd* pChild = pTable->GetParentFrame();
    pChild->window()->resize(1100, 800);
    pChild->resize(1000, 700);
    pTable->setFocus();
    QCoreApplication::processEvents();
    QScrollBar* pBar = pTable->verticalScrollBar();
    double dMax = 0;
    for (int nPlace = 0; nPlace < 20; ++nPlace) {
        pBar->setValue(int(qint64(pBar->maximum()) * nPlace / 20));
        QCoreApplication::processEvents();
        pTable->setCurrentIndex(pTable->indexAt(QPoint(5, 5)));
        QCoreApplication::processEvents();
        for (int nPress = 0; nPress < 10; ++nPress) {
            dMax = qMax(dMax, Seconds([&] {
                            QTest::keyClick(pTable, Qt::Key_PageDown);
                            pTable->viewport()->repaint();
                            QCoreApplication::processEvents();
                        }));
        }
    }
    return dMax * 1000;
}

// Every nStep-th row from nFirst on: scattered rows, as a user picks them.
void SelectRows(CListView_Table* pTable, int nFirst, int nCount, int nStep)
{
    QItemSelection selection;
    for (int i = 0; i < nCount; ++i) {
        const int nRow = nFirst + i * nStep;
        selection.select(pTable->RowModel()->index(nRow, 0), pTable->RowModel()->index(nRow, 0));
    }
    pTable->selectionModel()->select(selection,
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--records="))
            g_nRecords = arg.mid(10).toInt();
        g_bServer = g_bServer || arg == "--server";
    }
    if (g_nRecords < 10000)
        qFatal("--records=N needs at least 10000 records");
    const int n = g_nRecords;
    CTestWorkspace workspace;
    std::unique_ptr<CPgTestServer> pServer;
    if (g_bServer) {
        pServer = std::make_unique<CPgTestServer>();
        if (!pServer->IsAvailable() || !pServer->CreateDatabase(QStringLiteral("photos")))
            qFatal("no server: %s%s", qPrintable(pServer->WhyUnavailable()),
                   qPrintable(pServer->Error()));
        QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
        WriteDatabaseChoice(settings, pServer->Connection(QStringLiteral("photos")));
    }
    std::fprintf(stderr, "generating %d records\n", n);
    const double dGenerate = Seconds([&] {
        CDao_Table file;
        if (!file.Connect())
            qFatal("%s", qPrintable(file.UnavailableMessage()));
        FillDatabase(file.m_pCDaoDatabase.get());
        if (pServer)
            CopyToServer(file.m_pCDaoDatabase.get(), pServer->Connection(QStringLiteral("photos")));
    });
    std::fprintf(stderr, "generated in %.1f s\n", dGenerate);
    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    CMainFrame* pFrame = session.Frame();
    if (pFrame->GetPhotoDatabase().m_pCDaoDatabase->IsServer() != g_bServer)
        qFatal("the program opened the wrong database");

    const double dBefore = ResidentBytes() / 1048576.0;
    Print("table_fill", n, "s", Seconds([&] {
              pFrame->SendCommand(ID_DATABASE_SHOWTABLE);
              QCoreApplication::processEvents();
          }),
          "s");
    CListView_Table* pTable = ActiveTable(pFrame);
    if (pTable->RowModel()->rowCount() != n)
        qFatal("the table lists %d rows", pTable->RowModel()->rowCount());
    Print("table_memory", n, "mb", ResidentBytes() / 1048576.0 - dBefore, "MB");

    Print("table_pagedown_max", n, "ms", PageDownMaxMs(pTable), "ms");

    Print("table_sort_name", n, "s",
          Seconds([&] { pTable->OnColumnClick(PhotoColumn(EPhotoField::Name)); }), "s");
    Print("table_sort_size", n, "s",
          Seconds([&] { pTable->OnColumnClick(PhotoColumn(EPhotoField::Size)); }), "s");
    Print("table_sort_date", n, "s",
          Seconds([&] { pTable->OnColumnClick(PhotoColumn(EPhotoField::Date)); }), "s");

    // Messages are answered, never shown: a box would wait for a click.
    CMessageBoxRecorder answers;
    pTable->setFocus();
    Print("table_find_text", n, "s", FindSeconds(pFrame, QStringLiteral("Beach")), "s",
          "pg_find_text");
    Print("table_find_date", n, "s", FindSeconds(pFrame, QStringLiteral("1/1/2004")), "s");

    if (!answers.m_arTexts.isEmpty())
        qFatal("a find said: %s", qPrintable(answers.m_arTexts.first()));

    // A thousand neighbouring rows per hundred thousand, as this figure has
    // always been taken; scattered rows in larger tables.
    const int nDelete = n / 100;
    pTable->selectionModel()->clearSelection();
    if (n == 100000) {
        pTable->selectionModel()->select(
            QItemSelection(pTable->RowModel()->index(5000, 0), pTable->RowModel()->index(5999, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    } else {
        SelectRows(pTable, 37, nDelete, 100);
    }
    Print("table_delete", nDelete, "s", Seconds([&] { QTest::keyClick(pTable, Qt::Key_Delete); }),
          "s", "pg_delete");
    if (pTable->RowModel()->rowCount() != n - nDelete)
        qFatal("the delete left %d rows", pTable->RowModel()->rowCount());
    return 0;
}
