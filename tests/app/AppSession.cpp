#include "AppSession.h"

#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"

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

void CAppSession::Close()
{
    if (m_bClosed || !m_bStarted)
        return;
    m_bClosed = true;
    Frame()->close();
    m_pApp->ExitInstance();
}
