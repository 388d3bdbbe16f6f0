#pragma once

#include "platform/framework/CListView.h"
#include "table/CTableRowModel.h"

#include <QPointer>
#include <QString>

class CMainFrame;

// The view of a table window: the photo records, one row each, filled once
// when the window opens and afterwards only sorted and thinned by deletes.
class CListView_Table : public CListView
{
    Q_OBJECT
public:
    CListView_Table();
    ~CListView_Table() override;

    void OnInitialUpdate() override;
    void FillTable();
    void OnColumnClick(int nColumn);
    void OnItemChanged(int nRow);

    CTableRowModel* RowModel() { return &m_model; }

    // Shared by every table window for the whole run. A filter not empty is
    // a criterion that the next filling applies.
    static QString s_strFindFilter;
    static int s_nSortColumn;
    static bool s_bDescending;

    int m_nCurrentRow = -1;

private:
    void SetUpList();
    void InsertColumns();
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    QString m_strTemp;
    CTableRowModel m_model;
    QPointer<CMainFrame> m_pMainFrame;
};
