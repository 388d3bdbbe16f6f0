// Times Database > Check Database on records whose pictures are all present
// (warm cache), the longest the user-interface thread is kept busy meanwhile,
// and the repairs on 10,000 records: locating a renamed folder and removing
// the records of a deleted one. --records=N sets the number (100,000).
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
#include "platform/framework/FileDialog.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace {

constexpr int g_nPerFolder = 100;

// nRecords records, g_nPerFolder to a folder, each a link to a small file.
void MakeRecords(CDaoDatabase* pDb, const QString& strRoot, int nRecords)
{
    QDir().mkpath(strRoot);
    QString strOriginal;
    pDb->BeginTrans();
    for (int i = 0; i < nRecords; ++i) {
        // A file system allows some 65,000 links to a file.
        if (i % 20000 == 0)
            strOriginal = WriteBenchFile(strRoot + QStringLiteral("/original%1.jpg").arg(i),
                                         QByteArray(4321, 'j'));
        const QString strFolder = QStringLiteral("%1/%2/roll %3")
                                      .arg(strRoot)
                                      .arg(2000 + i / 10000)
                                      .arg(i / g_nPerFolder);
        if (i % g_nPerFolder == 0)
            QDir().mkpath(strFolder);
        const QString strName = QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0'));
        if (link(QFile::encodeName(strOriginal).constData(),
                 QFile::encodeName(strFolder + u'/' + strName).constData()) != 0)
            qFatal("cannot link %s", qPrintable(strName));
        pDb->Execute("INSERT INTO PHOTOS (Name, Extention, Size, Directory) "
                     "VALUES (?, 'JPG', '4321', ?)",
                     {strName, strFolder});
    }
    pDb->CommitTrans();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int nRecords = 100000;
    for (int i = 1; i < argc; ++i) {
        if (qstrncmp(argv[i], "--records=", 10) == 0)
            nRecords = atoi(argv[i] + 10);
    }
    CTestWorkspace workspace;
    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    CMainFrame* pFrame = session.Frame();
    const QString strRoot = workspace.FilePath("Pictures");
    std::fprintf(stderr, "linking %d pictures\n", nRecords);
    MakeRecords(pFrame->GetPhotoDatabase().m_pCDaoDatabase.get(), strRoot, nRecords);
    CMessageBoxRecorder answers;

    // Warm: every file's entry is in the cache.
    qint64 nGapMs = 0;
    RunCheck(pFrame, &nGapMs);
    QElapsedTimer timer;
    timer.start();
    RunCheck(pFrame, &nGapMs);
    const QString strLabel =
        nRecords == 100000 ? QStringLiteral("100k") : QString::number(nRecords);
    PrintFigure(qPrintable("check_database_" + strLabel + "_s"), timer.elapsed() / 1000.0, "s");
    PrintFigure("check_database_ui_gap_ms", double(nGapMs), "ms");
    if (answers.m_arTexts.size() != 2)
        qFatal("the check found disagreements where there are none");

    // 10,000 records of 2000/ moved to 2000 moved/, 10,000 of 2001/ deleted.
    if (nRecords >= 30000) {
        QDir(strRoot).rename("2000", "2000 moved");
        QDir(strRoot + "/2001").removeRecursively();
        CListView_Drift* pView = RunCheck(pFrame, &nGapMs);
        // The first line is a roll of 2000/; locating it asks for 2000/ itself.
        pView->selectRow(0);
        SetFileDialogHook(
            [&](bool, const QString&, const QString&) { return strRoot + "/2000 moved"; });
        PrintFigure("check_locate_10k_s",
                    Seconds([&] { pFrame->SendCommand(ID_DATABASE_LOCATEFOLDER); }), "s");
        pView->clearSelection();
        PrintFigure("check_remove_10k_s",
                    Seconds([&] { pFrame->SendCommand(ID_DATABASE_REMOVERECORDS); }), "s");
        std::fprintf(stderr, "%s\n", qPrintable(answers.m_arTexts.join(u'\n')));
    }
    return 0;
}
