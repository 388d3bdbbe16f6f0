#include "app/CMainFrame.h"

#include "app/COrvalaApp.h"
#include "browse/COrvalaView.h"
#include "db/DatabaseMessages.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CHelpWindow.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CResources.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/KeyLockState.h"
#include "platform/framework/WindowPlacement.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

namespace {
const QString strSettings = QStringLiteral("Settings");
const QString strAllPictureFormats = QStringLiteral("AllPictureFormats");
const QList<int> arIndicators = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                 ID_INDICATOR_SCRL};
} // namespace

CMainFrame::CMainFrame()
{
    setObjectName(QStringLiteral("MainFrame"));
    OnCommand(ID_DATABASE_SHOWTABLE, [this] { OnShowTable(); });
    OnCommand(ID_HELP_INDEX, [] { CHelpWindow::Show(); });
    OnCommand(ID_DEFAULT_HELP, [] { CHelpWindow::Show(); });
    OnCommand(ID_HELP, [this] { OnHelp(); });
    OnCommand(ID_CONTEXT_HELP, [this] { OnHelp(); });
    OnCommand(ID_VIEW_ALLFORMATS, [this] { OnAllPictureFormats(); });
    OnUpdateCommandUI(ID_VIEW_ALLFORMATS,
                      [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bAllPictureFormats ? 1 : 0); });

    // The placement the system offers when none is stored.
    if (QScreen* pScreen = QApplication::primaryScreen())
        resize(pScreen->availableGeometry().size() * 3 / 4);
}

CMainFrame::~CMainFrame()
{
    DestroyChildWindows();
}

bool CMainFrame::LoadFrame(int nIDResource)
{
    SetDefaultMenu(nIDResource);
    SetTitle(CResources::Get().LoadString(nIDResource));
    setWindowIcon(QIcon(CResources::Get().GetIconPath(nIDResource)));
    return OnCreate() != -1;
}

int CMainFrame::OnCreate()
{
    SetMenuResource(IDR_MAINFRAME);
    if (CreateToolBar(IDR_MAINFRAME) == nullptr)
        return -1;
    LoadAccelTable(IDR_MAINFRAME);
    CreateStatusBar(arIndicators);
    UpdateIndicators();
    qApp->installEventFilter(this);

    RestorePlacement();
    m_bAllPictureFormats = AfxGetApp()->GetProfileInt(strSettings, strAllPictureFormats, 0) != 0;
    // Says when the database cannot be had; browsing works regardless.
    ConnectPhotoDatabase(m_DaoTable);
    return 0;
}

void CMainFrame::RestorePlacement()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp->GetProfileInt(strSettings, QStringLiteral("ShowMainFrameMaximized"), 0) != 0) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const int nLeft = pApp->GetProfileInt(strSettings, QStringLiteral("Xmin"), 0);
    const int nRight = pApp->GetProfileInt(strSettings, QStringLiteral("Xmax"), 0);
    const int nTop = pApp->GetProfileInt(strSettings, QStringLiteral("Ymin"), 0);
    const int nBottom = pApp->GetProfileInt(strSettings, QStringLiteral("Ymax"), 0);
    if (nRight <= nLeft || nBottom <= nTop)
        return;
    m_rcRestored = QRect(nLeft, nTop, nRight - nLeft, nBottom - nTop);
    const QScreen* pScreen = QGuiApplication::screenAt(m_rcRestored.center());
    if (!pScreen)
        pScreen = QGuiApplication::primaryScreen();
    if (pScreen)
        m_rcRestored = PlacementOnScreen(m_rcRestored, pScreen->availableGeometry());
    move(m_rcRestored.topLeft());
    resize(m_rcRestored.size());
}

