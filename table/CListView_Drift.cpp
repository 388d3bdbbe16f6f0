#include "table/CListView_Drift.h"

#include "db/CDao_Table.h"
#include "db/CDriftCheck.h"
#include "db/DatabaseMessages.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"
#include "table/TableLog.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>

CListView_Drift::CListView_Drift()
    : m_pCheck(new CDriftCheck(this))
    , m_pMainFrame(AfxGetFrameServices())
{
    setModel(&m_model);
    OnCommand(ID_DATABASE_REMOVERECORDS, [this] { OnRemoveRecords(); });
    OnCommand(ID_DATABASE_FOLLOWRENAMES, [this] { OnFollowRenames(); });
    OnCommand(ID_DATABASE_LOCATEFOLDER, [this] { OnLocateFolder(); });
    OnCommand(ID_DATABASE_UPDATESIZES, [this] { OnUpdateSizes(); });
    for (int nID : {ID_DATABASE_REMOVERECORDS, ID_DATABASE_FOLLOWRENAMES, ID_DATABASE_LOCATEFOLDER,
                    ID_DATABASE_UPDATESIZES})
        OnUpdateCommandUI(nID, [this](CCmdUI* pCmdUI) {
            pCmdUI->Enable(!IsChecking() && m_model.rowCount() > 0);
        });
    connect(m_pCheck, &CDriftCheck::Finished, this, &CListView_Drift::OnCheckFinished);
    connect(m_pCheck, &CDriftCheck::FingerprintsFound, this, &CListView_Drift::OnFingerprintsFound);
    connect(&m_progressTimer, &QTimer::timeout, this,
            [this] { m_wndProgress.SetPos(m_pCheck->Percent()); });
    if (m_pMainFrame)
        connect(&m_pMainFrame->GetPhotoDatabase().Notifier(), &CDao_TableNotifier::RecordsDeleted,
                this, &CListView_Drift::OnRecordsDeleted);
}

CListView_Drift::~CListView_Drift()
{
    m_wndProgress.Remove();
}

void CListView_Drift::CloseWindow()
{
    // Later: the window may be in the middle of a signal of its own.
    if (CMDIChildWnd* pFrame = GetParentFrame())
        QMetaObject::invokeMethod(pFrame, &QWidget::close, Qt::QueuedConnection);
}

bool CListView_Drift::IsChecking() const
{
    return m_pCheck->IsRunning();
}

void CListView_Drift::StopCheck()
{
    m_pCheck->Stop();
}

void CListView_Drift::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    SetUpList();
    if (!m_pMainFrame)
        return;
    try {
        CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
        m_pCheck->Start(daoTable.ReadFileRecords(), daoTable.ReadFingerprints(),
                        m_pMainFrame->ListsAllPictureFormats());
    } catch (...) {
        CloseWindow();
        throw;
    }
    m_pMainFrame->GetStatusProgress().ShowStatusProgress(tr("Checking the Database: "),
                                                         &m_wndProgress);
    m_progressTimer.start(100);
}

void CListView_Drift::SetUpList()
{
    SetReportStyle();
    const int arWidths[] = {100, 360, 140, 60, 90, 90};
    for (int i = 0; i < CDriftRowModel::ColumnCount; ++i)
        horizontalHeader()->resizeSection(i, arWidths[i]);
}

void CListView_Drift::OnCheckFinished(const QList<SDriftRow>& arRows, int nChecked, int nRecords)
{
    m_progressTimer.stop();
    m_wndProgress.Remove();
    const bool bStopped = nChecked < nRecords;
    if (bStopped)
        m_strStopped =
            tr(" (the check was stopped after %1 of %2 records)").arg(nChecked).arg(nRecords);
    m_model.SetRows(arRows);
    CDocument* pDoc = GetDocument();
    if (!bStopped && arRows.isEmpty()) {
        // An empty report would leave the user guessing.
        CloseWindow();
        AfxMessageBox(tr("Every record's picture is in its folder, at the size recorded."));
        return;
    }
    if (pDoc && bStopped)
        pDoc->SetTitle(tr("Database Check (stopped)"));
    ShowSummary();
}

