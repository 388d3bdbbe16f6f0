#include "AppSession.h"

#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "browse/COrvalaView.h"
#include "platform/framework/CMDIChildWnd.h"

#include <QMdiArea>
#include <QTest>

CAppSession::CAppSession()
    : m_pApp(std::make_unique<COrvalaApp>())
{
    m_bStarted = m_pApp->InitInstance();
    if (m_bStarted)
        m_bStarted = QTest::qWaitForWindowExposed(Frame());
}

CAppSession::~CAppSession()
{
    Close();
}

CMainFrame* CAppSession::Frame() const
{
    return qobject_cast<CMainFrame*>(m_pApp->m_pMainWnd);
}

COrvalaView* CAppSession::NewestPictureView() const
{
    const QList<QMdiSubWindow*> arWindows =
        Frame() ? Frame()->MDIClient()->subWindowList(QMdiArea::CreationOrder)
                : QList<QMdiSubWindow*>();
    auto* pChild = arWindows.isEmpty() ? nullptr : qobject_cast<CMDIChildWnd*>(arWindows.last());
    return pChild ? dynamic_cast<COrvalaView*>(pChild->GetActiveView()) : nullptr;
}

void CAppSession::Close()
{
    if (m_bClosed || !m_bStarted)
        return;
    m_bClosed = true;
    Frame()->close();
    m_pApp->ExitInstance();
}
