#include "platform/framework/CDocument.h"

#include "platform/framework/AfxIds.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"

#include <QFileInfo>
#include <QWidget>

CDocument::CDocument()
{
    OnCommand(ID_FILE_CLOSE, [this] { OnCloseDocument(); });
}

CDocument::~CDocument()
{
    for (CView* pView : std::as_const(m_viewList))
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

bool CDocument::OnOpenDocument(const QString&)
{
    return true;
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    // Nothing is ever saved, so no window asks before it closes.
    const QList<CView*> arViews = m_viewList;
    for (CView* pView : arViews) {
        if (CMDIChildWnd* pFrame = pView->GetParentFrame())
            delete pFrame;
    }
    if (m_viewList.isEmpty())
        delete this;
    else
        m_bClosing = false;
}

void CDocument::SetPathName(const QString& strPathName, bool bAddToMRU)
{
    m_strPathName = QFileInfo(strPathName).absoluteFilePath();
    SetTitle(QFileInfo(m_strPathName).fileName());
    if (bAddToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::SetTitle(const QString& strTitle)
{
    m_strTitle = strTitle;
    emit TitleChanged();
}

void CDocument::AddView(CView* pView)
{
    if (pView->m_pDocument == this)
        return;
    m_viewList.append(pView);
    pView->m_pDocument = this;
    emit TitleChanged();
}

void CDocument::RemoveView(CView* pView)
{
    if (!m_viewList.removeOne(pView))
        return;
    pView->m_pDocument = nullptr;
    if (m_viewList.isEmpty() && !m_bClosing)
        delete this;
    else if (!m_viewList.isEmpty())
        emit TitleChanged();
}

bool CDocument::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    return CCmdTarget::OnCmdMsg(nID, pCmdUI);
}
