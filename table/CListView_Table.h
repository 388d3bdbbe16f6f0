#pragma once

#include "platform/framework/CListView.h"

// The view of a table window: the photo records, one row each.
class CListView_Table : public CListView
{
    Q_OBJECT
public:
    CListView_Table() = default;
};
