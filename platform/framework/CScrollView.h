#pragma once

#include "platform/framework/CView.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QScrollBar>
#include <QSize>

// A view that scrolls its contents. The scroll extent (the document's size in
// pixels) is the only thing that brings scroll bars: (0, 0) has none.
class CScrollView : public QAbstractScrollArea, public CView
{
    Q_OBJECT
public:
    explicit CScrollView(QWidget* pParent = nullptr)
        : QAbstractScrollArea(pParent)
    {
    }
    QWidget* GetWnd() override { return this; }

    // Pixels only (MM_TEXT); a page is the client area, a line a tenth of it.
    void SetScrollSizes(const QSize& szTotal)
    {
        m_szTotal = szTotal;
        UpdateBars();
        viewport()->update();
    }
    QSize GetTotalSize() const { return m_szTotal; }
    QPoint GetScrollPosition() const
    {
        return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    }
    void ScrollToPosition(const QPoint& pt)
    {
        horizontalScrollBar()->setValue(pt.x());
        verticalScrollBar()->setValue(pt.y());
    }

protected:
    void resizeEvent(QResizeEvent* pEvent) override
    {
        QAbstractScrollArea::resizeEvent(pEvent);
        UpdateBars();
    }
    void scrollContentsBy(int, int) override { viewport()->update(); }

private:
    void UpdateBars()
    {
        const QSize szPage = viewport()->size();
        horizontalScrollBar()->setRange(0, qMax(0, m_szTotal.width() - szPage.width()));
        horizontalScrollBar()->setPageStep(szPage.width());
        horizontalScrollBar()->setSingleStep(qMax(1, szPage.width() / 10));
        verticalScrollBar()->setRange(0, qMax(0, m_szTotal.height() - szPage.height()));
        verticalScrollBar()->setPageStep(szPage.height());
        verticalScrollBar()->setSingleStep(qMax(1, szPage.height() / 10));
    }

    QSize m_szTotal;
};
