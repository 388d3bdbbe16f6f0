#include "PictureViewTest.h"

#include "browse/COrvalaView.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/WorkerWait.h"

#include <QTest>

bool CPictureViewTest::StartSession()
{
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_pSession = std::make_unique<CAppSession>();
    m_pPictures = std::make_unique<QTemporaryDir>();
    // Every decode and thumbnail is placed by the step that asks for it.
    SetWorkerWaitMs(60000);
    return m_pSession->Started() && m_pPictures->isValid();
}

void CPictureViewTest::EndSession()
{
    m_pSession.reset();
    m_pPictures.reset();
    m_pWorkspace.reset();
}

COrvalaView* CPictureViewTest::ShowLastView(QSize szClient)
{
    auto* pView = m_pSession->NewestPictureView();
    if (!pView)
        return nullptr;
    pView->setFocus();
    if (!QTest::qWaitForWindowExposed(pView))
        return nullptr;
    // The frame's edges and caption take what the style gives them.
    QWidget* pFrame = pView->GetParentFrame();
    pFrame->resize(szClient + pFrame->size() - pView->viewport()->size());
    if (!QTest::qWaitFor([&] { return pView->viewport()->size() == szClient; }))
        return nullptr;
    return pView;
}

QColor CPictureViewTest::Shown(COrvalaView* pView)
{
    return pView->viewport()->grab().toImage().pixelColor(10, 10);
}
