#include "platform/framework/CProgressCtrl.h"

#include <QProgressBar>

namespace {
CProgressCtrl* s_pActive = nullptr;
}

CProgressCtrl::~CProgressCtrl()
{
    // A window closed in the middle of its run must not leave the reference dangling.
    if (s_pActive == this)
        s_pActive = nullptr;
    DestroyWindow();
}

bool CProgressCtrl::Create(const QRect& rect, QWidget* pParent, int nID)
{
    DestroyWindow();
    m_pWnd = new QProgressBar(pParent);
    m_pWnd->setObjectName(QStringLiteral("ProgressCtrl%1").arg(nID));
    m_pWnd->setTextVisible(false);
    m_pWnd->setRange(0, 100);
    m_pWnd->setValue(0);
    m_pWnd->setGeometry(rect);
    m_pWnd->raise();
    m_pWnd->show();
    return true;
}

bool CProgressCtrl::DestroyWindow()
{
    if (m_pWnd.isNull())
        return false;
    delete m_pWnd.data();
    return true;
}

void CProgressCtrl::Remove()
{
    DestroyWindow();
    if (s_pActive == this)
        s_pActive = nullptr;
}

void CProgressCtrl::SetRange(int nLower, int nUpper)
{
    if (m_pWnd)
        m_pWnd->setRange(nLower, nUpper);
}

int CProgressCtrl::SetPos(int nPos)
{
    const int nOld = GetPos();
    if (m_pWnd)
        m_pWnd->setValue(nPos);
    return nOld;
}

int CProgressCtrl::GetPos() const
{
    return m_pWnd ? m_pWnd->value() : 0;
}

int CProgressCtrl::SetStep(int nStep)
{
    const int nOld = m_nStep;
    m_nStep = nStep;
    return nOld;
}

int CProgressCtrl::StepIt()
{
    const int nOld = GetPos();
    if (m_pWnd)
        m_pWnd->setValue(qMin(m_pWnd->maximum(), nOld + m_nStep));
    return nOld;
}

CProgressCtrl* CProgressCtrl::GetActive()
{
    return s_pActive;
}

void CProgressCtrl::SetActive(CProgressCtrl* pCtrl)
{
    s_pActive = pCtrl;
}
