// Times Database > Check Database (the check and its report) on 10,000
// records of which 1,000 had their pictures renamed, every one found by its
// fingerprint, and then Follow Renames on them all.
// Prints one line per figure: name value unit.
#include "BenchCheck.h"
#include "BenchCommon.h"

#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int g_nRecords = 10000;
constexpr int g_nPerFolder = 100;
constexpr int g_nRenamed = 1000;

QString PicturePath(const QString& strRoot, int i)
{
    return QStringLiteral("%1/roll %2/IMG_%3.JPG")
        .arg(strRoot)
        .arg(i / g_nPerFolder)
        .arg(i, 5, 10, QLatin1Char('0'));
}

// Pictures of 20 KB each, all different, with a record each.
void MakeRecords(CDaoDatabase* pDb, const QString& strRoot)
{
    pDb->BeginTrans();
    for (int i = 0; i < g_nRecords; ++i) {
        const QString strPath = PicturePath(strRoot, i);
        if (i % g_nPerFolder == 0)
            QDir().mkpath(QFileInfo(strPath).path());
        QByteArray bytes(20000, 'j');
        bytes.replace(0, 8, QByteArray::number(i).rightJustified(8, '0'));
        WriteBenchFile(strPath, bytes);
        pDb->Execute("INSERT INTO PHOTOS (Name, Extention, Size, Directory) "
                     "VALUES (?, 'JPG', '20000', ?)",
                     {QFileInfo(strPath).fileName(), QFileInfo(strPath).path()});
    }
    pDb->CommitTrans();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CTestWorkspace workspace;
    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    CMainFrame* pFrame = session.Frame();
    const QString strRoot = workspace.FilePath("Pictures");
    MakeRecords(pFrame->GetPhotoDatabase().m_pCDaoDatabase.get(), strRoot);
    CMessageBoxRecorder answers;
    // The first check learns every picture's fingerprint, as it does for a
    // database from before fingerprints.
    RunCheck(pFrame);
    for (int i = 0; i < g_nRecords; i += g_nRecords / g_nRenamed) {
        const QString strPath = PicturePath(strRoot, i);
        if (!QFile::rename(strPath, strPath.chopped(4) + QStringLiteral("_renamed.JPG")))
            qFatal("cannot rename %s", qPrintable(strPath));
    }
    CListView_Drift* pView = nullptr;
    PrintFigure("rename_match_10k_s", Seconds([&] { pView = RunCheck(pFrame); }), "s");
    int nRenamed = 0;
    for (int nRow = 0; nRow < pView->RowModel()->rowCount(); ++nRow)
        nRenamed += pView->RowModel()->Row(nRow).m_eKind == EDrift::Renamed ? 1 : 0;
    if (nRenamed != g_nRenamed || pView->RowModel()->rowCount() != g_nRenamed)
        qFatal("the check found %d renamed of %d lines", nRenamed, pView->RowModel()->rowCount());
    PrintFigure("follow_renames_1k_s",
                Seconds([&] { pFrame->SendCommand(ID_DATABASE_FOLLOWRENAMES); }), "s");
    if (pView->RowModel()->rowCount() != 0)
        qFatal("%d lines left after following", pView->RowModel()->rowCount());
    return 0;
}
