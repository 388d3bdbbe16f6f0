#include "platform/framework/CMDIChildWnd.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"

#include <QMenu>

CMDIChildWnd::CMDIChildWnd()
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The frame's accelerators give Ctrl+W and Ctrl+F4 to File Close; the
    // system menu's Close keeping them too would make both keys do nothing.
    if (QMenu* pMenu = systemMenu()) {
        for (QAction* pAction : pMenu->actions())
            pAction->setShortcuts({});
    }
}

CMDIChildWnd::~CMDIChildWnd()
{
    // The view goes while this is still a whole frame: its document tells the
    // frames when it loses a view.
    QWidget* pWnd = m_pView ? m_pView->GetWnd() : nullptr;
    if (m_pView)
        m_pView->m_pFrame = nullptr;
    m_pView = nullptr;
    delete pWnd;
}

void CMDIChildWnd::SetView(CView* pView)
{
    m_pView = pView;
    pView->m_pFrame = this;
    setWidget(pView->GetWnd());
}

CDocument* CMDIChildWnd::GetActiveDocument() const
{
    return m_pView ? m_pView->GetDocument() : nullptr;
}

void CMDIChildWnd::OnUpdateFrameTitle()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc == nullptr)
        return;
    const QList<CView*>& arViews = pDoc->GetViews();
    if (arViews.size() > 1) {
        const int nIndex = int(arViews.indexOf(m_pView)) + 1;
        setWindowTitle(QStringLiteral("%1:%2").arg(pDoc->GetTitle()).arg(nIndex));
    } else {
        setWindowTitle(pDoc->GetTitle());
    }
}

bool CMDIChildWnd::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    if (m_pView && m_pView->OnCmdMsg(nID, pCmdUI))
        return true;
    return CCmdTarget::OnCmdMsg(nID, pCmdUI);
}
