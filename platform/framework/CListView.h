#pragma once

#include "platform/framework/CView.h"

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
};
