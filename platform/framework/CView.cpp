#include "platform/framework/CView.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"

#include <QWidget>

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CMDIChildWnd* CView::GetParentFrame()
{
    if (m_pFrame)
        return m_pFrame;
    for (QWidget* pWnd = GetWnd(); pWnd; pWnd = pWnd->parentWidget()) {
        if (auto* pFrame = qobject_cast<CMDIChildWnd*>(pWnd))
            return pFrame;
    }
    return nullptr;
}

bool CView::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, pCmdUI);
}