void CListView_Drift::ShowSummary()
{
    if (!m_pMainFrame || !isVisible())
        return;
    int arCounts[4] = {0, 0, 0, 0};
    for (int nRow = 0; nRow < m_model.rowCount(); ++nRow)
        arCounts[int(m_model.Row(nRow).m_eKind)] += 1;
    QString strSummary = tr(" Folders missing: %1, files missing: %2, sizes differing: %3")
                             .arg(arCounts[int(EDrift::FolderMissing)])
                             .arg(arCounts[int(EDrift::FileMissing)])
                             .arg(arCounts[int(EDrift::SizeDiffers)]);
    if (arCounts[int(EDrift::Renamed)] > 0)
        strSummary += tr(", renamed: %1").arg(arCounts[int(EDrift::Renamed)]);
    m_pMainFrame->SetMessageText(strSummary + m_strStopped);
}

void CListView_Drift::OnRecordsDeleted(const QList<qint64>& arKeys)
{
    DropKeys(arKeys);
}

void CListView_Drift::OnFingerprintsFound(const QList<SFileRecord>& arRecords,
                                          const QList<SPictureFingerprint>& arPrints)
{
    if (!m_pMainFrame)
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    // Learnt on the way: a database that can not be changed stays without.
    if (!daoTable.IsDatabaseWritable())
        return;
    try {
        daoTable.StoreFingerprints(arRecords, arPrints);
    } catch (const std::exception& e) {
        qCWarning(lcTable) << "fingerprints not kept:" << e.what();
    }
}

void CListView_Drift::DropKeys(const QList<qint64>& arKeys)
{
    m_model.DropKeys(QSet<qint64>(arKeys.cbegin(), arKeys.cend()));
    ShowSummary();
}

QList<int> CListView_Drift::RowsOfKinds(const QList<EDrift>& arKinds) const
{
    QList<int> arRows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        arRows.append(index.row());
    if (arRows.isEmpty()) {
        for (int nRow = 0; nRow < m_model.rowCount(); ++nRow)
            arRows.append(nRow);
    }
    std::sort(arRows.begin(), arRows.end());
    arRows.removeIf([&](int nRow) { return !arKinds.contains(m_model.Row(nRow).m_eKind); });
    return arRows;
}

void CListView_Drift::OnRemoveRecords()
{
    if (!m_pMainFrame || IsChecking())
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    if (!CheckDatabaseWritable(daoTable))
        return;
    // A Renamed line's picture is there: its record is never removed here.
    const QList<int> arRows = RowsOfKinds({EDrift::FolderMissing, EDrift::FileMissing});
    QList<qint64> arKeys;
    for (int nRow : arRows)
        arKeys.append(m_model.Row(nRow).m_arKeys);
    if (arKeys.isEmpty()) {
        AfxMessageBox(tr("No record here misses its picture."));
        return;
    }
    const QString strQuestion =
        tr("Remove the %n record(s) whose pictures are missing from the database? "
           "No picture file is touched.",
           nullptr, int(arKeys.size()));
    if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES || !ConfirmUnpluggedDisk(arRows))
        return;
    // Every window drops the records, this one through the notifier too.
    daoTable.RemoveMissingRecords(arKeys);
}

bool CListView_Drift::ConfirmUnpluggedDisk(const QList<int>& arRows)
{
    QStringList arDisks;
    for (int nRow : arRows) {
        const SDriftRow& row = m_model.Row(nRow);
        if (row.m_eKind != EDrift::FolderMissing)
            continue;
        const QString strTop = OutermostMissingFolder(row.m_strDirectory);
        if (IsRemovableMountPlace(strTop) && !arDisks.contains(strTop))
            arDisks.append(strTop);
    }
    if (arDisks.isEmpty())
        return true;
    const QString strQuestion =
        tr("\"%1\" may be a disk that is only unplugged. Removing the records loses their "
           "themes and comments, which do not come back when the disk does. Remove them "
           "all the same?")
            .arg(arDisks.join(QStringLiteral("\", \"")));
    return AfxMessageBox(strQuestion, MB_YESNO) == IDYES;
}

