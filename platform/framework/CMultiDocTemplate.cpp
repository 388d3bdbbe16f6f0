#include "platform/framework/CMultiDocTemplate.h"

#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CResources.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameworkLog.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMdiArea>

CMultiDocTemplate::CMultiDocTemplate(int nIDResource, std::function<CDocument*()> createDocument,
                                     std::function<CMDIChildWnd*()> createFrame,
                                     std::function<CView*()> createView)
    : m_nIDResource(nIDResource)
    , m_strDocStrings(CResources::Get().LoadString(nIDResource))
    , m_createDocument(std::move(createDocument))
    , m_createFrame(std::move(createFrame))
    , m_createView(std::move(createView))
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (CDocument* pDoc : std::as_const(m_docList))
        pDoc->m_pDocTemplate = nullptr;
}

bool CMultiDocTemplate::GetDocString(QString& rString, DocStringIndex index) const
{
    const QStringList arFields = m_strDocStrings.split(QLatin1Char('\n'));
    rString = arFields.value(index);
    return !rString.isEmpty();
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const QString& strPathName, bool bMakeVisible,
                                               const std::function<void(CView*)>& prepareView)
{
    qCDebug(lcFramework).noquote()
        << "opening a window of kind" << m_nIDResource << "for"
        << (strPathName.isEmpty() ? QStringLiteral("a new document") : strPathName);
    CDocument* pDoc = m_createDocument();
    pDoc->m_pDocTemplate = this;
    m_docList.append(pDoc);

    CMDIChildWnd* pFrame = CreateNewFrame(pDoc);
    if (pFrame == nullptr) {
        delete pDoc;
        return nullptr;
    }
    if (strPathName.isEmpty()) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            delete pFrame;
            return nullptr;
        }
    } else {
        if (!pDoc->OnOpenDocument(strPathName)) {
            delete pFrame;
            return nullptr;
        }
        pDoc->SetPathName(strPathName);
    }
    if (prepareView && pFrame->GetActiveView())
        prepareView(pFrame->GetActiveView());
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}

CMDIChildWnd* CMultiDocTemplate::CreateNewFrame(CDocument* pDoc)
{
    auto* pMainFrame = AfxGetApp() ? AfxGetApp()->GetMainFrame() : nullptr;
    if (pMainFrame == nullptr)
        return nullptr;
    CMDIChildWnd* pFrame = m_createFrame();
    CView* pView = m_createView();
    pFrame->m_pDocTemplate = this;
    const QString strIcon = CResources::Get().GetIconPath(m_nIDResource);
    if (!strIcon.isEmpty())
        pFrame->setWindowIcon(QIcon(strIcon));
    pFrame->SetView(pView);
    pDoc->AddView(pView);
    pMainFrame->AddChildFrame(pFrame);
    QObject::connect(pDoc, &CDocument::TitleChanged, pFrame, &CMDIChildWnd::OnUpdateFrameTitle);
    QObject::connect(pDoc, &CDocument::TitleChanged, pMainFrame, &CMDIFrameWnd::OnUpdateFrameTitle);
    pFrame->OnUpdateFrameTitle();
    return pFrame;
}

void CMultiDocTemplate::InitialUpdateFrame(CMDIChildWnd* pFrame, CDocument*, bool bMakeVisible)
{
    if (CView* pView = pFrame->GetActiveView())
        pView->OnInitialUpdate();
    if (bMakeVisible) {
        pFrame->show();
        if (QMdiArea* pArea = pFrame->mdiArea())
            pArea->setActiveSubWindow(pFrame);
        if (CView* pView = pFrame->GetActiveView())
            pView->GetWnd()->setFocus();
    }
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    QString strDocName;
    if (!GetDocString(strDocName, docName))
        strDocName = CResources::Get().LoadString(AFX_IDS_UNTITLED);
    if (strDocName.isEmpty())
        strDocName = QCoreApplication::translate("CMultiDocTemplate", "Untitled");
    pDocument->SetTitle(strDocName + QString::number(++m_nUntitledCount));
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    m_docList.removeOne(pDoc);
}