void CMainFrame::showEvent(QShowEvent* pEvent)
{
    CMDIFrameWnd::showEvent(pEvent);
    if (m_rcRestored.isEmpty())
        return;
    // The stored rectangle includes the window's decorations, which are known
    // only once it is shown.
    const QRect rcWanted = m_rcRestored;
    m_rcRestored = QRect();
    QTimer::singleShot(0, this, [this, rcWanted] {
        const QSize szExtra = frameGeometry().size() - size();
        if (!szExtra.isEmpty() && !isMaximized()) {
            resize(rcWanted.size() - szExtra);
            move(rcWanted.topLeft());
        }
    });
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent)
{
    CMDIFrameWnd::resizeEvent(pEvent);
    if (CProgressCtrl* pActive = CProgressCtrl::GetActive()) {
        if (m_pStatusBar)
            m_wndStatusProgress.ShowStatusProgress(m_pStatusBar->GetPaneText(0), pActive);
    }
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    CWinApp* pApp = AfxGetApp();
    const QRect rc = frameGeometry();
    pApp->WriteProfileInt(strSettings, QStringLiteral("Xmin"), rc.left());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Xmax"), rc.left() + rc.width());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Ymin"), rc.top());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Ymax"), rc.top() + rc.height());
    pApp->WriteProfileInt(strSettings, QStringLiteral("ShowMainFrameMaximized"),
                          isMaximized() ? 1 : 0);
    // Nothing is ever saved, so every window closes without a question.
    MDIClient()->closeAllSubWindows();
    // The program ends with this window: its own windows (the guide) go too.
    for (QWidget* pChild : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (pChild->isWindow())
            pChild->close();
    }
    pEvent->accept();
}

void CMainFrame::OnShowTable()
{
    if (!CheckDatabase(m_DaoTable))
        return;
    if (CDocument* pDoc = OpenTableWindow(QString()))
        pDoc->SetTitle(QStringLiteral("PHOTOS TABLE"));
}

void CMainFrame::SetMessageText(const QString& strText)
{
    CMDIFrameWnd::SetMessageText(strText);
}

CDocument* CMainFrame::OpenPictureWindow(const QString& strPath, int nIndex)
{
    auto* pApp = static_cast<COrvalaApp*>(AfxGetApp());
    if (!pApp || !pApp->m_pPictureTemplate)
        return nullptr;
    return pApp->m_pPictureTemplate->OpenDocumentFile(strPath, true, [nIndex](CView* pView) {
        if (auto* pPictureView = dynamic_cast<COrvalaView*>(pView))
            pPictureView->OpenedByProgram(nIndex);
    });
}

CDocument* CMainFrame::OpenTableWindow(const QString& strFilter)
{
    auto* pApp = static_cast<COrvalaApp*>(AfxGetApp());
    if (!pApp || !pApp->m_pTableTemplate)
        return nullptr;
    return pApp->m_pTableTemplate->OpenDocumentFile(QString(), true, [&strFilter](CView* pView) {
        if (auto* pTableView = dynamic_cast<CListView_Table*>(pView))
            pTableView->SetFindFilter(strFilter);
    });
}

void CMainFrame::OnAllPictureFormats()
{
    m_bAllPictureFormats = !m_bAllPictureFormats;
    // Written at once: a program that ends without closing its window keeps the choice too.
    AfxGetApp()->WriteProfileInt(strSettings, strAllPictureFormats, m_bAllPictureFormats ? 1 : 0);
}

void CMainFrame::OnHelp()
{
    // The guide opens at the commands of the window in front.
    CMDIChildWnd* pChild = MDIGetActive();
    const bool bPicture = pChild && pChild->GetDocTemplate() &&
                          pChild->GetDocTemplate()->GetResourceID() == IDR_ORVALATYPE;
    CHelpWindow::Show(bPicture ? QStringLiteral("picturemenu") : QStringLiteral("mainmenu"));
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        UpdateIndicators();
        break;
    default:
        break;
    }
    return CMDIFrameWnd::eventFilter(pWatched, pEvent);
}

void CMainFrame::UpdateIndicators()
{
    if (m_pStatusBar == nullptr)
        return;
    for (int nID : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL})
        m_pStatusBar->SetIndicatorOn(nID, IsKeyLockOn(nID));
}
