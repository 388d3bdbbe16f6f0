#include "platform/framework/CProgressCtrl_Status.h"

#include "platform/framework/StatusProgressGeometry.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/CWinApp.h"

void CProgressCtrl_Status::ShowStatusProgress(QString strText, CProgressCtrl* pTarget)
{
    CMDIFrameWnd* pFrame = AfxGetApp() ? AfxGetApp()->GetMainFrame() : nullptr;
    CStatusBar* pStatusBar = pFrame ? pFrame->GetStatusBar() : nullptr;
    if (pStatusBar == nullptr)
        return;
    pStatusBar->SetPaneText(0, strText, true);
    const QRect rcPane = pStatusBar->GetItemRect(0);
    const QRect rcBar = StatusProgressRect(strText, rcPane.x() + rcPane.width());

    CProgressCtrl* pCtrl = pTarget ? pTarget : this;
    pCtrl->DestroyWindow();
    if (!pCtrl->Create(rcBar, pStatusBar, 0))
        return;
    pCtrl->SetRange(0, 100);
    pCtrl->SetPos(0);
    pCtrl->SetStep(1);
    CProgressCtrl::SetActive(pCtrl);
}
