#pragma once

#include "platform/framework/CView.h"

#include <QAbstractScrollArea>

// A view that scrolls its contents.
class CScrollView : public QAbstractScrollArea, public CView
{
    Q_OBJECT
public:
    explicit CScrollView(QWidget* pParent = nullptr)
        : QAbstractScrollArea(pParent)
    {
    }
    QWidget* GetWnd() override { return this; }
};
