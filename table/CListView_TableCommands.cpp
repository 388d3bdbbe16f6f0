// The commands, keys and double click of a table window.
#include "table/CListView_Table.h"

#include "browse/COrvalaView.h"
#include "db/CDao_Table.h"
#include "db/CDia_Find.h"
#include "db/CDia_Record.h"
#include "db/DatabaseMessages.h"
#include "db/FindCriterion.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/MessageBox.h"
#include "platform/picture/PictureDecoder.h"
#include "resources/resource.h"

#include <QKeyEvent>
#include <algorithm>

void CListView_Table::RegisterCommands()
{
    OnCommand(ID_DATABASE_SHOWRECORD, [this] { OnShowRecord(); });
    OnCommand(ID_DATABASE_FINDRECORDS, [this] { OnFindRecords(); });
    OnCommand(ID_DATABASE_DELETERECORDS, [this] { OnDeleteRecords(); });
    OnCommand(ID_VIEW_SLIDESHOW, [this] { OnSlideShowRecords(); });
}

QList<int> CListView_Table::SelectedRows() const
{
    // QItemSelectionModel::selectedRows asks every range about every row:
    // ten thousand scattered rows took seconds. A row counts when its
    // columns are all selected.
    QList<quint16> arColumns(m_model.rowCount(), 0);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int nRow = range.top(); nRow <= range.bottom(); ++nRow)
            arColumns[nRow] += quint16(range.width());
    }
    QList<int> arRows;
    for (int nRow = 0; nRow < arColumns.size(); ++nRow) {
        if (arColumns[nRow] >= m_model.columnCount())
            arRows.append(nRow);
    }
    return arRows;
}

void CListView_Table::OnShowRecord()
{
    if (CurrentRow() == -1) {
        AfxMessageBox(tr("Please select a Record to show."));
        return;
    }
    ShowRecord(CurrentRow());
}

void CListView_Table::ShowRecord(int nRow)
{
    CDia_Record dialog(m_model.Record(nRow));
    dialog.DoModal();
}

void CListView_Table::OnFindRecords()
{
    if (!m_pMainFrame || !CheckDatabase(m_pMainFrame->GetPhotoDatabase()))
        return;
    CDia_Find dialog;
    if (dialog.DoModal() != IDOK)
        return;
    const QString strSearch = dialog.m_strFind;
    CDocument* pDoc = m_pMainFrame->OpenTableWindow(FindCriterion(strSearch, QDate::currentDate()));
    if (!pDoc)
        return;
    auto* pFound = dynamic_cast<CListView_Table*>(pDoc->GetViews().value(0));
    if (pFound && pFound->RowModel()->rowCount() == 0) {
        // An empty window would leave the user guessing why.
        pFound->GetParentFrame()->close();
        AfxMessageBox(tr("No records match \"%1\".").arg(strSearch));
        return;
    }
    pDoc->SetTitle(tr("The Records found by \"%1\"").arg(strSearch));
}

void CListView_Table::OnDeleteRecords()
{
    if (!m_pMainFrame || !CheckDatabase(m_pMainFrame->GetPhotoDatabase()))
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    const QList<int> arSelected = SelectedRows();
    if (arSelected.isEmpty()) {
        SystemMessageBox(tr("Please select a record(s) for delete."), QString(), MB_OK);
        return;
    }
    if (!CheckDatabaseWritable(daoTable))
        return;
    const QString strQuestion =
        arSelected.size() == 1 ? tr("Delete a record \"%1\" from Table?")
                                     .arg(m_model.Record(arSelected.first()).m_strName)
                               : tr("Delete those %1 records from Table?").arg(arSelected.size());
    if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES)
        return;
    QList<qint64> arKeys;
    for (const int nRow : arSelected)
        arKeys.append(m_model.index(nRow, 0).data(CTableRowModel::KeyRole).toLongLong());
    {
        CBusy busy(this);
        // Every table window, this one too, drops the rows when it is done.
        daoTable.DeleteRecords(arKeys);
    }
    ShowCurrentRow();
}

CDocument* CListView_Table::OpenRecordPicture()
{
    if (CurrentRow() == -1) {
        AfxMessageBox(tr("Please select a Record to show."));
        return nullptr;
    }
    if (!m_pMainFrame)
        return nullptr;
    const QString strPath = RecordPath(CurrentRow());
    // A new window each time, listing the picture's folder as one the
    // program opened itself: no import of that folder.
    CDocument* pDoc = m_pMainFrame->OpenPictureWindow(strPath, 0);
    if (pDoc)
        pDoc->SetTitle(strPath);
    return pDoc;
}

QString CListView_Table::RecordPath(int nRow) const
{
    const SPhotoRecord& record = m_model.Record(nRow);
    return record.m_strDirectory + u'/' + record.m_strName;
}

void CListView_Table::OnSlideShowRecords()
{
    QModelIndexList arSelected = selectionModel()->selectedRows();
    if (arSelected.isEmpty()) {
        AfxMessageBox(tr("Please select a records for Slideshow."));
        return;
    }
    std::sort(arSelected.begin(), arSelected.end());
    // The window opens on the first picture that can be shown; the show
    // skips the others that can not.
    const auto itShown =
        std::find_if(arSelected.cbegin(), arSelected.cend(), [this](const QModelIndex& index) {
            return PictureProblem(RecordPath(index.row())).isEmpty();
        });
    m_current = itShown != arSelected.cend() ? *itShown : arSelected.first();
    CDocument* pDoc = OpenRecordPicture();
    auto* pView = pDoc ? dynamic_cast<COrvalaView*>(pDoc->GetViews().value(0)) : nullptr;
    if (!pView)
        return;
    // The selected records' pictures only, in table order.
    QStringList arPaths;
    for (const QModelIndex& index : arSelected)
        arPaths.append(RecordPath(index.row()));
    pView->RunSlideShowOf(arPaths);
}

void CListView_Table::keyPressEvent(QKeyEvent* pEvent)
{
    AfxRunContained([&] {
        const bool bCtrl = pEvent->modifiers() & Qt::ControlModifier;
        switch (pEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (bCtrl)
                OnShowRecord();
            else
                OpenRecordPicture();
            break;
        case Qt::Key_Delete:
            OnDeleteRecords();
            break;
        case Qt::Key_A:
            if (bCtrl)
                selectAll();
            break;
        default:
            break;
        }
    });
    // Arrows, paging and the rest work as in any list.
    AfxRunContained([&] { CListView::keyPressEvent(pEvent); });
}

void CListView_Table::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    AfxRunContained([&] {
        if (m_model.rowCount() == 0)
            AfxMessageBox(tr("No records in a Table."));
        else if (pEvent->modifiers() & Qt::ControlModifier)
            OnShowRecord();
        else
            OpenRecordPicture();
    });
    pEvent->accept();
}
