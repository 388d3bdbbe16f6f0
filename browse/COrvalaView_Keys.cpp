#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "browse/FolderListing.h"
#include "browse/ViewKeyRules.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QKeyEvent>
#include <algorithm>

void COrvalaView::keyPressEvent(QKeyEvent* pEvent)
{
    AfxRunContained([&] { OnKeyDown(pEvent->key(), pEvent->modifiers()); });
    // Not passed on: the scroll area's own arrow keys would scroll a second time.
    pEvent->accept();
}

void COrvalaView::OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers)
{
    const bool bMosaic = m_bMosaic && !m_bPaused;
    if (!bMosaic && m_nCount == 0) {
        // A list filled from elsewhere (a slide show of records) is kept.
        if (m_arPictures.isEmpty())
            ListPictureFiles(m_strFolder, m_arPictures, QString());
        m_nCount = int(m_arPictures.size());
    }

    const SMosaicGeometry g = Geometry();
    SViewKeyState s;
    s.bMosaic = bMosaic;
    s.nCurrent = m_nCurrent;
    s.nCount = bMosaic ? int(m_arPictures.size()) : std::min(m_nCount, int(m_arPictures.size()));
    s.nPhotosInRow = g.nPhotosInRow;
    s.nPitch = m_nCellWidth + g.nBorder;
    s.ptSelection = m_ptSelection;
    s.ptScroll = GetScrollPosition();
    s.szClient = viewport()->size();
    const SViewKeyAction a = ViewKeyAction(s, nKey, modifiers);

    if (a.nShow >= 0) {
        m_nCurrent = a.nShow;
        const QString strPath = PictureAt(a.nShow);
        DrawPicture(nullptr, strPath);
        if (m_pPictureDoc)
            m_pPictureDoc->SetTitle(strPath);
    }
    if (a.bSelect) {
        if (m_ptSelection.x() > 0)
            SelectCell(m_ptSelection - s.ptScroll, true);
        SelectCell(a.ptSelect - s.ptScroll, false);
    }
    if (a.bScroll)
        ScrollToPosition(a.ptScroll);
    if (a.nOpen >= 0)
        OpenPictureWindow(PictureAt(a.nOpen), a.nOpen);
}
