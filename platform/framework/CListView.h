#pragma once

#include "platform/framework/CView.h"

#include <QHeaderView>
#include <QTableView>

// A view that is itself a list of rows and columns.
class CListView : public QTableView, public CView
{
    Q_OBJECT
public:
    explicit CListView(QWidget* pParent = nullptr)
        : QTableView(pParent)
    {
    }
    QWidget* GetWnd() override { return this; }

protected:
    // Report style: grid, whole rows, several at once, one line of text each.
    void SetReportStyle()
    {
        setShowGrid(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setWordWrap(false);
        verticalHeader()->hide();
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    }
};
