#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "browse/ViewKeyRules.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

void COrvalaView::keyPressEvent(QKeyEvent* pEvent)
{
    AfxRunContained([&] { OnKeyDown(pEvent->key(), pEvent->modifiers()); });
    // Not passed on: the scroll area's own arrow keys would scroll a second time.
    pEvent->accept();
}

void COrvalaView::OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers)
{
    if (RunViewerKey(nKey, modifiers))
        return;
    const bool bMosaic = m_bMosaic && !m_bPaused;
    if (!bMosaic && m_nCount == 0) {
        // A list filled from elsewhere (a slide show of records) is kept.
        if (m_arrPictures.isEmpty() && !ListFolder()) {
            // The key acts once the folder is listed.
            WhenListed([this, nKey, modifiers] { OnKeyDown(nKey, modifiers); });
            return;
        }
        m_nCount = int(m_arrPictures.size());
    }
    // A show's position is its next slide; the keys step from the one on screen.
    const int nOnScreen = m_bSlideShow && m_bBusy ? 1 : 0;

    const SMosaicGeometry g = Geometry();
    SViewKeyState s;
    s.bMosaic = bMosaic;
    s.nCurrent = m_nCurrent - nOnScreen;
    s.nCount = bMosaic ? int(m_arrPictures.size()) : std::min(m_nCount, int(m_arrPictures.size()));
    s.nPhotosInRow = g.nPhotosInRow;
    s.nPitch = m_nCellWidth + g.nBorder;
    s.ptSelection = m_ptSelection;
    s.ptScroll = GetScrollPosition();
    s.szClient = viewport()->size();
    const SViewKeyAction a = ViewKeyAction(s, nKey, modifiers);

    if (a.bPause)
        OnPause();
    if (a.nShow >= 0) {
        m_nCurrent = a.nShow + nOnScreen;
        ShowPictureAt(a.nShow);
    }
    if (a.bSelect) {
        if (m_ptSelection.x() > 0)
            SelectCell(m_ptSelection - s.ptScroll, true);
        SelectCell(a.ptSelect - s.ptScroll, false);
    }
    if (a.bScroll)
        ScrollToPosition(a.ptScroll);
    if (a.nOpen >= 0)
        OpenPictureWindow(a.nOpen);
}

void COrvalaView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        AfxRunContained([&] { OnLButtonDown(pEvent->position().toPoint()); });
    CScrollView::mousePressEvent(pEvent);
}

void COrvalaView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        AfxRunContained([&] { OnLButtonDblClk(pEvent->position().toPoint()); });
    pEvent->accept();
}

void COrvalaView::wheelEvent(QWheelEvent* pEvent)
{
    if (!OnMouseWheel(pEvent->buttons(), pEvent->modifiers(), pEvent->angleDelta().y()))
        CScrollView::wheelEvent(pEvent);
}

void COrvalaView::OnLButtonDown(QPoint pt)
{
    if (!m_bMosaic)
        return;
    if (m_ptSelection.x() > 0)
        SelectCell(m_ptSelection - GetScrollPosition(), true);
    // Where no picture is (right of the last column, after the last picture)
    // the selection stays and stays visible.
    if (!SelectCell(pt, false) && m_ptSelection.x() > 0)
        SelectCell(m_ptSelection - GetScrollPosition(), false);
}

void COrvalaView::OnLButtonDblClk(QPoint pt)
{
    if (!m_bMosaic)
        return;
    const SMosaicGeometry g = CellGeometry();
    const int nIndex = g.IndexAt(pt + GetScrollPosition(), int(m_arrPictures.size()));
    if (nIndex < 0)
        return;
    OpenPictureWindow(nIndex);
    SetMessageText(QString());
}

bool COrvalaView::OnMouseWheel(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                               int nDelta)
{
    if (buttons != Qt::NoButton || modifiers != Qt::ControlModifier)
        return false;
    // Wheel away from the user scrolls left, a pixel per unit of turn.
    QScrollBar* pBar = horizontalScrollBar();
    pBar->setValue(pBar->value() - nDelta);
    viewport()->repaint();
    return true;
}
