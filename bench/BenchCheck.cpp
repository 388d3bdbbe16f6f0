#include "BenchCheck.h"

#include "app/CMainFrame.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"

#include <QCoreApplication>
#include <QElapsedTimer>

CListView_Drift* RunCheck(CMainFrame* pFrame, qint64* pLongestGapMs)
{
    pFrame->SendCommand(ID_DATABASE_CHECK);
    auto* pView = dynamic_cast<CListView_Drift*>(pFrame->MDIGetActive()->GetActiveView());
    QElapsedTimer gap;
    gap.start();
    qint64 nLongestMs = 0;
    while (pView->IsChecking()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        nLongestMs = qMax(nLongestMs, gap.restart());
    }
    QCoreApplication::processEvents();
    if (pLongestGapMs)
        *pLongestGapMs = nLongestMs;
    return pView;
}
