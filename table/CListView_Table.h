#pragma once

#include "platform/framework/CListView.h"
#include "table/CTableRowModel.h"

#include <QPersistentModelIndex>
#include <QString>

class CDocument;
class CFrameServices;

// The view of a table window: the photo records, one row each, filled once
// when the window opens; afterwards sorted, and kept up with the records
// that any window saves or deletes.
class CListView_Table : public CListView
{
    Q_OBJECT
public:
    CListView_Table();
    ~CListView_Table() override;

    // Before the initial update: the criterion the filling applies; empty
    // lists every record.
    void SetFindFilter(const QString& strFilter) { m_strFindFilter = strFilter; }
    void OnInitialUpdate() override;
    void FillTable();
    void OnColumnClick(int nColumn);
    void OnItemChanged(int nRow);

    CTableRowModel* RowModel() { return &m_model; }

    // Shared by every table window for the whole run.
    static int s_nSortColumn;
    static bool s_bDescending;

    // The row of the record the user picked last, wherever sorting moved it;
    // -1 when none is picked or it was deleted with no row left.
    int CurrentRow() const { return m_current.isValid() ? m_current.row() : -1; }

protected:
    void OnShowRecord();
    void OnFindRecords();
    void OnDeleteRecords();
    void ShowRecord(int nRow);
    // The picture window opened on the current record's picture, if any.
    CDocument* OpenRecordPicture();
    // A slide show of the selected records' pictures in a new picture window.
    void OnSlideShowRecords();

    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;

private:
    // While the list is filled, sorted or thinned it is not repainted and
    // its row changes are not reported; hiding it instead would move the
    // focus and with it the selection.
    class CBusy
    {
    public:
        // No wait cursor where a question comes first.
        CBusy(CListView_Table* pView, bool bWaitCursor = true);
        ~CBusy();
        CBusy(const CBusy&) = delete;
        CBusy& operator=(const CBusy&) = delete;

    private:
        CListView_Table* m_pView;
        bool m_bWaitCursor;
        bool m_bWasBusy;
    };

    // The rows selected whole, in order.
    QList<int> SelectedRows() const;
    void RegisterCommands();
    void FollowDatabase();
    void OnRecordsDeleted(const QList<qint64>& arKeys);
    // The status pane names the current row again, after a change of the rows.
    void ShowCurrentRow();
    // The full path of the row's picture: its Directory and Name.
    QString RecordPath(int nRow) const;
    void SetUpList();
    void SetColumnWidths();
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    bool m_bBusy = false;
    CTableRowModel m_model;
    QString m_strFindFilter;
    QPersistentModelIndex m_current;
    CFrameServices* m_pMainFrame;
};