void CListView_Drift::OnFollowRenames()
{
    if (!m_pMainFrame || IsChecking())
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    const QList<int> arRows = RowsOfKinds({EDrift::Renamed});
    if (arRows.isEmpty()) {
        AfxMessageBox(tr("No picture here was found renamed."));
        return;
    }
    if (!CheckDatabaseWritable(daoTable))
        return;
    // One read of the records, not one per line.
    QSet<QString> setRecorded;
    for (const SFileRecord& record : daoTable.ReadFileRecords())
        setRecorded.insert(record.m_strDirectory + u'/' + record.m_strName);
    QList<SDriftRow> arRenamed;
    QList<qint64> arKeys;
    for (int nRow : arRows) {
        // The file may have gone again since the check, or have been
        // imported (by opening a picture of its folder) meanwhile.
        const SDriftRow& row = m_model.Row(nRow);
        const QString strNew = row.m_strNewDirectory + u'/' + row.m_strNewName;
        if (!QFileInfo(strNew).isFile() || setRecorded.contains(strNew))
            continue;
        arRenamed.append(row);
        arKeys.append(row.m_arKeys);
    }
    daoTable.FollowRenames(arRenamed);
    DropKeys(arKeys);
}

void CListView_Drift::OnLocateFolder()
{
    if (!m_pMainFrame || IsChecking())
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    const QModelIndex current = currentIndex();
    const QList<int> arRows = RowsOfKinds({EDrift::FolderMissing, EDrift::FileMissing});
    const int nRow =
        current.isValid() && arRows.contains(current.row()) ? current.row() : arRows.value(0, -1);
    if (nRow < 0) {
        AfxMessageBox(tr("Please select a missing folder or file to locate."));
        return;
    }
    if (!CheckDatabaseWritable(daoTable))
        return;
    // A renamed parent folder takes all the folders below it along: one
    // answer mends them all.
    const QString strOld = OutermostMissingFolder(m_model.Row(nRow).m_strDirectory);
    const QString strChosen = AfxGetExistingFolder(this, tr("Where is \"%1\" now?").arg(strOld),
                                                   QFileInfo(strOld).path());
    if (strChosen.isEmpty())
        return;
    const QString strNew = RecordDirectory(strChosen);
    QList<QPair<qint64, QString>> arMoves;
    int nStay = 0;
    for (const SFileRecord& record : daoTable.ReadFileRecords(strOld)) {
        const QString strDirectory = RelocatedDirectory(record.m_strDirectory, strOld, strNew);
        if (QFileInfo(strDirectory + u'/' + record.m_strName).isFile())
            arMoves.append({record.m_nKey, strDirectory});
        else
            ++nStay;
    }
    daoTable.RelocateRecords(arMoves);
    QList<qint64> arMoved;
    for (const auto& move : std::as_const(arMoves))
        arMoved.append(move.first);
    DropKeys(arMoved);
    QString strReport =
        tr("%n record(s) of \"%1\" now point into \"%2\".", nullptr, int(arMoves.size()))
            .arg(strOld, strNew);
    if (nStay > 0)
        strReport +=
            tr(" %n record(s) stay as they were: their pictures are not in \"%1\".", nullptr, nStay)
                .arg(strNew);
    AfxMessageBox(strReport);
}

void CListView_Drift::OnUpdateSizes()
{
    if (!m_pMainFrame || IsChecking())
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    const QList<int> arRows = RowsOfKinds({EDrift::SizeDiffers});
    if (arRows.isEmpty()) {
        AfxMessageBox(tr("No record here differs in size from its picture."));
        return;
    }
    if (!CheckDatabaseWritable(daoTable))
        return;
    // The size now, which may have changed again since the check.
    QList<QPair<qint64, qint64>> arSizes;
    for (int nRow : arRows) {
        const SDriftRow& row = m_model.Row(nRow);
        const QFileInfo file(row.m_strDirectory + u'/' + row.m_strName);
        if (file.isFile())
            arSizes.append({row.m_arKeys.value(0), file.size()});
    }
    daoTable.UpdateSizes(arSizes);
    QList<qint64> arUpdated;
    for (const auto& size : std::as_const(arSizes))
        arUpdated.append(size.first);
    DropKeys(arUpdated);
}

void CListView_Drift::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape && IsChecking()) {
        StopCheck();
        pEvent->accept();
        return;
    }
    if (pEvent->key() == Qt::Key_Delete) {
        AfxRunContained([&] { OnRemoveRecords(); });
        pEvent->accept();
        return;
    }
    AfxRunContained([&] { CListView::keyPressEvent(pEvent); });
}
